#include "zelt/view/Form.h"
#include "zelt/view/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace zelt::view;

TEST(TextBox, TypingGoesKeyByKeyThroughKeyPressChangeAndKeyUp)
{
    Form form;
    TextBox& box = form.txtFee[0];
    box.setLocked(false);
    box.setText("");
    std::vector<std::string> events;
    box.KeyPress = [&](int& key) {
        events.push_back("press " + std::string(1, static_cast<char>(key)));
        if (key == 'x') key = 0; // discarded
    };
    box.Change = [&] { events.push_back("change " + box.text()); };
    box.KeyUp = [&](int key, int) { events.push_back("up " + std::string(1, static_cast<char>(key))); };
    box.typeText("1x");
    EXPECT_EQ(box.text(), "1");
    EXPECT_EQ(events, (std::vector<std::string>{"press 1", "change 1", "up 1", "press x", "up x"}));
    // A program change fires Change only when the text differs.
    box.setText("1");
    box.setText("2");
    EXPECT_EQ(std::vector(events.begin() + 5, events.end()), (std::vector<std::string>{"change 2"}));
    // A locked box hears the keys but keeps its text.
    box.setLocked(true);
    const std::size_t heard = events.size();
    box.typeText("3");
    EXPECT_EQ(box.text(), "2");
    ASSERT_GT(events.size(), heard);
    EXPECT_EQ(events[heard], "press 3");
}

TEST(TextBox, BackspaceAndSelectionReplaceText)
{
    Form form;
    TextBox& box = form.txtField[1];
    box.setText("12.5");
    box.setSelection(4, 0);
    box.typeKey(TextBox::kBackspace);
    EXPECT_EQ(box.text(), "12.");
    box.selectAll();
    box.typeText("7");
    EXPECT_EQ(box.text(), "7");
    box.typeText("\xC3\xA9"); // é, one key
    box.typeKey(TextBox::kBackspace);
    EXPECT_EQ(box.text(), "7");
}

TEST(Widgets, UserActionsRespectEnabledAndVisible)
{
    Form form;
    int clicks = 0;
    form.cmdAdd.Click = [&] { ++clicks; };
    for (auto [enabled, visible] : {std::pair{false, true}, {true, false}, {true, true}}) {
        form.cmdAdd.setEnabled(enabled);
        form.cmdAdd.setVisible(visible);
        form.cmdAdd.userClick();
    }
    EXPECT_EQ(clicks, 1);

    int checkClicks = 0;
    form.chkExempt.Click = [&] { ++checkClicks; };
    for (bool enabled : {false, true}) {
        form.chkExempt.setEnabled(enabled);
        form.chkExempt.userClick();
        EXPECT_EQ(form.chkExempt.value(), enabled ? 1 : 0);
    }
    form.chkExempt.setValue(1); // unchanged: no Click
    EXPECT_EQ(checkClicks, 1);

    TextBox& box = form.txtField[2];
    box.setEnabled(false);
    box.typeText("abc");
    EXPECT_EQ(box.text(), "");
    // Option buttons exclude each other; clicking the chosen one again is no click.
    int optionClicks = 0;
    form.OptVndrCntryID[1].Click = [&] { ++optionClicks; };
    form.OptVndrCntryID[0].setValue(true);
    form.OptVndrCntryID[1].userClick();
    EXPECT_FALSE(form.OptVndrCntryID[0].value());
    EXPECT_TRUE(form.OptVndrCntryID[1].value());
    form.OptVndrCntryID[1].userClick();
    EXPECT_EQ(optionClicks, 1);
}

TEST(Widgets, FocusMovesFireLostFocusThenGotFocus)
{
    Form form;
    std::vector<std::string> events;
    form.txtFee[0].LostFocus = [&] { events.push_back("lost fee0"); };
    form.txtFee[1].GotFocus = [&] { events.push_back("got fee1"); };
    form.txtFee[1].LostFocus = [&] { events.push_back("lost fee1"); };
    form.chkDutyFee.GotFocus = [&] { events.push_back("got check"); };
    form.txtFee[0].setFocus();
    form.txtFee[1].typeText("5"); // typing into another box moves the focus first
    form.chkDutyFee.userClick();
    EXPECT_EQ(events, (std::vector<std::string>{"lost fee0", "got fee1", "lost fee1", "got check"}));
    form.txtFee[2].setVisible(false);
    form.txtFee[2].setFocus();
    EXPECT_EQ(form.focusedWidget(), &form.chkDutyFee) << "a hidden box cannot take the focus";
}

