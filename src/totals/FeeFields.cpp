#include "totals/FeeFields.h"

#include "core/ControlContext.h"
#include "totals/FeeIndex.h"
#include "totals/TotalsRecalculation.h"

namespace zelt {

void FeeFields::bind()
{
    view::Form& f = ctx_.form;
    f.txtFee.forEach([this](int index, view::TextBox& box) {
        box.KeyPress = ctx_.guard([this, index](int& key) { txtFee_KeyPress(index, key); });
        box.Change = ctx_.guard([this, index] { txtFee_Change(index); });
        box.KeyUp = ctx_.guard([this, index](int, int) { txtFee_KeyUp(index); });
        box.LostFocus = ctx_.guard([this, index] { txtFee_LostFocus(index); });
        ctx_.amountBox.bind(box);
    });
    for (const FeeOverride& o : kFeeOverrides)
        (f.*o.box).Click = ctx_.guard([this, &o] { overrideClicked(o); });
}

void FeeFields::txtFee_KeyPress(int index, int& key)
{
    // Digits, one decimal point and backspace: a typed fee is never negative.
    ctx_.amountBox.filterKey(key, ctx_.form.txtFee[index].text());
}

void FeeFields::txtFee_Change(int index)
{
    view::TextBox& box = ctx_.form.txtFee[index];
    if (box.locked()) return;
    ctx_.amountBox.refillIfEmpty(box);
    ctx_.state.IsDirty = true;
    ctx_.form.cmdUpdateTaxes.setEnabled(true);
}

void FeeFields::txtFee_KeyUp(int index)
{
    // The center handling fee follows a typed service fee at once.
    if (index == Fee::VendorService && ctx_.form.chkServiceFee.checked()) totals_.fupdate();
}

void FeeFields::txtFee_LostFocus(int index)
{
    view::TextBox& box = ctx_.form.txtFee[index];
    if (box.locked()) return;
    if (ctx_.amountBox.refillIfEmpty(box)) totals_.fupdate();
}

void FeeFields::overrideClicked(const FeeOverride& pair)
{
    view::Form& f = ctx_.form;
    view::CheckBox& box = f.*pair.box;
    if (box.visible() && box.enabled()) {
        ctx_.amountBox.setOverridden(f.txtFee[pair.fee], box.checked());
        totals_.fupdate();
    }
    if (ctx_.state.PersonType != "5") {
        ctx_.state.IsDirty = true;
        f.cmdUpdateTaxes.setEnabled(true);
    } else {
        ctx_.state.IsDirty = false;
    }
}

} // namespace zelt
