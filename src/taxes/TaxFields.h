#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;
class TotalsRecalculation;

/// The tax fields with their override boxes, the country rules and labels,
/// the price-currency options, SetTaxNFees and the total deposit.
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
    /// Fees 0 to 5 and 7, merchandise and sales tax, as currency, "0.00".
    std::string GetTotalDeposit();
    /// The total deposit GetTotalDeposit would give with `salesTax` in the
    /// total sales tax box, changing no box (an empty box counts as zero).
    std::string depositWith(std::string_view salesTax) const;

    /// The State/Province and Color/Colour captions, the price currency
    /// option and the conversion rate box, for a Canadian order or not.
    void applyCountryLabels(bool canadian);
    static bool isCanadianShipCountry(const std::string& shipCountry);

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
