#include "lineitems/LineDraft.h"

#include "core/ControlContext.h"
#include "core/Field.h"

namespace zelt {

LineDraft LineDraft::fromEntryArea(const ControlContext& ctx)
{
    const view::Form& f = ctx.form;
    auto field = [&f](int i) { return f.txtField[i].text(); };
    LineDraft d;
    d.status = f.cboFld[Combo::Status].text();
    d.statusSelected = f.cboFld[Combo::Status].listIndex() >= 0;
    d.description = field(Field::Description);
    d.model = field(Field::Model);
    d.quantity = field(Field::Quantity);
    d.unitPrice = field(Field::UnitPrice);
    d.unit = f.cboFld[Combo::Unit].text();
    d.unitSelected = f.cboFld[Combo::Unit].listIndex() >= 0;
    d.priceListDate = field(Field::PriceListDate);
    if (f.DTPckrPriceListDate.visible()) d.priceListPicker = f.DTPckrPriceListDate.value();
    d.unitWeight = field(Field::UnitWeight);
    d.carrier = f.cboFld[Combo::Carrier].text();
    d.carrierSelected = f.cboFld[Combo::Carrier].listIndex() >= 0;
    d.pattern = field(Field::Pattern);
    d.color = field(Field::Color);
    d.finish = field(Field::Finish);
    d.ackPrice = field(Field::AckPrice);
    d.ackNumber = field(Field::AckNumber);
    d.ackDate = field(Field::AckDate);
    if (f.DTPckrAklwdgmntDate.visible()) d.ackPicker = f.DTPckrAklwdgmntDate.value();
    d.direction = f.chkDirection.checked();
    d.issueSelected = f.cboFld[Combo::Issue].listIndex() >= 0;
    d.issue = f.cboFld[Combo::Issue].text();
    d.usaPrices = f.OptVndrCntryID[0].value();
    d.exempt = f.chkExempt.checked();
    return d;
}

void LineDraft::writeReformattedFields(ControlContext& ctx) const
{
    view::Form& f = ctx.form;
    f.txtField[Field::UnitWeight].setText(unitWeight);
    f.txtField[Field::Quantity].setText(quantity);
    f.txtField[Field::UnitPrice].setText(unitPrice);
    f.txtField[Field::AckPrice].setText(ackPrice);
    f.txtField[Field::AckDate].setText(ackDate);
    f.txtField[Field::PriceListDate].setText(priceListDate);
}

} // namespace zelt
