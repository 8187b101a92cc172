#include "taxes/TaxFields.h"
#include "core/KeptRowNumbers.h"

#include "core/Field.h"
#include "core/ControlContext.h"
#include "totals/TotalDeposit.h"
#include "core/LineColumns.h"
#include "core/Jurisdictions.h"
#include "totals/FeeIndex.h"
#include "totals/TotalsRecalculation.h"
#include "zelt/text/Currency.h"

#include <algorithm>
#include <cctype>

namespace zelt {

using text::Currency;

void TaxFields::bind()
{
    view::Form& f = ctx_.form;
    f.chkTaxes.forEach([this](int i, view::CheckBox& box) { box.Click = ctx_.guard([this, i] { chkTaxes_Click(i); }); });
    f.txtFieldTax.forEach([this](int i, view::TextBox& box) {
        box.KeyPress = ctx_.guard([this, i](int& key) { txtFieldTax_KeyPress(i, key); });
        box.Change = ctx_.guard([this, i] { txtFieldTax_Change(i); });
        box.KeyUp = ctx_.guard([this, i](int, int) { txtFieldTax_KeyUp(i); });
        box.LostFocus = ctx_.guard([this, i] { txtFieldTax_LostFocus(i); });
        ctx_.amountBox.bind(box);
    });
    view::TextBox& rate = f.txtCurrConversionRate;
    rate.GotFocus = [&rate] { rate.selectAll(); };
    // The rate is a plain positive number, as the amount boxes take it.
    rate.KeyPress = [this, &rate](int& key) { ctx_.amountBox.filterKey(key, rate.text()); };
    ctx_.amountBox.bind(rate);
    f.OptVndrCntryID.forEach(
        [this](int i, view::OptionButton& o) { o.Click = ctx_.guard([this, i] { OptVndrCntryID_Click(i); }); });
}

void TaxFields::applyCountryLabels(bool canadian)
{
    view::Form& f = ctx_.form;
    f.lblField[TXT_STATETAX].setCaption(canadian ? "Province" : "State");
    f.lblField[10].setCaption(canadian ? "Colour" : "Color");
    f.OptVndrCntryID[canadian ? 1 : 0].setValue(true);
    f.txtCurrConversionRate.setVisible(canadian);
    f.lblCurConvRate.setVisible(canadian);
    f.frmCurrencyConversion.setVisible(canadian);
}

void TaxFields::raiseTotalAmount()
{
    double total = ctx_.number(ctx_.form.txtFee[Fee::TotalDeposit].text());
    if (ctx_.events) ctx_.events->GetTotalAmount(total);
}

void TaxFields::SetTaxNFees()
{
    try {
        view::Form& f = ctx_.form;
        ControlState& st = ctx_.state;
        if (st.mode == Mode::ViewMode) f.cmdUpdateTaxes.setEnabled(false);

        // Merchandise as currency; on an order with a status only positive amounts.
        view::Grid& grid = ctx_.grid();
        // A kept amount is a number, so its cell is not empty: only the other
        // lines are looked at cell by cell.
        const KeptRowNumbers<1> kept(grid, ctx_.locale, {Col::ExtPrice});
        std::array<double, 1> keptAmount;
        Currency merchandise;
        const LineSums::CurrencyTotals* sums = ctx_.lineSums.currencyTotals(ctx_);
        if (sums) merchandise = st.CurrentOrderStatus <= 0 ? sums->all : sums->positive;
        for (int r = sums ? grid.rows() : grid.fixedRows(); r < grid.rows(); ++r) {
            double value = 0;
            if (kept.read(r, keptAmount)) {
                value = keptAmount[0];
            } else {
                if (grid.text(r, Col::ExtPrice).empty()) grid.setText(r, Col::ExtPrice, ctx_.fixed(0, 2));
                value = ctx_.cellNumber(r, Col::ExtPrice);
            }
            Currency amount = Currency::fromDouble(value);
            if (st.CurrentOrderStatus <= 0 || amount > Currency{}) merchandise += amount;
        }

        if (st.UseNormalTaxes != "True") {
            // The host gives the amounts; an overridden tax keeps the clerk's amount.
            for (int index : kAmountPathOrder) {
                const Jurisdiction& j = jurisdiction(index);
                view::TextBox& field = f.txtFieldTax[index];
                if (!f.chkTaxes[index].checked()) {
                    const std::string& taxable = st.*j.taxableAmount;
                    field.setText(taxable.empty() ? ctx_.fixed(0, 2) : ctx_.numberForm(ctx_.number(taxable), 2));
                } else if (!field.hasFocus()) {
                    // An overridden tax shows the clerk's amount. The field being typed
                    // into already holds it: rewriting it at every key would move the
                    // caret and scramble the typing; leaving the field formats it.
                    field.setText(ctx_.numberForm(st.jurisdictionOverrideAmount[static_cast<std::size_t>(j.k)], 2));
                }
            }
        } else {
            // The rate path: a jurisdiction with a positive rate shows its taxable amount.
            for (int index : kRatePathOrder) {
                const Jurisdiction& j = jurisdiction(index);
                std::string& rateText = st.jurisdictionRateText[static_cast<std::size_t>(j.k)];
                if (rateText.empty()) {
                    if (index == TXT_CITYTAX) rateText = ctx_.fixed(0, 2);
                    continue;
                }
                view::TextBox& rateField = f.*j.rateField;
                if (ctx_.number(rateText) <= 0) {
                    rateField.setText("");
                } else {
                    rateField.setText(rateText);
                    f.txtFieldTax[index].setText(ctx_.numberForm(ctx_.number(st.*j.taxableAmount), 2));
                }
            }
        }

        Currency taxes;
        for (const Jurisdiction& j : kJurisdictions) taxes += Currency::fromText(f.txtFieldTax[j.index].text(), ctx_.locale);
        f.txtField[Field::TotalSalesTax].setText(ctx_.fixed(taxes.toDouble(), 2));
        f.txtHiddenItemTotal.setText(ctx_.general(merchandise.toDouble()));
        f.txtFee[Fee::TotalDeposit].setText(TotalDeposit::of(ctx_));
        ctx_.state.taxesCurrentAt = f.clerkRevision();
        raiseTotalAmount();
    } catch (const Error&) {
        // Ends at the failing step; what was set stays.
    }
}

void TaxFields::chkTaxes_Click(int index)
{
    view::Form& f = ctx_.form;
    view::CheckBox& box = f.chkTaxes[index];
    if (!box.visible() || !box.enabled()) return;
    ctx_.amountBox.setOverridden(f.txtFieldTax[index], box.checked());
    taxCommand_();
    totals_.fupdate();
    ctx_.markDirtyByUser();
}

void TaxFields::txtFieldTax_KeyPress(int index, int& key)
{
    ctx_.amountBox.filterKey(key, ctx_.form.txtFieldTax[index].text());
}

void TaxFields::txtFieldTax_Change(int index)
{
    view::TextBox& field = ctx_.form.txtFieldTax[index];
    if (field.locked()) return;
    ctx_.amountBox.refillIfEmpty(field);
    totals_.fupdate();
    if (ctx_.state.CurrentOrderStatus < 1) {
        ctx_.state.IsDirty = true;
        ctx_.form.cmdUpdateTaxes.setEnabled(true);
    } else if (!ctx_.form.chkTaxes[index].checked()) {
        taxCommand_();
    }
}

void TaxFields::txtFieldTax_KeyUp(int index)
{
    const Jurisdiction& j = jurisdiction(index);
    ctx_.state.jurisdictionOverrideAmount[static_cast<std::size_t>(j.k)] =
        ctx_.number(ctx_.form.txtFieldTax[index].text());
    SetTaxNFees();
}

void TaxFields::txtFieldTax_LostFocus(int index)
{
    view::TextBox& field = ctx_.form.txtFieldTax[index];
    if (!field.locked()) field.setText(text::formatFixedText(field.text(), 2, ctx_.locale));
}

void TaxFields::OptVndrCntryID_Click(int /*index*/)
{
    view::Form& f = ctx_.form;
    view::TextBox& price = f.txtField[Field::UnitPrice];
    view::TextBox& ackPrice = f.txtField[Field::AckPrice];
    if (!ctx_.isNumeric(price.text()) || !ctx_.isNumeric(ackPrice.text())) return;
    price.setFocus();
    const double rate = ctx_.lists.currencyConversionRate;
    const bool usa = f.OptVndrCntryID[0].value();
    f.lblUSA.setForeColor(usa ? view::colors::kRed : view::Color::windowText());
    f.lblCanada.setForeColor(usa ? view::Color::windowText() : view::colors::kRed);
    if (ctx_.lists.vendorConversionRate != 0) {
        for (view::TextBox* box : {&price, &ackPrice}) {
            double v = ctx_.number(box->text());
            box->setText(ctx_.fixed(usa ? text::divide(v, rate) : text::checked(v * rate), 2));
        }
    }
    ctx_.markDirtyByUser();
    ctx_.state.IsFirstInit = false;
}

} // namespace zelt
