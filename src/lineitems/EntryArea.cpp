#include "lineitems/EntryArea.h"

#include "core/ControlContext.h"

namespace zelt {

namespace {

void followEditing(view::TextBox& box, bool editing)
{
    box.setLocked(!editing);
    box.setTabStop(editing);
    box.setBackColor(editing ? view::Color::window() : view::Color::buttonFace());
}

} // namespace

void EntryArea::reset(bool editing)
{
    view::Form& f = ctx_.form;
    if (!editing) {
        f.cmdAdd.setCaption("Add");
        f.cmdEdit.setCaption("Edit");
        f.cmdLineItemCan.setEnabled(false);
    }
    for (int i = 0; i <= 14; ++i) f.txtField[i].setText("");
    if (ctx_.state.orderStatusFlag) {
        for (int i = 0; i <= 14; ++i) followEditing(f.txtField[i], editing);
        f.DTPckrPriceListDate.setVisible(editing);
        f.DTPckrAklwdgmntDate.setVisible(editing);
    } else {
        for (int i = 0; i <= 11; ++i) followEditing(f.txtField[i], editing);
        f.DTPckrPriceListDate.setVisible(editing);
        // Without the order status flag the acknowledgement stays read-only.
        for (int i = 12; i <= 14; ++i) followEditing(f.txtField[i], false);
        f.DTPckrAklwdgmntDate.setVisible(false);
    }
    f.chkDirection.setValue(0);
    f.cboFld[4].setListIndex(-1);
    for (int i : {1, 2, 3}) {
        f.cboFld[i].setLocked(!editing);
        f.cboFld[i].setBackColor(editing ? view::Color::window() : view::Color::buttonFace());
    }
    if (editing) {
        // The vendor's rules for the Direction and exempt boxes: flag 6 leaves
        // both as they are; flag 5 ticks the Direction box and locks it;
        // otherwise both are free.
        const VendorFeeRules& rules = ctx_.state.vendorFees;
        if (rules.entryBoxesLeftAlone) return;
        if (rules.directionRequired) {
            f.chkDirection.setValue(1);
            f.chkDirection.setEnabled(false);
        } else {
            f.chkDirection.setEnabled(true);
        }
        f.chkExempt.setEnabled(true);
    }
}

} // namespace zelt
