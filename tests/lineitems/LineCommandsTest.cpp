#include "lineitems/LineEditingFixture.h"
#include "support/Throws.h"

#include "zelt/ExportError.h"

#include <functional>
#include <tuple>

using namespace zelt;
using zelt::testing::LineSpec;
using zelt::testing::lineWith;
using L = LineSpec;

namespace {

class LineCommands : public zelt::testing::LineEditing {
protected:
    /// Every cell of every line, the exempt tracker and the merchandise total.
    std::vector<std::string> snapshot()
    {
        std::vector<std::string> out;
        for (int r = 0; r < grid().rows(); ++r)
            for (int c = 0; c < grid().cols(); ++c) out.push_back(cell(r, c));
        out.push_back(control->ExemptItems());
        out.push_back(form().txtField[18].text());
        return out;
    }
    void deleteRow(int row, view::MessageBoxAnswer answer = view::MessageBoxAnswer::Yes)
    {
        selectRow(row);
        boxes->answerNext(answer);
        form().cmdDelete.userClick();
    }
    /// Opens the second line for editing, or a new line.
    void openLine(bool edit)
    {
        if (!edit) return clickAdd();
        selectRow(2);
        form().cmdEdit.userClick();
    }
    /// Lines "Line 1" ... "Line n", numbered 1 ... n.
    static std::vector<LineSpec> numbered(int n)
    {
        std::vector<LineSpec> out;
        for (int i = 1; i <= n; ++i)
            out.push_back(lineWith({{&L::lineItem, std::to_string(i).c_str()}, {&L::description, ("Line " + std::to_string(i)).c_str()}}));
        return out;
    }
};

} // namespace

TEST_F(LineCommands, SelectingALineCopiesItIntoTheEntryFields)
{
    // A line in boxes, priced in Canadian dollars on a US order: the entry shows the price back in the line's currency.
    control->CountryID(COUNTRY::USA, 1);
    load(Mode::AddMode, {lineWith({{&L::unit, "BX"}, {&L::currencyId, "2"}, {&L::unitPrice, "12.5"}, {&L::description, "Bookcase"}})});
    form().txtField[4].setText("99");
    selectRow(1);
    EXPECT_EQ(grid().highlightStyle(), 1);
    for (auto [index, shown] : {std::pair{0, "Open"}, {1, "Bookcase"}, {5, "Box"}, {8, "FedEx"}})
        EXPECT_EQ(field(index).text(), shown) << index;
    EXPECT_TRUE(form().OptVndrCntryID[1].value());
    EXPECT_EQ(field(4).text(), "15.63") << "12.50 x 1.25";
    EXPECT_EQ(std::tuple(form().cmdEdit.enabled(), form().cmdDelete.visible(), form().chkExempt.checked()), std::tuple(true, true, false));
}

TEST_F(LineCommands, LookingAtALineRightAfterALoadChangesNothing)
{
    const LineSpec canadianPrices = lineWith({{&L::currencyId, "2"}}); // its price currency option differs from the first line's
    for (Mode mode : {Mode::ViewMode, Mode::UpdateMode, Mode::AddMode}) {
        load(mode, {LineSpec{}, canadianPrices});
        ASSERT_FALSE(control->IsDirty());
        const auto loaded = control->Revision();
        selectRow(1);
        selectRow(2);
        EXPECT_FALSE(control->TaxesOutOfDate());
        EXPECT_FALSE(control->IsDirty()) << static_cast<int>(mode);
        EXPECT_EQ(control->Revision(), loaded) << "what the entry area shows is not a change of the order";
        EXPECT_EQ(field(5).text(), "Each");
    }
    // An open line is unsaved work; once written, the order has moved on.
    const auto before = control->Revision();
    openValidLine();
    EXPECT_TRUE(control->IsLineOpen());
    EXPECT_EQ(control->Revision(), before);
    EXPECT_FALSE(control->TaxesOutOfDate()) << "a line open is not yet a change";
    clickAdd();
    EXPECT_FALSE(control->IsLineOpen());
    EXPECT_NE(control->Revision(), before);
    // The clerk's change leaves the taxes out of date until worked out again or another order is loaded.
    EXPECT_TRUE(control->TaxesOutOfDate());
    control->SetTaxNFees();
    EXPECT_FALSE(control->TaxesOutOfDate());
    deleteRow(1);
    EXPECT_TRUE(control->TaxesOutOfDate());
    load(Mode::AddMode, {LineSpec{}});
    EXPECT_FALSE(control->TaxesOutOfDate());
}

