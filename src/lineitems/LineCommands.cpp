#include "lineitems/LineCommands.h"

#include "core/ControlContext.h"
#include "lineitems/EntryArea.h"
#include "lineitems/EntryFields.h"
#include "lineitems/LineHistory.h"
#include "lineitems/LineRows.h"
#include "services/ComboContent.h"
#include "totals/TotalsRecalculation.h"
#include "zelt/text/RuntimeError.h"

#include <array>

namespace zelt {

namespace {

/// What one line button shows after a load in one mode. Visibility left
/// unset keeps the button as it is.
struct ButtonRule {
    view::CommandButton view::Form::*button;
    bool enabled;
    int visible; // -1 unchanged
    const char* caption = nullptr;
    int left = -1;
};

struct ModeButtons {
    Mode mode;
    std::array<ButtonRule, 5> rules;
};

using F = view::Form;
constexpr std::array<ModeButtons, 4> kModeButtons = {{
    {Mode::AddMode,
     {{{&F::cmdAdd, true, -1}, {&F::cmdEdit, false, 1}, {&F::cmdDelete, false, 0}, {&F::cmdLineItemCan, false, 0},
       {nullptr, false, -1}}}},
    {Mode::UpdateMode,
     {{{&F::cmdAdd, true, -1}, {&F::cmdEdit, false, 1}, {&F::cmdDelete, false, 0}, {&F::cmdLineItemCan, false, 0},
       {nullptr, false, -1}}}},
    {Mode::ViewMode,
     {{{&F::cmdAdd, false, -1}, {&F::cmdEdit, false, 1}, {&F::cmdDelete, false, 0}, {&F::cmdLineItemCan, false, 0},
       {nullptr, false, -1}}}},
    {Mode::LineCancelMode,
     {{{&F::cmdAdd, false, -1, "Calculate"},
       {&F::cmdEdit, false, 0},
       {&F::cmdDelete, false, 0},
       {&F::cmdLineItemCan, true, 1, nullptr, 6090},
       {&F::cmdUpdateTaxes, true, 1}}}},
}};

} // namespace

void LineCommands::bind()
{
    view::Form& f = ctx_.form;
    view::Grid& grid = ctx_.grid();
    grid.Click = ctx_.guard([this] { gridClick(); });
    grid.SelChange = ctx_.guard([this] { gridClick(); });
    grid.MouseDown = ctx_.guard([this](view::MouseButton b) { gridMouseDown(b); });
    grid.MouseUp = ctx_.guard([this](view::MouseButton b) { gridMouseUp(b); });
    f.cmdEdit.Click = ctx_.guard([this] { cmdEdit_Click(); });
    f.cmdDelete.Click = ctx_.guard([this] { cmdDelete_Click(); });
    f.cmdLineItemCan.Click = ctx_.guard([this] { cmdLineItemCan_Click(); });
    f.mnuCopyMenu.forEach([this](int index, view::MenuEntry& entry) {
        entry.Click = ctx_.guard([this, index] { mnuCopyMenu_Click(index); });
    });
}

void LineCommands::startNewOrder()
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    setButtonsForMode();
    history_.clear();
    st.clipCells.clear();
    st.suppressGridClick = false;
    setMenu("Copy", "Cut", false);
    if (!st.lineCancelFroze) return;
    st.lineCancelFroze = false;
    for (const EntryFieldFact& fact : kEntryFields) f.txtField[fact.field].setEnabled(true);
    for (int i : {Combo::Status, Combo::Unit, Combo::Carrier}) f.cboFld[i].setEnabled(true);
    f.OptVndrCntryID.forEach([](int, view::OptionButton& o) { o.setEnabled(true); });
    f.DTPckrPriceListDate.setEnabled(true);
    f.chkTaxes.forEach([](int, view::CheckBox& box) { box.setEnabled(true); });
    for (view::CheckBox* box : {&f.chkDutyBrokerageFee, &f.chkDutyFee, &f.chkServiceFee, &f.chkCentrHandlingFee,
                                &f.chkSurChargeFee})
        box->setEnabled(true);
    f.chkAppFreight.setEnabled(st.AllowFreightOverride);
    f.chkAppEHD.setEnabled(st.AllowEHDOverride);
}

void LineCommands::setButtonsForMode()
{
    view::Form& f = ctx_.form;
    for (const ModeButtons& m : kModeButtons) {
        if (m.mode != ctx_.state.mode) continue;
        for (const ButtonRule& rule : m.rules) {
            if (!rule.button) continue;
            view::CommandButton& button = f.*rule.button;
            if (rule.caption) button.setCaption(rule.caption);
            if (rule.left >= 0) button.setLeft(rule.left);
            button.setEnabled(rule.enabled);
            if (rule.visible >= 0) button.setVisible(rule.visible == 1);
        }
    }
}

