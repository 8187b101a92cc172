#pragma once

#include "core/AmountBox.h"
#include "core/ControlState.h"
#include "core/LookupLists.h"
#include "core/LineColumns.h"
#include "core/LineSums.h"
#include "zelt/Error.h"
#include "zelt/control/HostSite.h"
#include "zelt/control/OrderedItemsEvents.h"
#include "zelt/control/Services.h"
#include "zelt/text/Locale.h"
#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/view/Form.h"

#include <string>
#include <utility>
#include <string_view>

namespace zelt {

/// What every procedure of the control shares: the form, the member state,
/// the lookup lists, the injected services and the locale. One per control.
struct ControlContext {
    explicit ControlContext(Services s);

    view::Form form;
    ControlState state;
    LookupLists lists;
    Services services;
    text::Locale locale = text::Locale::enUS();
    /// The rules of the fee, tax and rate boxes, in this control's locale.
    AmountBox amountBox{locale};
    /// The lines' sums, kept while the lines stay as they are.
    mutable LineSums lineSums;
    OrderedItemsEvents* events = nullptr;
    HostSite* site = nullptr;

    view::Grid& grid() { return form.grdOrdItems; }
    const view::Grid& grid() const { return form.grdOrdItems; }

    // Conversions in the control's locale.
    double number(std::string_view text) const { return text::toNumber(text, locale); }
    /// A line cell read as a number (kept by the grid for the number columns).
    std::optional<double> tryCellNumber(int row, int col) const { return grid().number(row, col, locale); }
    /// The same; a type mismatch when the cell is not a number.
    double cellNumber(int row, int col) const
    {
        if (auto v = tryCellNumber(row, col)) return *v;
        throw text::RuntimeError::typeMismatch();
    }
    bool isNumeric(std::string_view text) const { return text::isNumeric(text, locale); }
    std::string fixed(double value, int decimals) const { return text::formatFixed(value, decimals, locale); }
    text::FixedText fixedRead(double value, int decimals) const { return text::formatFixedRead(value, decimals, locale); }
    std::string general(double value) const { return text::formatGeneral(value, locale); }
    std::string numberForm(double value, int decimals) const { return text::formatNumber(value, decimals, locale); }
    /// The conversion rate as a leading-number reading of its box. The box
    /// holds the rate as the locale writes it ("1,25" in fr-CA), so the
    /// reading takes the locale's decimal separator for the point.
    double conversionRateLeading() const
    {
        std::string box = form.txtCurrConversionRate.text();
        if (locale.decimalSeparator != ".") {
            auto at = box.find(locale.decimalSeparator);
            if (at != std::string::npos) box.replace(at, locale.decimalSeparator.size(), ".");
        }
        return text::leadingNumber(box);
    }

    /// True when the line last selected is an open or received line (code 1
    /// or 6) and the order takes acknowledgements: its checks then run.
    bool isAcknowledgingSelectedLine() const
    {
        const int status = state.selectedLineStatus;
        return state.orderStatusFlag &&
               (status == lists.statusPosition1 + 1 || status == lists.statusPosition6 + 1);
    }

    /// A grid row whose Status is that of an open or received line (codes 1 and 6).
    bool isMerchandiseRow(int row) const
    {
        auto status = tryCellNumber(row, Col::Status);
        return status && lists.isMerchandiseStatus(*status);
    }

    /// User-change dirty marking: True, or False when PersonType is exactly "5".
    void markDirtyByUser() { state.IsDirty = state.PersonType != "5"; }

    /// A failed web exchange: kept for LastServiceFailure, told to the
    /// activity indicator, written to the event log.
    void recordServiceFailure(std::string entry);
    view::MessageBoxAnswer message(std::string text, std::string title,
                                   view::MessageBoxButtons buttons = view::MessageBoxButtons::Ok,
                                   view::MessageBoxIcon icon = view::MessageBoxIcon::None);
    /// The OK-only message of a reporting procedure: label, description, number.
    void reportFailure(std::string_view label, const text::RuntimeError& error);

    /// Wraps a user-interface handler: a run-time failure ends the handler
    /// where it happened, and never reaches the window's event loop.
    template <typename F>
    auto guard(F handler)
    {
        return [handler](auto&&... args) {
            try {
                handler(std::forward<decltype(args)>(args)...);
            } catch (const Error&) {
            }
        };
    }

    void propertyChanged(std::string_view name)
    {
        if (site) site->PropertyChanged(name);
    }
};

} // namespace zelt