TEST_F(LineCommands, DeletingRenumbersTheLinesBelowAndAsksFirst)
{
    control->setViewMode(Mode::AddMode);
    for (int i = 0; i < 2; ++i) { openValidLine(); clickAdd(); }
    ASSERT_EQ(column(1), (std::vector<std::string>{"1", "2", "3", "4N", "5N"}));
    deleteRow(2, view::MessageBoxAnswer::No);
    EXPECT_EQ(std::pair(lastBox().text, lastBox().title), std::pair(std::string("Do you want to delete the selected line item?"), std::string("Information Validation")));
    EXPECT_EQ(grid().rows(), 6) << "No changes nothing";
    selectRow(2);
    form().cmdDelete.setFocus();
    boxes->answerNext(view::MessageBoxAnswer::Yes);
    form().cmdDelete.userClick();
    EXPECT_TRUE(grid().hasFocus()) << "the Delete button goes with its line";
    EXPECT_EQ(column(1), (std::vector<std::string>{"1", "2", "3N", "4N"}));
    EXPECT_EQ(form().txtField[18].text(), "55.00");
    EXPECT_EQ(grid().highlightStyle(), 0);
    for (int i = 0; i < 4; ++i) deleteRow(1);
    EXPECT_EQ(std::tuple(grid().rows(), form().cmdDelete.visible(), form().cmdEdit.enabled()), std::tuple(1, false, false));
}

TEST_F(LineCommands, ThePopupMenuCopiesALine)
{
    selectRow(3);
    grid().userMouseUp(view::MouseButton::Right, 3, 8);
    EXPECT_EQ(form().popupCount(), 1);
    EXPECT_TRUE(form().mnuCopyMenu[1].enabled());
    form().mnuCopyMenu[1].userClick();
    EXPECT_EQ(std::pair(form().mnuCopyMenu[1].caption(), form().mnuCopyMenu[2].caption()), std::pair(std::string("Add"), std::string("Update")));
    form().mnuCopyMenu[1].userClick();
    ASSERT_EQ(grid().rows(), 5);
    EXPECT_EQ(cells(4, {1, 2, 20}), (std::vector<std::string>{"4N", "1", "7.50"}));
    EXPECT_EQ(grid().row(), 4) << "the new line is the current one";
    EXPECT_EQ(std::tuple(form().mnuCopyMenu[1].caption(), form().mnuCopyMenu[2].enabled(), form().txtField[18].text()), std::tuple(std::string("Copy"), false, std::string("30.00")));

    // "Update" copies the remembered line 1 over line 2, keeping its number
    grid().setText(1, 12, "Changed");
    for (int row : {1, 2}) { selectRow(row); form().mnuCopyMenu[row].userClick(); }
    EXPECT_EQ(cells(2, {12, 1}), (std::vector<std::string>{"Changed", "2U"}));
    control->setViewMode(Mode::ViewMode);
    grid().userMouseUp(view::MouseButton::Right, 2, 8);
    EXPECT_EQ(form().popupCount(), 1) << "View Mode shows no menu";
    // A new order forgets the copied line: the menu offers Copy again
    form().mnuCopyMenu[1].userClick();
    control->setReadData(zelt::testing::lines({LineSpec{}}));
    EXPECT_EQ(form().mnuCopyMenu[1].caption(), "Copy");
}

TEST_F(LineCommands, ThePopupAddCopiesTheLineCopiedWhateverWasDeletedSince)
{
    for (int deleted : {1, 2}) {
        SCOPED_TRACE(deleted);
        load(Mode::AddMode, numbered(5));
        selectRow(3);
        grid().userMouseUp(view::MouseButton::Right, 3, 8);
        form().mnuCopyMenu[1].userClick();
        for (int d = 0; d < deleted; ++d) deleteRow(1);
        selectRow(1);
        grid().userMouseUp(view::MouseButton::Right, 1, 8);
        form().mnuCopyMenu[1].userClick();
        const int added = grid().rows() - 1;
        EXPECT_EQ(cells(added, {12, 20}), (std::vector<std::string>{"Line 3", "7.50"}));
        control->setReadData(control->readData());
        EXPECT_EQ(cell(added, 12), "Line 3");
    }
}

