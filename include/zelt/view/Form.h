#pragma once

#include "zelt/view/CheckBox.h"
#include "zelt/view/ComboBox.h"
#include "zelt/view/CommandButton.h"
#include "zelt/view/ControlArray.h"
#include "zelt/view/DatePicker.h"
#include "zelt/view/Frame.h"
#include "zelt/view/Grid.h"
#include "zelt/view/Image.h"
#include "zelt/view/Label.h"
#include "zelt/view/MenuEntry.h"
#include "zelt/view/OptionButton.h"
#include "zelt/view/TextBox.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace zelt::view {

/// The control's form: every widget the logic reads or writes, by name and,
/// for control arrays, by index. Captions, groups and initial states come
/// from one table in Form.cpp.
class Form {
public:
    Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Order level: delivery option and tax command (Frame1).
    Frame Frame1{"Frame1"};
    CommandButton cmdUpdateTaxes{"cmdUpdateTaxes"};
    ControlArray<ComboBox> cboFreightOptions{"cboFreightOptions", {0}};
    ControlArray<Image> imgBulletDelivery{"imgBulletDelivery", {3}};
    // Fees (Frame2) and total deposit (Frame3).
    Frame Frame2{"Frame2"};
    Frame Frame3{"Frame3"};
    ControlArray<TextBox> txtFee{"txtFee", ControlArray<TextBox>::range(0, 7)};
    CheckBox chkDutyBrokerageFee{"chkDutyBrokerageFee"};
    CheckBox chkDutyFee{"chkDutyFee"};
    CheckBox chkAppEHD{"chkAppEHD"};
    CheckBox chkServiceFee{"chkServiceFee"};
    CheckBox chkAppFreight{"chkAppFreight"};
    CheckBox chkCentrHandlingFee{"chkCentrHandlingFee"};
    CheckBox chkSurChargeFee{"chkSurChargeFee"};
    Label lblDutyBrkgFee{"lblDutyBrkgFee"};
    Label lblDuty{"lblDuty"};
    Label lblEnhancedDelivery{"lblEnhancedDelivery"};
    Label lblVendorServiceFee{"lblVendorServiceFee"};
    Label lblFreight{"lblFreight"};
    Label lblCntrHndlFee{"lblCntrHndlFee"};
    Label Label1{"Label1"};
    Label lblTotalDeposit{"lblTotalDeposit"};
    // Taxes.
    Frame fraTaxes{"fraTaxes"};
    ControlArray<TextBox> txtFieldTax{"txtFieldTax", ControlArray<TextBox>::range(12, 16)};
    ControlArray<CheckBox> chkTaxes{"chkTaxes", ControlArray<CheckBox>::range(12, 16)};
    // Totals (Frame5).
    Frame Frame5{"Frame5"};
    Label lblTotalWeight{"lblTotalWeight"};
    // Price currency and conversion rate.
    Frame FraVendorCountryID{"FraVendorCountryID"};
    ControlArray<OptionButton> OptVndrCntryID{"OptVndrCntryID", {0, 1}};
    Label lblUSA{"lblUSA"};
    Label lblCanada{"lblCanada"};
    Frame frmCurrencyConversion{"frmCurrencyConversion"};
    TextBox txtCurrConversionRate{"txtCurrConversionRate"};
    Label lblCurConvRate{"lblCurConvRate"};
    // Headings, version, separators.
    Label lblTaxExempted{"lblTaxExempted"};
    Label lblVersionNumber{"lblVersionNumber"};
    ControlArray<Label> Label3{"Label3", {0, 1}};
    ControlArray<Frame> Frame4{"Frame4", ControlArray<Frame>::range(0, 4)};