void LineCommands::gridClick()
{
    ControlState& st = ctx_.state;
    if (st.suppressGridClick) return;
    st.loadingLine = true;
    // The loading flag comes down however the copy ends.
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{st.loadingLine};
    if (rows_.lineCount() == 0) return;

    view::Form& f = ctx_.form;
    view::Grid& grid = ctx_.grid();
    const bool nothingOpen = f.cmdAdd.caption() == "Add";
    if (st.mode == Mode::AddMode && nothingOpen) {
        f.cmdEdit.setEnabled(true);
        f.cmdDelete.setVisible(true);
        f.cmdDelete.setEnabled(true);
    } else if (st.mode == Mode::UpdateMode && nothingOpen) {
        f.cmdEdit.setEnabled(true);
    }
    grid.setHighlightStyle(1);
    const int row = grid.row();
    if (nothingOpen && row > 0) {
        f.chkExempt.setEnabled(true);
        f.chkExempt.setValue(rows_.isRowExempt(row) ? 1 : 0);
    } else {
        f.chkExempt.setEnabled(false);
    }
    if (row < 1) return;
    copyLineIntoEntry(row);
    if (f.cboFld[Combo::Status].visible()) {
        f.cboFld[Combo::Status].setText(f.txtField[Field::Status].text());
        f.cboFld[Combo::Unit].setText(f.txtField[Field::Unit].text());
        f.cboFld[Combo::Carrier].setText(f.txtField[Field::Carrier].text());
    }
    st.selectedLineStatus = text::toInt16(ctx_.cellNumber(row, Col::Status));
    const bool acknowledging = ctx_.isAcknowledgingSelectedLine();
    f.imgBulletAck.forEach([acknowledging](int, view::Image& bullet) { bullet.setVisible(acknowledging); });
    if (st.mode == Mode::LineCancelMode) f.chkExempt.setEnabled(false);
}

void LineCommands::copyLineIntoEntry(int row)
{
    view::Form& f = ctx_.form;
    const view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    // The Direction box first: clearing it empties the price list date, which
    // the line's own date then fills.
    const bool direction = ctx_.tryCellNumber(row, Col::DirectionOrder).value_or(0) != 0;
    f.chkDirection.setValue(direction ? 1 : 0);
    if (direction) f.cboFld[Combo::Issue].setText(std::string(grid.text(row, Col::DirectionIssue)));
    else f.cboFld[Combo::Issue].setListIndex(-1);

    // Prices are shown in the line's price currency: emptied first, so that
    // choosing the currency converts nothing left from another line.
    f.txtField[Field::UnitPrice].setText("");
    f.txtField[Field::AckPrice].setText("");
    const bool usa = text::leadingNumber(grid.text(row, Col::CurrencyID)) == 1;
    f.OptVndrCntryID[usa ? 0 : 1].setValue(true);
    const COUNTRY country = ctx_.state.orderCountry;
    const double rate = lists.currencyConversionRate;

    for (const EntryFieldFact& fact : kEntryFields) {
        const std::string cell(grid.text(row, fact.column));
        view::TextBox& box = f.txtField[fact.field];
        switch (fact.copy) {
        case EntryCopy::Text: box.setText(cell); break;
        case EntryCopy::StatusDisplay:
            if (auto display = lists.displayForCode(lists.statusList, cell)) box.setText(*display);
            break;
        case EntryCopy::CarrierDisplay:
            if (auto display = lists.displayForCode(lists.carrierList, cell)) box.setText(*display);
            break;
        case EntryCopy::ConvertedPrice: {
            double v = ctx_.number(cell);
            if (usa && country == COUNTRY::CANADA) v = text::divide(v, rate);
            else if (!usa && country == COUNTRY::USA) v = text::checked(v * rate);
            box.setText(ctx_.fixed(v, 2));
            break;
        }
        }
    }
}

void LineCommands::gridMouseDown(view::MouseButton button)
{
    ControlState& st = ctx_.state;
    if (button == view::MouseButton::Left && st.mode == Mode::LineCancelMode && ctx_.grid().mouseCol() == Col::Exempt) {
        ctx_.message("Please use the cancel line item button to cancel this line item.", "",
                     view::MessageBoxButtons::Ok, view::MessageBoxIcon::Information);
        st.suppressGridClick = true;
    } else {
        st.suppressGridClick = false;
    }
}