TEST_F(LineCommands, LineCancelTakesTheFifthStatusAndFreezesTheRest)
{
    control->setViewMode(Mode::LineCancelMode);
    control->setReadData(zelt::testing::lines({LineSpec{}, LineSpec{}}));
    // A press on the Exempt column tells the clerk to use the button, and the click is suppressed.
    grid().userMouseDown(view::MouseButton::Left, 2, 21);
    EXPECT_EQ(lastBox().text, "Please use the cancel line item button to cancel this line item.");
    grid().userClick(2, 21);
    EXPECT_EQ(field(1).text(), "");
    grid().userMouseDown(view::MouseButton::Left, 2, 8);
    grid().userClick(2, 8);
    EXPECT_EQ(field(1).text(), "Desk");
    // The line cancel opens the line with the fifth status and only that to change.
    form().cmdLineItemCan.userClick();
    EXPECT_EQ(form().cmdAdd.caption(), "Update");
    EXPECT_EQ(std::tuple(form().cboFld[1].text(), form().cboFld[1].enabled(), field(3).enabled(), form().chkServiceFee.enabled()),
              std::tuple(std::string("Line Cancelled"), false, false, false));
    clickAdd();
    EXPECT_EQ(cells(2, {2, 20}), (std::vector<std::string>{"5", "0.00"})) << "a cancelled line is not priced";
    EXPECT_EQ(std::tuple(form().cmdAdd.caption(), form().cmdAdd.enabled(), form().cmdLineItemCan.enabled()), std::tuple(std::string("Update"), false, true));
    EXPECT_EQ(grid().background(2, 6), view::Color::buttonFace());
    // The next order, in another mode, is not frozen by this one's line cancel.
    control->setViewMode(Mode::UpdateMode);
    control->setReadData(zelt::testing::lines({LineSpec{}}));
    clickAdd();
    for (view::Widget* w : std::initializer_list<view::Widget*>{&field(3), &form().cboFld[1], &form().chkTaxes[13], &form().OptVndrCntryID[1]})
        EXPECT_TRUE(w->enabled()) << w->qualifiedName();
}

TEST_F(LineCommands, FieldHandlersFormatFillAndFollowTheDirectionBox)
{
    openValidLine();
    // Leaving a number field formats it; a bad one stays for the add button.
    for (auto [index, typed, shown] : std::vector<std::tuple<int, const char*, const char*>>{
             {3, "3", "3.00"}, {3, "-3", "-3"}, {3, "abc", "abc"}, {4, "1234.5", "1,234.50"}, {7, "2.5", "2.500"}}) {
        field(index).setFocus();
        field(index).setText(typed);
        field(1).setFocus();
        EXPECT_EQ(field(index).text(), shown) << typed;
    }
    // The Direction issue brings its price list date.
    form().chkDirection.userClick();
    form().cboFld[4].userSelect(1);
    EXPECT_EQ(std::pair(field(6).text(), field(6).locked()), std::pair(std::string("2024-09-01"), true));
    form().chkDirection.userClick();
    EXPECT_EQ(std::pair(field(6).text(), field(6).locked()), std::pair(std::string(""), false)) << "a line is open";
    EXPECT_EQ(form().cboFld[4].listIndex(), -1);
}

