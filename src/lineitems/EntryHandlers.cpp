#include "lineitems/EntryHandlers.h"

#include "core/ControlContext.h"
#include "lineitems/EntryFields.h"
#include "lineitems/LineHistory.h"
#include "lineitems/LineRows.h"
#include "services/OrderEventRules.h"

namespace zelt {

void EntryHandlers::bind()
{
    view::Form& f = ctx_.form;
    f.txtField.forEach([this](int index, view::TextBox& box) {
        box.GotFocus = ctx_.guard([this, index] { txtField_GotFocus(index); });
        if (index > Field::kLastEntry) return;
        box.KeyPress = ctx_.guard([this, index](int& key) { txtField_KeyPress(index, key); });
        box.LostFocus = ctx_.guard([this, index] { txtField_LostFocus(index); });
        box.DblClick = ctx_.guard([this, index] { txtField_DblClick(index); });
    });
    f.cboFld.forEach([this](int index, view::ComboBox& combo) {
        combo.Change = ctx_.guard([this] { cboFld_Change(); });
        combo.Click = ctx_.guard([this, index] { cboFld_Click(index); });
    });
    for (view::DatePicker* picker : {&f.DTPckrAklwdgmntDate, &f.DTPckrPriceListDate})
        picker->Change = [this] {
            ctx_.markDirtyByUser();
            ctx_.state.IsFirstInit = false;
        };
    f.chkDirection.Click = ctx_.guard([this] { chkDirection_Click(); });
    f.chkExempt.Click = ctx_.guard([this] { chkExempt_Click(); });

    view::Label& link = f.lblCarrier;
    link.MouseMove = [&link] { link.setToolTip("Carrier Details"); };
    link.MouseDown = [&link](view::MouseButton) { link.setForeColor(view::colors::kRed); };
    link.MouseUp = [this, &link](view::MouseButton) {
        link.setForeColor(ctx_.state.carrierLinkVisited ? view::colors::kPurple : view::colors::kBlue);
    };
    link.Click = ctx_.guard([this] { lblCarrier_Click(); });
    link.DblClick = ctx_.guard([this] { lblCarrier_Click(); });
}

void EntryHandlers::txtField_KeyPress(int index, int& key)
{
    ctx_.markDirtyByUser();
    ctx_.state.IsFirstInit = false;
    // The description takes no line breaks.
    if (index == Field::Description && key == view::TextBox::kEnter) key = 0;
    // A number field takes the decimal key in either form, as the amount boxes
    // do, where the other form is not the locale's grouping: fr-CA reads the
    // keypad's "." as ",", en-US keeps "," for thousands.
    if (entryField(index).format != EntryFormat::None && (key == '.' || key == ',')) {
        const std::string typed(1, static_cast<char>(key));
        const std::string& point = ctx_.locale.decimalSeparator;
        if (point.size() == 1 && typed != point && typed != ctx_.locale.groupSeparator)
            key = static_cast<unsigned char>(point[0]);
    }
}

void EntryHandlers::txtField_GotFocus(int index) { ctx_.form.txtField[index].selectAll(); }

void EntryHandlers::txtField_LostFocus(int index)
{
    const EntryFieldFact& fact = entryField(index);
    if (fact.format == EntryFormat::None) return;
    view::TextBox& box = ctx_.form.txtField[index];
    auto v = text::tryToNumber(box.text(), ctx_.locale);
    if (!v || *v < 0) return; // the add button reports it
    box.setText(ctx_.numberForm(*v, fact.format == EntryFormat::ThreeDecimals ? 3 : ctx_.locale.defaultDecimals));
}

void EntryHandlers::txtField_DblClick(int index)
{
    if (index != Field::AckPrice && index != Field::AckNumber && index != Field::AckDate) return;
    view::Form& f = ctx_.form;
    if (f.txtField[index].locked()) return;
    f.txtField[Field::AckNumber].setText(ctx_.state.rememberedAckNumber);
    f.txtField[Field::AckPrice].setText(f.txtField[Field::UnitPrice].text());
    f.txtField[Field::AckDate].setText(ctx_.state.rememberedAckDate);
}

void EntryHandlers::cboFld_Change() { ctx_.markDirtyByUser(); }

void EntryHandlers::cboFld_Click(int index)
{
    view::Form& f = ctx_.form;
    const LookupLists& lists = ctx_.lists;
    const view::ComboBox& combo = f.cboFld[index];
    if (index == Combo::Issue) {
        const int at = combo.listIndex();
        if (!f.chkDirection.checked() || at < 0 || static_cast<std::size_t>(at) >= lists.issueList.size()) return;
        const auto& entry = lists.issueList[static_cast<std::size_t>(at)];
        f.txtField[Field::PriceListDate].setText(entry.size() > 1 ? entry[1] : std::string());
    } else if (index == Combo::Status) {
        bool acknowledging = false;
        for (std::size_t i = 0; i < lists.statusList.size(); ++i) {
            if (LookupLists::displayText(lists.statusList[i]) != combo.text()) continue;
            const auto position = static_cast<int>(i);
            acknowledging = ctx_.state.orderStatusFlag &&
                            (position == lists.statusPosition1 || position == lists.statusPosition6);
            break;
        }
        f.imgBulletAck.forEach([acknowledging](int, view::Image& bullet) { bullet.setVisible(acknowledging); });
    }
}

void EntryHandlers::chkDirection_Click()
{
    view::Form& f = ctx_.form;
    view::ComboBox& issue = f.cboFld[Combo::Issue];
    view::TextBox& date = f.txtField[Field::PriceListDate];
    if (f.chkDirection.checked()) {
        issue.setLocked(false);
        issue.setBackColor(view::Color::window());
        date.setLocked(true);
        date.setTabStop(false);
        date.setBackColor(view::Color::buttonFace());
    } else {
        issue.setListIndex(-1);
        issue.setLocked(true);
        issue.setBackColor(view::Color::buttonFace());
        date.setText("");
        if (f.cmdEdit.caption() == "Cancel") {
            date.setLocked(false);
            date.setTabStop(true);
            date.setBackColor(view::Color::window());
            f.DTPckrPriceListDate.setVisible(true);
        }
    }
    ctx_.markDirtyByUser();
}

void EntryHandlers::chkExempt_Click()
{
    ControlState& st = ctx_.state;
    if (st.loadingLine || st.exemptGuard) return;
    view::Form& f = ctx_.form;
    view::CheckBox& box = f.chkExempt;
    const auto answer = ctx_.message("Please confirm that you want to change the tax liability of this order",
                                     "Tax Liability Change", view::MessageBoxButtons::YesNo,
                                     view::MessageBoxIcon::Question);
    if (answer != view::MessageBoxAnswer::Yes) {
        st.exemptGuard = true;
        box.setValue(box.checked() ? 0 : 1);
        st.exemptGuard = false;
        return;
    }
    // A new line being entered is not in the grid yet: its mark is written
    // with the line. Otherwise the current line changes now.
    view::Grid& grid = ctx_.grid();
    if (f.cmdAdd.caption() != "Add to Grid" && grid.row() >= 1) {
        history_.record("Change tax exemption", [&] {
            grid.setText(grid.row(), Col::Exempt, std::string(box.checked() ? kExemptMark : kNotExemptMark));
        });
        rows_.rebuildExemptTracker();
    }
    if (st.CurrentOrderStatus > 0) {
        taxCommand_();
    } else if (OrderEventRules::OrderEventAllowsExemptTaxes(st.ZeltEvent)) {
        f.cmdUpdateTaxes.setEnabled(true);
        st.IsDirty = true;
    } else {
        f.cmdUpdateTaxes.setEnabled(false);
        st.IsDirty = false;
    }
}

void EntryHandlers::lblCarrier_Click()
{
    view::Form& f = ctx_.form;
    const LookupLists& lists = ctx_.lists;
    const view::ComboBox& combo = f.cboFld[Combo::Carrier];
    std::string display;
    if (combo.listIndex() >= 0) {
        display = combo.text();
    } else {
        display = f.txtField[Field::Carrier].text();
        if (display.empty()) {
            ctx_.message("The Carrier of the line item must be selected in order to display it's details",
                         "Information Required", view::MessageBoxButtons::Ok, view::MessageBoxIcon::Information);
            return;
        }
    }
    // A carrier that is not in the list raises nothing.
    auto code = lists.codeForDisplay(lists.carrierList, display);
    if (!code) return;
    std::int32_t id = text::toInt32(ctx_.number(*code));
    if (ctx_.events) ctx_.events->GetCarrierID(id);
    ctx_.state.carrierLinkVisited = true;
    f.lblCarrier.setForeColor(view::colors::kPurple);
}

} // namespace zelt
