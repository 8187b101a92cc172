#include "lineitems/EntryArea.h"

#include "core/ControlContext.h"
#include "lineitems/EntryFields.h"

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
    // Without the order status flag the acknowledgement stays read-only.
    const bool acknowledging = ctx_.state.orderStatusFlag;
    for (const EntryFieldFact& fact : kEntryFields) {
        view::TextBox& box = f.txtField[fact.field];
        box.setText("");
        followEditing(box, editing && (fact.lock == EntryLock::Line || acknowledging));
    }
    f.DTPckrPriceListDate.setVisible(editing);
    f.DTPckrAklwdgmntDate.setVisible(editing && acknowledging);
    // A date's text field stands in for its picker while the picker is hidden,
    // as the read-only fields stand in for the combos.
    for (const EntryFieldFact& fact : kEntryFields)
        if (fact.picker) f.txtField[fact.field].setVisible(!(f.*fact.picker).visible());
    f.chkDirection.setValue(0);
    // The issue list opens with the Direction box only: until then Tab and
    // Enter pass it by.
    view::ComboBox& issue = f.cboFld[Combo::Issue];
    issue.setListIndex(-1);
    issue.setLocked(true);
    issue.setBackColor(view::Color::buttonFace());
    for (int i : {Combo::Status, Combo::Unit, Combo::Carrier}) {
        f.cboFld[i].setLocked(!editing);
        f.cboFld[i].setBackColor(editing ? view::Color::window() : view::Color::buttonFace());
    }
    if (editing) {
        // The vendor's rules for the Direction and exempt boxes: one leaves
        // both as they are; another ticks the Direction box and locks it;
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

void EntryArea::setExemptBox(bool ticked)
{
    ctx_.state.exemptGuard = true;
    ctx_.form.chkExempt.setValue(ticked ? 1 : 0);
    ctx_.state.exemptGuard = false;
}

std::string EntryArea::values() const
{
    std::string out;
    for (const view::Widget* w : ctx_.form.widgets()) {
        if (w->group() != "LineEntry") continue;
        switch (w->kind()) {
        case view::WidgetKind::TextBox: out += static_cast<const view::TextBox*>(w)->text(); break;
        case view::WidgetKind::ComboBox: out += static_cast<const view::ComboBox*>(w)->text(); break;
        case view::WidgetKind::CheckBox: out += std::to_string(static_cast<const view::CheckBox*>(w)->value()); break;
        case view::WidgetKind::DatePicker: {
            const auto& date = static_cast<const view::DatePicker*>(w)->value();
            out += date ? date->toIso() : std::string("-");
            break;
        }
        default: continue;
        }
        out += '\x1f';
    }
    return out;
}

void EntryArea::lineOpened() { ctx_.state.openLineValues = values(); }

} // namespace zelt