TEST_F(LineCommands, TheExemptBoxAsksAndMarksTheLineAndTheTrackerFollowsTheColumn)
{
    selectRow(2);
    // No: the tick goes back and nothing else changes.
    boxes->answerNext(view::MessageBoxAnswer::No);
    form().chkExempt.userClick();
    EXPECT_EQ(std::tuple(lastBox().title, form().chkExempt.checked(), cell(2, 21)), std::tuple(std::string("Tax Liability Change"), false, std::string("")));
    // Yes: the line is exempt and the tax command is offered.
    form().cmdUpdateTaxes.setEnabled(false);
    boxes->answerNext(view::MessageBoxAnswer::Yes);
    form().chkExempt.userClick();
    EXPECT_EQ(std::tuple(cell(2, 21), control->ExemptItems(), form().cmdUpdateTaxes.enabled(), control->IsDirty()),
              std::tuple(std::string("\xC3\xBE"), std::string("2|"), true, true));
    // Selecting a line sets the box without asking.
    const auto asked = boxes->shown().size();
    selectRow(1);
    selectRow(2);
    EXPECT_EQ(std::pair(form().chkExempt.checked(), boxes->shown().size()), std::pair(true, asked));
    // The tracker follows the Exempt column, from an order loaded with line 2 exempt.
    const LineSpec plain, exempt = lineWith({{&L::exempt, "-1"}});
    load(Mode::AddMode, {plain, exempt, plain});
    ASSERT_EQ(control->ExemptItems(), "2|");
    openValidLine();
    boxes->answerNext(view::MessageBoxAnswer::Yes);
    form().chkExempt.userClick();
    clickAdd();
    EXPECT_EQ(control->ExemptItems(), "2|4|");
    deleteRow(1); // a line above them goes: their rows move up
    EXPECT_EQ(control->ExemptItems(), "1|3|");
    EXPECT_EQ(control->PasteLines("Pen\tP-1\t1\tEach\t2\n"), 1);
    EXPECT_EQ(control->ExemptItems(), "1|3|");
    EXPECT_TRUE(control->Undo());
    EXPECT_TRUE(control->Undo());
    EXPECT_EQ(control->ExemptItems(), "2|4|");
    // Deleting the selected exempt line clears the box: the next new line does not start exempt
    selectRow(2);
    ASSERT_TRUE(form().chkExempt.checked());
    deleteRow(2);
    EXPECT_FALSE(form().chkExempt.checked());
    EXPECT_EQ(boxes->shown().back().text, "Do you want to delete the selected line item?") << "nothing more was asked";
}

TEST_F(LineCommands, TheCarrierLinkAsksTheHostForTheCarrier)
{
    struct Sink : OrderedItemsEvents {
        std::vector<std::int32_t> carriers;
        void GetCarrierID(std::int32_t& id) override { carriers.push_back(id); }
    } sink;
    control->setEventSink(&sink);
    view::Label& link = form().lblCarrier;
    link.userClick();
    EXPECT_EQ(lastBox().text, "The Carrier of the line item must be selected in order to display it's details");
    EXPECT_TRUE(sink.carriers.empty());
    selectRow(1);
    link.userMouseDown(view::MouseButton::Left);
    EXPECT_EQ(link.foreColor(), view::colors::kRed);
    link.userClick();
    EXPECT_EQ(sink.carriers, (std::vector<std::int32_t>{3}));
    link.userMouseUp(view::MouseButton::Left);
    EXPECT_EQ(link.foreColor(), view::colors::kPurple) << "visited";
    control->setEventSink(nullptr);
}

TEST_F(LineCommands, ExportGivesEveryLineInTheExchangeFormat)
{
    clickAdd(); // a line open: the export refuses
    EXPECT_EQ(control->readData(), "");
    EXPECT_EQ(lastBox().text, "Merchandise line item(s) must be added to the grid.");
    form().cmdEdit.userClick();

    const LineSpec line = lineWith({{&L::currencyId, "1N"}, {&L::quantity, "2.5"}, {&L::model, "A-1"}, {&L::unitPrice, "10"}, {&L::exempt, "-1"}});
    load(Mode::UpdateMode, {line, lineWith({{&L::lineItem, "2"}, {&L::currencyId, ""}, {&L::quantity, "3.5"}, {&L::exempt, "0"}}, line)});
    const std::string out = control->readData();
    const std::string first = "500$F$1$F$1$F$3$F$0$F$$F$2.50$F$EA$F$A-1$F$$F$$F$$F$Desk$F$2.500$F$Jan 05, 2024$F$"
                              "10.00$F$1$F$$F$0.00$F$$F$25.00$F$\xC3\xBE$F$$R$";
    EXPECT_EQ(out.substr(0, first.size()), first);
    EXPECT_EQ(out.substr(out.size() - 3), "$R$");
    EXPECT_NE(out.find("$F$0$F$$F$0.00"), std::string::npos) << "an empty CurrencyID exports 0";
    EXPECT_EQ(cells(1, {7, 16}), (std::vector<std::string>{"Each", "1"})) << "the grid keeps the unit and the exported CurrencyID number";
    EXPECT_EQ(cells(2, {7, 16}), (std::vector<std::string>{"Each", "0"})) << "each line keeps its own exported number";
    EXPECT_EQ(control->readDataForAvalara(), "2|A-1|10|-1<NewRow>4|A-1|10|0<NewRow>");

    control->CountryID(COUNTRY::CANADA, 1);
    form().txtCurrConversionRate.setText("1.25");
    grid().setText(1, 15, "12.50");
    EXPECT_NE(control->readData().find("$F$10$F$1$F$"), std::string::npos) << "a Canadian order exports prices in the vendor's currency";
}

