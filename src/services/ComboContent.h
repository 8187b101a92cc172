#pragma once

#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;

/// Takes the host's lookup tables into the lookup lists, and fills the line
/// entry combos from the lists.
class ComboContent {
public:
    explicit ComboContent(ControlContext& ctx) : ctx_(ctx) {}

    /// Reads the whole text into new lookup lists first: fewer than five
    /// tables, a lookup record without a code, or a conversion rate that is not
    /// a plain positive number in the control's locale (digits and at most one
    /// decimal separator, inside the currency range) raise an InputError and
    /// change nothing.
    void GetComboContent(std::string_view ptCmbPopulate, std::string_view ptFieldSeparator,
                         std::string_view ptRecordSeparator, std::string_view ptTableSeparator);

    /// Fills cboFld 1 to 3 for a line being opened, or hides them behind their
    /// read-only fields. Reports its own failures in a message box.
    void PopulateComboBoxes(bool isCenterLevel, bool limitedStatuses, bool showCombos, bool unused = false);

private:
    double readConversionRate(const std::string& rateText) const;

    ControlContext& ctx_;
};

} // namespace zelt