void LineCommands::gridMouseUp(view::MouseButton button)
{
    const Mode mode = ctx_.state.mode;
    if (button != view::MouseButton::Right || mode == Mode::ViewMode || mode == Mode::LineCancelMode) return;
    view::Form& f = ctx_.form;
    if (ctx_.grid().highlightStyle() == 1) {
        f.mnuCopyMenu[1].setEnabled(true);
        f.mnuCopyMenu[4].setEnabled(true);
    }
    f.popupMenu(f.mnuCopy);
}

void LineCommands::setPickersFromTexts()
{
    view::Form& f = ctx_.form;
    const std::string& priceList = f.txtField[Field::PriceListDate].text();
    if (!priceList.empty()) f.DTPckrPriceListDate.setValue(text::Date::parse(priceList, ctx_.locale));
    // A line without an acknowledgement date shows none: the picker's date
    // would otherwise be written into it.
    const std::string& ack = f.txtField[Field::AckDate].text();
    f.DTPckrAklwdgmntDate.setValue(ack.empty() ? std::nullopt : text::Date::parse(ack, ctx_.locale));
}

void LineCommands::cmdEdit_Click()
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    if (f.cmdEdit.caption() == "Edit") {
        f.cmdAdd.setEnabled(true);
        f.cmdAdd.setCaption("Update");
        f.cmdEdit.setCaption("Cancel");
        f.cmdDelete.setEnabled(false);
        entryArea_.reset(true);
        combos_.PopulateComboBoxes(st.IsCenterLevel, false, true);
        gridClick();
        setPickersFromTexts();
        // The line being edited stays the current one until it is written.
        ctx_.grid().setEnabled(false);
        f.cboFld[Combo::Status].setFocus();
        f.chkExempt.setEnabled(true);
        entryArea_.lineOpened();
        return;
    }
    entryArea_.setExemptBox(false);
    entryArea_.reset(false);
    if (st.mode == Mode::UpdateMode) f.OptVndrCntryID.forEach([](int, view::OptionButton& o) { o.setEnabled(true); });
    combos_.PopulateComboBoxes(false, false, false);
    view::Grid& grid = ctx_.grid();
    grid.setEnabled(true);
    if (rows_.lineCount() > 0 && grid.row() > 0) {
        const double status = ctx_.cellNumber(grid.row(), Col::Status);
        const LookupLists& lists = ctx_.lists;
        if (status != lists.statusPosition1 + 1 || status != lists.statusPosition6 + 1 ||
            status != lists.statusPosition7 + 1) {
            f.cmdEdit.setEnabled(false);
            // Edit waits for a click: no line is shown selected meanwhile.
            grid.setHighlightStyle(0);
        }
    }
    // The clerk goes on from the lines, as after Esc.
    if (grid.visible()) grid.setFocus();
}

void LineCommands::cmdDelete_Click()
{
    // Several lines selected together go together: one question, one
    // renumbering, one step to undo.
    const std::vector<int> selected = ctx_.grid().selectedRows();
    const bool several = selected.size() > 1;
    const auto answer =
        ctx_.message(several ? "Delete the " + std::to_string(selected.size()) + " selected line items?"
                             : std::string("Do you want to delete the selected line item?"),
                     "Information Validation", view::MessageBoxButtons::YesNo, view::MessageBoxIcon::Question);
    if (answer != view::MessageBoxAnswer::Yes) return;
    view::Form& f = ctx_.form;
    const int row = ctx_.grid().row();
    if (row < 1) return;
    if (several) history_.record("Delete lines", [&] { rows_.removeLines(selected); });
    else history_.record("Delete line", [&] { rows_.removeLine(row, true); });
    f.cmdUpdateTaxes.setEnabled(true);
    f.cmdDelete.setEnabled(false);
    f.cmdEdit.setEnabled(false); // the deleted line was the selected one
    totals_.fupdate();
    // The exempt box showed the deleted line: cleared without asking, as on Cancel.
    entryArea_.setExemptBox(false);
    entryArea_.reset(false);
    ctx_.markDirtyByUser();
    // The Delete button is gone with its line: the clerk goes on from the lines.
    if (ctx_.grid().visible()) ctx_.grid().setFocus();
}