TEST_F(LineCommands, AnExportThatFailsSaysSoAndReturnsNothing)
{
    // A Canadian order whose rate box was emptied: the clerk sees the failure, the host gets where it is, no text.
    control->CountryID(COUNTRY::CANADA, 1);
    form().txtCurrConversionRate.setText("");
    const auto e = zelt::testing::caught<ExportError>([&] { control->readData(); });
    ASSERT_TRUE(e) << "exported";
    EXPECT_EQ(std::pair(e->row(), e->column()), std::pair(1, 15));
    EXPECT_EQ(lastBox().text, "readData GET modlue Division by zero 11");
    EXPECT_EQ(cell(1, 7), "Each") << "no unit cell keeps its code";
    for (auto [quantity, reason] : {std::pair{"abc", "Type mismatch"}, {"40000", "Overflow"}}) {
        grid().setText(2, 6, quantity);
        const auto avalara = zelt::testing::caught<ExportError>([&] { control->readDataForAvalara(); });
        ASSERT_TRUE(avalara) << quantity;
        EXPECT_EQ(std::tuple(avalara->row(), avalara->column(), avalara->reason()), std::tuple(2, 6, std::string(reason)));
    }
}

// A cell holding a separator would come back as other fields and lines:
// the export refuses it, naming the line and column; a "$" that starts no
// separator is exported and reads back as it was.
TEST_F(LineCommands, AnExportNeverWritesACellThatWouldNotReadBack)
{
    struct Case {
        const char* description;
        const char* recordSeparator; // GetComboContent's, in force from then on; empty: the default
        bool refused;
    };
    const Case cases[] = {
        {"Desk $5 off", "", false},         {"Desk$", "", false},          {"a$R", "", true},
        {"Desk $F$ chair", "", true},       {"Desk $R$ chair", "", true},  {"ends in $", "", false},
        {"Desk #4", "#", true},             {"Desk no. 4", "#", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        const auto withSeparator = [](std::string text, const std::string& separator) {
            for (std::size_t at = 0; (at = text.find("$R$", at)) != std::string::npos; at += separator.size())
                text.replace(at, 3, separator);
            return text;
        };
        if (*c.recordSeparator) control->GetComboContent(withSeparator(zelt::testing::lookupTables(), c.recordSeparator), "", c.recordSeparator, "");
        grid().setText(1, 12, c.description);
        const auto before = snapshot();
        std::string lines;
        const auto e = zelt::testing::caught<ExportError>([&] { lines = control->readData(); });
        ASSERT_EQ(e.has_value(), c.refused) << (e ? e->what() : "exported " + lines);
        if (e) {
            EXPECT_EQ(e->row(), 1);
            EXPECT_TRUE(e->column() <= 12) << e->column();
            EXPECT_NE(lastBox().text.find("Line 1:"), std::string::npos) << lastBox().text;
            EXPECT_EQ(snapshot(), before);
        } else {
            control->setReadData(lines);
            EXPECT_EQ(cell(1, 12), c.description);
        }
    }
}

TEST_F(LineCommands, PastedRowsGoThroughTheChecksAndComeInAsOneStep)
{
    const std::string rows = "Description\tModel\tQuantity\tUnit\tUnit Price\tUnit Weight\tCarrier\n"
                             "Desk\tD-1\t2\tEach\t10\r\n"
                             "Broken\t\tx\tEach\t5\n"
                             "Lamp\tL-1\t1\tBX\t20\t2.5\tUPS Ground\n"
                             "Chair\t\t1\tCrate\t5\n"
                             "Pen\tP-1\t2\tEach\t1.50\t0.1\tFedEx\t1e308\tA1\n"
                             "Bulk\tB-1\t2147483648\tEach\t1\n"
                             "Mug\tM-2\t1\t\t3\n";
    boxes->answerNext(view::MessageBoxAnswer::No);
    EXPECT_EQ(control->PasteLines(rows), 0);
    EXPECT_EQ(grid().rows(), 4) << "No to the list of refused rows adds nothing";
    const std::string& list = lastBox().text;
    // Row 8 names no unit; rows 6 and 7 are too large whatever the order's
    // acknowledgement state, and beyond what the freight component takes.
    for (const char* said : {"2 of 7 rows can be added", "Row 8, Unit of Measure: The unit measure of the line item is required.",
                             "Row 6, Aklwdgmnt Price: The Acknowledgement price of the line item is too large.",
                             "Row 7, Quantity: The quantity of the line item is too large.",
                             "Row 3, Quantity: The quantity of the line item can contain only numerical characters.",
                             "Row 5, Unit of Measure: The unit measure of the line item is required."})
        EXPECT_NE(list.find(said), std::string::npos) << said << "\n" << list;
    // Yes adds the valid rows, numbered on, with their units and carriers found by text or code.
    boxes->answerNext(view::MessageBoxAnswer::Yes);
    EXPECT_EQ(control->PasteLines(rows), 2);
    ASSERT_EQ(grid().rows(), 6);
    EXPECT_EQ(column(1), (std::vector<std::string>{"1", "2", "3", "4N", "5N"}));
    EXPECT_EQ(cells(5, {12, 7, 3, 13}), (std::vector<std::string>{"Lamp", "Box", "1", "2.500"}));
    EXPECT_EQ(cell(4, 3), "3") << "no carrier given: the last line's";
    EXPECT_EQ(form().txtField[18].text(), "62.50");
    EXPECT_EQ(control->Undo(), true); // the whole paste at once
    EXPECT_EQ(grid().rows(), 4);
    EXPECT_EQ(form().txtField[18].text(), "22.50");
}

TEST_F(LineCommands, EveryLineCommandUndoesAndRedoes)
{
    struct Case {
        const char* name;
        std::function<void()> command;
    };
    const std::vector<Case> cases = {
        {"add", [this] { openValidLine(); clickAdd(); }},
        {"update", [this] { openLine(true); field(3).setText("9"); clickAdd(); }},
        {"delete", [this] { control->setViewMode(Mode::AddMode); deleteRow(1); }},
        {"paste", [this] { control->PasteLines("Pen\tP\t1\tEach\t1\nInk\tI\t2\tBox\t3\n"); }},
        {"copied line", [this] { // Copy, then Add, from the pop-up menu of a right-clicked line
             selectRow(1); grid().userMouseUp(view::MouseButton::Right, 1, 8); form().mnuCopyMenu[1].userClick(); form().mnuCopyMenu[1].userClick(); }},
        {"exemption", [this] { selectRow(3); boxes->answerNext(view::MessageBoxAnswer::Yes); form().chkExempt.userClick(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control->setViewMode(Mode::UpdateMode);
        control->setReadData(zelt::testing::lines({LineSpec{}, LineSpec{}, LineSpec{}}));
        EXPECT_FALSE(control->CanUndo()) << "a load starts a new history";
        const auto before = snapshot();
        c.command();
        const auto after = snapshot();
        ASSERT_NE(before, after);
        ASSERT_TRUE(control->CanUndo());
        EXPECT_TRUE(control->Undo());
        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(control->Redo());
        EXPECT_EQ(snapshot(), after);
        EXPECT_FALSE(control->Redo());
    }
    openValidLine();
    EXPECT_FALSE(control->Undo()) << "nothing is undone while a line is open";
}

TEST_F(LineCommands, CancelClosesAnUntouchedLineButAsksBeforeItDiscardsChanges)
{
    for (bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "an edited line" : "a new line");
        openLine(edit);
        ASSERT_FALSE(grid().enabled());
        form().cmdEdit.setFocus();
        form().cmdEdit.userClick();
        EXPECT_EQ(std::pair(grid().enabled(), grid().hasFocus()), std::pair(true, true)) << "Cancel gives the grid back, with the focus";
        EXPECT_EQ(form().cmdAdd.caption(), "Add");
        selectRow(1);
        EXPECT_EQ(field(1).text(), "Desk");
        // Esc closes an untouched line at once.
        openLine(edit);
        ASSERT_TRUE(control->IsLineOpen());
        EXPECT_FALSE(control->IsOpenLineChanged());
        boxes->clearShown();
        EXPECT_TRUE(control->CancelOpenLine());
        EXPECT_EQ(std::pair(boxes->shown().empty(), control->IsLineOpen()), std::pair(true, false));
        // A changed one asks, and No keeps it.
        openLine(edit);
        field(1).selectAll();
        field(1).typeText("Changed");
        EXPECT_TRUE(control->IsOpenLineChanged());
        boxes->answerNext(view::MessageBoxAnswer::No);
        EXPECT_FALSE(control->CancelOpenLine());
        EXPECT_EQ(std::tuple(lastBox().text, lastBox().defaultNo, field(1).text()), std::tuple(std::string("Discard the changes to this line item?"), true, std::string("Changed")))
            << "Enter keeps the typing";
        boxes->answerNext(view::MessageBoxAnswer::Yes);
        EXPECT_TRUE(control->CancelOpenLine());
        EXPECT_EQ(grid().rows(), 4) << "nothing was written";
        EXPECT_EQ(cell(2, 12), "Desk");
    }
}

TEST_F(LineCommands, ALineWithoutAnAcknowledgementDateKeepsNone)
{
    // An order that takes acknowledgements, its first line acknowledged on a date: the second gets none.
    control->fGetOderIDStatus(true);
    grid().setText(1, 19, "Jan 12, 2024");
    selectRow(1);
    form().cmdEdit.userClick();
    form().cmdEdit.userClick(); // Cancel
    selectRow(2);
    form().cmdEdit.userClick();
    field(12).setText("9");
    field(13).setText("A-2");
    clickAdd();
    EXPECT_EQ(form().cmdAdd.caption(), "Add") << lastBox().text;
    EXPECT_EQ(cell(2, 19), "");
}

TEST_F(LineCommands, SeveralLinesAreDeletedCopiedAndPastedTogether)
{
    using Select = view::Grid::Select;
    std::vector<LineSpec> specs = numbered(6);
    specs[1] = lineWith({{&L::unit, "BX"}, {&L::unitPrice, "12.75"}}, specs[1]);
    load(Mode::AddMode, specs);
    const std::string exported = control->readData();
    // Shift extends from the line clicked first; Ctrl adds one more.
    selectRow(2);
    grid().userClick(4, 8, Select::Extend);
    grid().userClick(6, 8, Select::Toggle);
    EXPECT_EQ(grid().selectedRows(), (std::vector<int>{2, 3, 4, 6}));
    EXPECT_EQ(grid().row(), 6) << "the entry area shows the line clicked last";
    const std::string copied = control->CopyLines();
    EXPECT_EQ(copied.substr(0, copied.find('\n')), "Description\tModel\tQuantity\tUnit\tUnit Price\tUnit Weight\tCarrier\t"
                                                   "Acknowledgement Price\tAcknowledgement Number");
    boxes->answerNext(view::MessageBoxAnswer::Yes);
    form().cmdDelete.userClick();
    EXPECT_EQ(lastBox().text, "Delete the 4 selected line items?");
    EXPECT_EQ(column(12), (std::vector<std::string>{"Line 1", "Line 5"}));
    EXPECT_EQ(column(1), (std::vector<std::string>{"1", "2"})) << "renumbered once";
    EXPECT_TRUE(control->Undo()); // all four come back where they were
    EXPECT_EQ(control->readData(), exported);
    load(Mode::AddMode, {specs[0]});
    EXPECT_EQ(control->PasteLines(copied), 4) << lastBox().text;
    grid().setSelection({2, 3, 4, 5});
    EXPECT_EQ(control->CopyLines(), copied);
    EXPECT_EQ(cells(2, {7, 15}), (std::vector<std::string>{"Box", "12.75"}));
}