TEST(Widgets, ComboSelectionFiresClickAndTextFiresChange)
{
    ComboBox combo("c");
    int clicks = 0, changes = 0;
    combo.Click = [&] { ++clicks; };
    combo.Change = [&] { ++changes; };
    combo.addItem("One", 1);
    combo.addItem("Two", 2);
    combo.setListIndex(1);
    EXPECT_EQ(combo.text(), "Two");
    combo.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    combo.setText("One");
    EXPECT_EQ(combo.listIndex(), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(combo.setListIndex(2), zelt::text::RuntimeError);
    combo.removeItem(0);
    EXPECT_EQ(combo.listIndex(), -1);
    combo.setLocked(true);
    combo.userSelect(0);
    EXPECT_EQ(combo.listIndex(), -1) << "a locked combo takes no selection";
}

TEST(Form, EveryWidgetHasAGroupAndAUniqueNameAndArraysRefuseIndexesOutsideTheirSets)
{
    Form form;
    EXPECT_THROW(form.cboFld[0], zelt::text::RuntimeError);
    EXPECT_THROW(form.txtFee[8], zelt::text::RuntimeError);
    EXPECT_THROW(form.txtFee[-1], zelt::text::RuntimeError);
    EXPECT_THROW(form.txtFieldTax[11], zelt::text::RuntimeError);
    std::set<std::string> names;
    for (Widget* w : form.widgets()) {
        EXPECT_FALSE(w->group().empty()) << w->qualifiedName();
        EXPECT_TRUE(names.insert(w->qualifiedName()).second) << w->qualifiedName();
        EXPECT_EQ(form.find(w->name(), w->index()), w);
    }
    EXPECT_EQ(form.find("nothing"), nullptr);
}

TEST(Grid, StoresCellsWithFormattingAndTellsObservers)
{
    struct Recorder : GridObserver {
        std::vector<std::string> events;
        void gridAboutToReset() override { events.push_back("about"); }
        void gridReset() override { events.push_back("reset"); }
        void rowsInserted(int f, int) override { events.push_back("inserted " + std::to_string(f)); }
        void rowsRemoved(int f, int) override { events.push_back("removed " + std::to_string(f)); }
        void cellChanged(int r, int c) override { events.push_back("cell " + std::to_string(r) + "," + std::to_string(c)); }
    } recorder;
    Grid grid("g");
    grid.setCols(3);
    grid.addGridObserver(&recorder);
    grid.addRow();
    grid.setText(1, 2, "x");
    grid.setText(1, 2, "x");
    grid.setBackground(1, 0, Color::buttonFace());
    grid.setFontName(1, 2, "Wingdings");
    EXPECT_EQ(grid.fontName(1, 2), "Wingdings");
    EXPECT_EQ(grid.fontName(1, 1), "");
    grid.addRow();
    grid.setText(2, 0, "second");
    grid.removeRow(1);
    EXPECT_EQ(grid.text(1, 0), "second");
    {
        Grid::ResetScope scope(grid);
        grid.setRows(5);
        grid.setText(4, 1, "y");
    }
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"inserted 1", "cell 1,2", "cell 1,0", "cell 1,2", "inserted 2",
                                                         "cell 2,0", "removed 1", "about", "reset"}));
    EXPECT_THROW(grid.text(5, 0), zelt::text::RuntimeError);
    EXPECT_THROW(grid.setText(0, 3, ""), zelt::text::RuntimeError);
    grid.clear();
    EXPECT_EQ(grid.text(1, 0), "");
    EXPECT_EQ(grid.rows(), 5);
}

TEST(Grid, ClicksSelectDataRowsAndRecordTheMouseCell)
{
    Grid grid("g");
    grid.setCols(3);
    grid.setRows(4);
    int clicks = 0;
    grid.Click = [&] { ++clicks; };
    grid.userClick(2, 1);
    EXPECT_EQ(grid.row(), 2);
    grid.userClick(0, 1);
    EXPECT_EQ(grid.row(), 2) << "the header row is not selected";
    EXPECT_EQ(clicks, 2);
    MouseButton pressed{};
    grid.MouseUp = [&](MouseButton b) { pressed = b; };
    grid.userMouseUp(MouseButton::Right, 3, 2);
    EXPECT_EQ(pressed, MouseButton::Right);
    EXPECT_EQ(grid.mouseRow(), 3);
    EXPECT_EQ(grid.mouseCol(), 2);
}

TEST(MessageBoxes, ScriptedAnswersThenTheHarmlessOne)
{
    ScriptedMessageBoxes boxes;
    boxes.answerNext(MessageBoxAnswer::Yes);
    MessageBoxRequest question{"Sure?", "Title", MessageBoxButtons::YesNo, MessageBoxIcon::Question};
    EXPECT_EQ(boxes.show(question), MessageBoxAnswer::Yes);
    EXPECT_EQ(boxes.show(question), MessageBoxAnswer::No);
    EXPECT_EQ(boxes.show({"Note", "", MessageBoxButtons::Ok, MessageBoxIcon::Information}), MessageBoxAnswer::Ok);
    EXPECT_EQ(boxes.shown().size(), 3u);
}
