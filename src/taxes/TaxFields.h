#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;
class TotalsRecalculation;

/// The tax fields with their override boxes, the country rules and labels,
/// the price-currency options and SetTaxNFees.
class TaxFields {
public:
    TaxFields(ControlContext& ctx, TotalsRecalculation& totals, std::function<void()> taxCommand)
        : ctx_(ctx), totals_(totals), taxCommand_(std::move(taxCommand))
    {
    }

    void bind();

    /// Fills the tax fields from the host's amounts or from the rates,
    /// totals the taxes, refreshes the total deposit and raises GetTotalAmount.
    /// Ends silently at the first conversion failure.
    void SetTaxNFees();

    /// The State/Province and Color/Colour captions, the price currency
    /// option and the conversion rate box, for a Canadian order or not.
    void applyCountryLabels(bool canadian);

    void chkTaxes_Click(int index);
    void txtFieldTax_KeyPress(int index, int& key);
    void txtFieldTax_Change(int index);
    void txtFieldTax_KeyUp(int index);
    void txtFieldTax_LostFocus(int index);
    void OptVndrCntryID_Click(int index);

private:
    void raiseTotalAmount();

    ControlContext& ctx_;
    TotalsRecalculation& totals_;
    std::function<void()> taxCommand_;
};

} // namespace zelt