void LineCommands::cmdLineItemCan_Click()
{
    view::Form& f = ctx_.form;
    ctx_.state.lineCancelFroze = true;
    f.cmdLineItemCan.setEnabled(false);
    f.cmdAdd.setEnabled(true);
    f.cmdAdd.setCaption("Update");
    entryArea_.reset(true);
    combos_.PopulateComboBoxes(ctx_.state.IsCenterLevel, false, true);
    gridClick();
    setPickersFromTexts();
    view::ComboBox& status = f.cboFld[Combo::Status];
    status.setEnabled(false);
    if (status.listCount() > 4) status.setListIndex(4);
    for (const EntryFieldFact& fact : kEntryFields)
        if (fact.frozenByLineCancel) f.txtField[fact.field].setEnabled(false);
    for (view::CheckBox* box : {&f.chkDutyBrokerageFee, &f.chkDutyFee, &f.chkAppEHD, &f.chkServiceFee, &f.chkAppFreight,
                                &f.chkCentrHandlingFee, &f.chkSurChargeFee})
        box->setEnabled(false);
    f.chkTaxes.forEach([](int, view::CheckBox& box) { box.setEnabled(false); });
    f.cboFld[Combo::Unit].setEnabled(false);
    f.cboFld[Combo::Carrier].setEnabled(false);
    f.OptVndrCntryID.forEach([](int, view::OptionButton& o) { o.setEnabled(false); });
    f.DTPckrPriceListDate.setEnabled(false);
}

void LineCommands::setMenu(const char* first, const char* second, bool secondEnabled)
{
    view::Form& f = ctx_.form;
    f.mnuCopyMenu[1].setCaption(first);
    f.mnuCopyMenu[2].setCaption(second);
    f.mnuCopyMenu[2].setEnabled(secondEnabled);
}

void LineCommands::mnuCopyMenu_Click(int index)
{
    view::Form& f = ctx_.form;
    view::Grid& grid = ctx_.grid();
    ControlState& st = ctx_.state;
    const std::string action = f.mnuCopyMenu[index].caption();
    if (action == "Copy") {
        const int row = grid.row();
        if (row < grid.fixedRows()) return;
        st.clipCells.clear();
        for (int c = 0; c <= Col::ExtPrice; ++c) st.clipCells.emplace_back(grid.text(row, c));
        setMenu("Add", "Update", true);
    } else if (action == "Add" && !st.clipCells.empty()) {
        history_.record("Add copied line", [&] {
            grid.addRow();
            const int row = grid.rows() - 1;
            for (int c = 0; c <= Col::ExtPrice; ++c) grid.setText(row, c, st.clipCells[static_cast<std::size_t>(c)]);
            grid.setAlignment(row, Col::Description, view::Grid::Alignment::LeftTop);
            grid.setAlignment(row, Col::ModelNo, view::Grid::Alignment::LeftTop);
            grid.setText(row, Col::LineItem, std::to_string(rows_.nextLineNumber(row)) + "N");
            grid.setText(row, Col::Status, std::to_string(ctx_.lists.statusPosition1 + 1));
            grid.setText(row, Col::ExtPrice,
                         ctx_.fixed(text::checked(ctx_.cellNumber(row, Col::UnitPrice) *
                                                  ctx_.cellNumber(row, Col::Quantity)),
                                    2));
            rows_.rebuildExemptTracker();
        });
        // The new line becomes the current one: the clerk sees where it went.
        grid.setCurrentCell(grid.rows() - 1, std::max(grid.col(), 0));
        totals_.fupdate();
        ctx_.markDirtyByUser();
        setMenu("Copy", "Cut", false);
    } else if (action == "Update" && !st.clipCells.empty()) {
        const int row = grid.row();
        if (row < 1) return;
        history_.record("Update from copied line", [&] {
            const std::string own(grid.text(row, Col::LineItem));
            for (int c = 0; c <= Col::ExtPrice; ++c) grid.setText(row, c, st.clipCells[static_cast<std::size_t>(c)]);
            grid.setText(row, Col::LineItem, LineRows::isPlainNumber(own) ? own + "U" : own);
            rows_.removeLine(row, false);
        });
        totals_.fupdate();
        ctx_.markDirtyByUser();
        setMenu("Copy", "Cut", true);
    } else if (index == 4) {
        st.clipCells.clear();
        setMenu("Copy", "Cut", false);
    }
}

bool LineCommands::undo()
{
    if (ctx_.form.cmdAdd.caption() != "Add" || !history_.undo()) return false;
    afterHistoryStep();
    return true;
}

bool LineCommands::redo()
{
    if (ctx_.form.cmdAdd.caption() != "Add" || !history_.redo()) return false;
    afterHistoryStep();
    return true;
}

void LineCommands::afterHistoryStep()
{
    view::Form& f = ctx_.form;
    view::Grid& grid = ctx_.grid();
    rows_.rebuildExemptTracker();
    // No line is selected after the step: Edit and Delete wait for a click.
    grid.setHighlightStyle(0);
    grid.setEnabled(true);
    f.cmdEdit.setEnabled(false);
    f.cmdDelete.setEnabled(false);
    if (rows_.lineCount() == 0) f.cmdDelete.setVisible(false);
    totals_.fupdate();
    entryArea_.reset(false);
    f.cmdUpdateTaxes.setEnabled(true);
    ctx_.markDirtyByUser();
}

} // namespace zelt