    // Line level: entry area.
    ControlArray<TextBox> txtField{"txtField", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 18, 19}};
    ControlArray<ComboBox> cboFld{"cboFld", {1, 2, 3, 4}};
    ControlArray<Label> lblField{"lblField", ControlArray<Label>::range(0, 21)};
    DatePicker DTPckrPriceListDate{"DTPckrPriceListDate"};
    DatePicker DTPckrAklwdgmntDate{"DTPckrAklwdgmntDate"};
    Label lblCarrier{"lblCarrier"};
    CheckBox chkDirection{"chkDirection"};
    Label lblDirectionIssue{"lblDirectionIssue"};
    CheckBox chkExempt{"chkExempt"};
    ControlArray<Image> imgBullet{"imgBullet", ControlArray<Image>::range(0, 13)};
    ControlArray<Image> imgBulletAck{"imgBulletAck", {0, 1, 2}};
    // The lines and their commands.
    Grid grdOrdItems{"grdOrdItems"};
    CommandButton cmdAdd{"cmdAdd"};
    CommandButton cmdEdit{"cmdEdit"};
    CommandButton cmdDelete{"cmdDelete"};
    CommandButton cmdLineItemCan{"cmdLineItemCan"};
    MenuEntry mnuCopy{"mnuCopy"};
    ControlArray<MenuEntry> mnuCopyMenu{"mnuCopyMenu", {1, 2, 3, 4}};

    // Hidden storage boxes.
    TextBox txtHiddenRewardsTotal{"txtHiddenRewardsTotal"};
    TextBox txtHiddenItemTotal{"txtHiddenItemTotal"};
    TextBox txtHiddenExemptTracker{"txtHiddenExemptTracker"};
    TextBox txtHiddenLocalTaxInfo{"txtHiddenLocalTaxInfo"};
    TextBox txtHiddenStateTaxRate{"txtHiddenStateTaxRate"};
    TextBox txtHiddenLocalTaxRate{"txtHiddenLocalTaxRate"};
    TextBox txtHiddenCountryTaxRate{"txtHiddenCountryTaxRate"};
    TextBox txtHiddenCountyTaxRate{"txtHiddenCountyTaxRate"};
    TextBox txtHiddenCityTaxRate{"txtHiddenCityTaxRate"};
    TextBox txtTester{"txtTester"};

    /// Every widget, in form order (the order of the facts table).
    const std::vector<Widget*>& widgets() const noexcept { return all_; }
    /// The widget of that name and index (-1 for a single widget), or null.
    Widget* find(std::string_view name, int index = -1) const;

    /// Moves on with every change of a value of the order: a line cell or
    /// row, a text, a check, a choice outside the line-entry area, its price
    /// currency option and the hidden storage boxes. What the line-entry
    /// area shows of a line being looked at is not the order's; the hidden
    /// boxes follow the others.
    std::uint64_t revision() const noexcept { return revision_; }
    /// The same, counting only the changes made during the clerk's actions.
    std::uint64_t clerkRevision() const noexcept { return clerkRevision_; }
    /// Called by a widget whose value changed.
    void countChange(const Widget& widget)
    {
        const std::string& group = widget.group();
        // The price currency option follows the line looked at, as the entry area does.
        if (group == "LineEntry" || group == "Hidden" || group == "FraVendorCountryID") return;
        ++revision_;
        if (clerkDepth_ > 0) ++clerkRevision_;
        if (ValuesChanged) ValuesChanged();
    }
    /// Told after every counted change (a view restyles what depends on it).
    std::function<void()> ValuesChanged;

    Widget* focusedWidget() const noexcept { return focused_; }
    /// Moves the focus: LostFocus on the old widget, then GotFocus on the new.
    void moveFocus(Widget* widget);

    /// Asks the view to show a pop-up menu at the pointer.
    void popupMenu(MenuEntry& menu);
    /// Set by the view to show pop-up menus; tests read popupCount().
    std::function<void(MenuEntry&)> PopupRequested;
    std::function<void(Widget*)> FocusChanged;
    int popupCount() const noexcept { return popupCount_; }

private:
    /// Gives every widget its group and caption from the facts table, in the
    /// table's order.
    void applyFacts();
    /// The states the widgets have before the control's creation sequence.
    void setDesignStates();
    void registerWidget(Widget& w);
    template <typename W>
    void registerArray(ControlArray<W>& array)
    {
        array.forEach([this](int, W& w) { registerWidget(w); });
    }

    std::vector<Widget*> all_;
    Widget* focused_ = nullptr;
    int popupCount_ = 0;
    std::uint64_t revision_ = 0;
    std::uint64_t clerkRevision_ = 0;
    int clerkDepth_ = 0;
    friend class ClerkAction;
};

} // namespace zelt::view
