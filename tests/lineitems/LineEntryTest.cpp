#include "lineitems/LineEditingFixture.h"

#include "control/ControlAccess.h"

#include <array>
#include <functional>

using namespace zelt;
using zelt::testing::LineSpec;

namespace {

class LineEntry : public zelt::testing::LineEditing {};

} // namespace

TEST_F(LineEntry, OpeningALineOffersItsDefaults)
{
    clickAdd();
    // A new line is open with the defaults of the last line
    EXPECT_EQ((std::vector<std::string>{form().cmdAdd.caption(), form().cmdEdit.caption(), field(7).text(), field(6).text()}),
              (std::vector<std::string>{"Add to Grid", "Cancel", "0.000", "Jan 05, 2024"}));
    EXPECT_EQ(std::tuple(form().cmdDelete.visible(), grid().enabled(), field(1).locked()), std::tuple(false, false, false));
    EXPECT_EQ(form().DTPckrPriceListDate.value(), (text::Date{2024, 1, 5}));
    EXPECT_EQ((std::vector<std::string>{combo(1).text(), combo(2).text(), combo(3).text()}),
              (std::vector<std::string>{"Open", "Each", "FedEx"})) << "the last line's carrier";
    EXPECT_EQ(form().focusedWidget(), &field(1));
}

TEST_F(LineEntry, EachCheckStopsAtItsFieldWithItsMessage)
{
    struct Case {
        const char* check;
        std::function<void()> spoil;
        const char* title;
        std::string message;
        view::Widget& focus;
    };
    auto type = [this](int i, const char* text) { return [this, i, text] { field(i).setText(text); }; };
    auto unpick = [this](int i) { return [this, i] { combo(i).setListIndex(-1); }; };
    view::Widget& date = form().DTPckrPriceListDate;
    const char* required = "Information Required";
    const char* invalid = "Information Validation";
    const std::string only = "can contain only ", positive = "can contain only positive ";
    const std::vector<Case> cases = {
        {"1", unpick(1), required, "The status of the line item is required.", combo(1)},
        {"2", type(1, "   "), required, "The description of the line item is required.", field(1)},
        {"3", type(7, ""), required, "The unit weight of the line item is required.", field(7)},
        {"4", type(7, "abc"), invalid, "The unit weight of the line item " + only + "numerical characters.", field(7)},
        {"5", type(7, "-1"), invalid, "The unit weight of the line item " + positive + "numerical characters", field(7)},
        {"6", unpick(2), required, "The unit measure of the line item is required.", combo(2)},
        {"7", type(3, ""), required, "The quantity of the line item is required.", field(3)},
        {"8", type(3, "two"), invalid, "The quantity of the line item " + only + "numerical characters.", field(3)},
        {"8+", type(3, "1e15"), invalid, "The quantity of the line item is too large.", field(3)},
        {"8+ 32-bit", type(3, "2147483648"), invalid, "The quantity of the line item is too large.", field(3)},
        {"9", type(3, "-0.5"), invalid, "The quantity of the line item " + positive + "numerical characters.", field(3)},
        {"10", type(4, ""), required, "The unit price of the line item is required.", field(4)},
        {"11", type(4, "ten"), invalid, "The unit price of the line item " + only + "numerical characters.", field(4)},
        {"12", type(4, "-3"), invalid, "The unit price of the line item " + positive + "numerical characters.", field(4)},
        {"12x", type(4, "900000000000000"), invalid, "The extended price of the line item is too large: lower the quantity.", field(3)},
        {"19", [this] { form().chkDirection.setValue(1); combo(4).setListIndex(-1); }, required,
         "The Direction magazine issue for the line item is required.", combo(4)},
        {"20", [this] { form().DTPckrPriceListDate.setValue(std::nullopt); }, invalid,
         "The price list date of the line item is required.", date},
        {"21", [this] { form().DTPckrPriceListDate.setValue(text::Date{2024, 6, 16}); }, invalid,
         "The price list date of the line item must be less than or equal to today's date.", date},
        {"22", unpick(3), required, "The Carrier of the line item is required.", combo(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.check);
        openValidLine();
        c.spoil();
        boxes->clearShown();
        clickAdd();
        // Exactly that check speaks, the focus is on its field and nothing is written
        ASSERT_EQ(boxes->shown().size(), 1u);
        EXPECT_EQ(std::tuple(lastBox().title, lastBox().text, lastBox().icon),
                  std::tuple(std::string(c.title), c.message, view::MessageBoxIcon::Information));
        EXPECT_EQ(std::tuple(form().focusedWidget(), grid().rows(), form().cmdAdd.caption()), std::tuple(&c.focus, 4, std::string("Add to Grid")));
        form().cmdEdit.userClick(); // Cancel
    }
    // Today's date is a valid price list date.
    openValidLine();
    form().DTPckrPriceListDate.setValue(text::Date{2024, 6, 15});
    clickAdd();
    EXPECT_EQ(std::pair(grid().rows(), cell(4, 14)), std::pair(5, std::string("Jun 15, 2024")));
}

TEST_F(LineEntry, ReformattedFieldsStayAfterALaterCheckFails)
{
    openValidLine();
    field(7).setText(" 1234.5 ");
    field(3).setText("x");
    clickAdd();
    EXPECT_EQ(field(7).text() + " " + field(3).text(), "1,234.500 x") << "three decimals with grouping";
    field(3).setText("3");
    clickAdd();
    EXPECT_EQ(cells(4, {13, 6}), (std::vector<std::string>{"1234.500", "3.00"}));
}

TEST_F(LineEntry, WritingALineFillsEveryColumn)
{
    openValidLine("  Filing cabinet ");
    field(2).setText("FC-9");
    field(9).setText("Oak");
    combo(2).setText("Box");
    form().chkDirection.setValue(1);
    combo(4).setText("Fall 2024");
    form().DTPckrPriceListDate.setValue(text::Date{2024, 2, 1});
    clickAdd();
    ASSERT_EQ(grid().rows(), 5);
    // (no acknowledgement on this order: 0.00 in column 18)
    EXPECT_EQ(cells(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 16, 18, 20, 21}),
              (std::vector<std::string>{"4N", "1", "3", "1", "Fall 2024", "2.00", "Box", "FC-9", "Oak", "Filing cabinet",
                                        "0.000", "Feb 01, 2024", "10.00", "1N", "0.00", "20.00", "q"}));
    EXPECT_EQ(grid().alignment(4, 12), view::Grid::Alignment::LeftTop);
    // The entry closes, the totals follow and the order is open for the tax command
    EXPECT_EQ(form().cmdAdd.caption() + " " + form().txtField[18].text(), "Add 42.50");
    EXPECT_EQ(std::tuple(field(1).locked(), grid().enabled(), grid().row(), form().cmdUpdateTaxes.enabled(), control->IsFirstInit()),
              std::tuple(true, true, 4, true, false));
    EXPECT_EQ(form().focusedWidget(), &grid()) << "the clerk goes on from the line just written";
    openValidLine();
    clickAdd();
    EXPECT_EQ(cell(5, 1), "5N");
}

TEST_F(LineEntry, UpdatingMarksTheLineOnceAndKeepsNewMarks)
{
    auto update = [this](int row, const char* quantity) {
        selectRow(row);
        form().cmdEdit.userClick();
        ASSERT_EQ(form().cmdAdd.caption(), "Update");
        field(3).setText(quantity);
        clickAdd();
        ASSERT_EQ(form().cmdAdd.caption(), "Add") << (boxes->shown().empty() ? "" : lastBox().text);
    };
    update(2, "4");
    EXPECT_EQ(cells(2, {1, 6, 20}), (std::vector<std::string>{"2U", "4.00", "10.00"}));
    EXPECT_TRUE(control->IsDirty());
    update(2, "5");
    EXPECT_EQ(cell(2, 1), "2U") << "a mark once present stays";
    openValidLine();
    clickAdd();
    update(4, "1");
    EXPECT_EQ(std::pair(cell(4, 1), grid().rows()), std::pair(std::string("4N"), 5));
}

TEST_F(LineEntry, RewardsAreTakenOffOnceAndWithinWhatTheMemberHas)
{
    control->setRewardsPoints("100");
    control->setRewardsAmount(20);
    openValidLine("Rewards");
    combo(1).setText("Rewards");
    ASSERT_EQ(combo(1).listIndex(), 1);
    field(4).setText("25");
    clickAdd();
    EXPECT_EQ(lastBox().text, "The rewards amount can not exceed the available rewards amount to member.");
    EXPECT_EQ(field(4).text(), "-25") << "the price is made negative first";

    control->setRewardsAmount(200);
    boxes->clearShown();
    clickAdd();
    EXPECT_EQ(std::tuple(lastBox().text, lastBox().title, lastBox().icon),
              std::tuple(std::string("Rewards Dollars ($25.00) used must not exceed the total of entered merchandise ($22.50) "), std::string(), view::MessageBoxIcon::None));

    field(4).setText("10");
    clickAdd();
    ASSERT_EQ(grid().rows(), 5);
    EXPECT_EQ(cells(4, {2, 6, 13, 15, 20}), (std::vector<std::string>{"7", "1.00", "0", "-10.00", "-10.00"}));

    // A second rewards line is refused.
    openValidLine("More rewards");
    combo(1).setText("Rewards");
    field(4).setText("1");
    clickAdd();
    EXPECT_EQ(std::pair(lastBox().text, lastBox().title),
              std::pair(std::string("There is already one lineitem with rewards. If you want to add or reduce rewards modify that line item"), std::string("Information Required")));
    form().cmdEdit.userClick();

    // Deleting merchandise below the rewards reduces them at the next write.
    control->setViewMode(Mode::AddMode); // where lines are deleted
    for (int i = 0; i < 2; ++i) {
        selectRow(1);
        boxes->answerNext(view::MessageBoxAnswer::Yes);
        form().cmdDelete.userClick();
    }
    ASSERT_EQ(grid().rows(), 3);
    openValidLine("Pen");
    for (int f : {3, 4}) field(f).setText("1");
    clickAdd();
    EXPECT_EQ(cells(2, {15, 20}), (std::vector<std::string>{"-8.50", "-8.50"}));
    EXPECT_EQ(lastBox().text, "The applied Rewards value has been reduced to match the new merchandise total of ($8.50)");
}

TEST_F(LineEntry, AcknowledgementChecksRunForAnAcknowledgedOrder)
{
    control->fGetOderIDStatus(true);
    selectRow(1); // an open line: its acknowledgement is due
    struct Case {
        const char* price;
        const char* number;
        std::optional<text::Date> date;
        const char* message;
        int focus; // txtField index, or -1 for the acknowledgement picker
    } cases[] = {
        {"", "A-1", text::Date{2024, 6, 1}, "The Acknowledgement price of the line item is required.", 12},
        {"x", "A-1", text::Date{2024, 6, 1}, "The Acknowledgement price of the line item can contain only numerical characters.", 12},
        {"-1", "A-1", text::Date{2024, 6, 1}, "The Acknowledgement price of the line item can contain only positive numerical characters.", 12},
        {"0", "A-1", text::Date{2024, 6, 1}, "The Acknowledgement price of the line item cannot be ZERO.", 12},
        {"9", "", text::Date{2024, 6, 1}, "The Acknowledgement Number of the line item is required.", 13},
        {"9", "A-1", text::Date{2024, 7, 1}, "The Acknowledgement date of the line item must be less than or equal to today's date.", -1},
        {"9", "A-1", text::Date{2024, 6, 1}, "", 0}, // every check passes: the line is written
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        openValidLine();
        field(12).setText(c.price);
        field(13).setText(c.number);
        form().DTPckrAklwdgmntDate.setValue(c.date);
        clickAdd();
        if (!*c.message) break;
        EXPECT_EQ(lastBox().text, c.message);
        EXPECT_EQ(form().focusedWidget(), c.focus < 0 ? static_cast<view::Widget*>(&form().DTPckrAklwdgmntDate) : &field(c.focus));
        form().cmdEdit.userClick();
    }
    ASSERT_EQ(grid().rows(), 5);
    EXPECT_EQ(cells(4, {17, 18, 19}), (std::vector<std::string>{"A-1", "9.00", "Jun 01, 2024"}));
    // The quick fill brings the remembered acknowledgement back.
    openValidLine();
    field(12).userDoubleClick();
    EXPECT_EQ((std::vector<std::string>{field(13).text(), field(12).text(), field(14).text()}), (std::vector<std::string>{"A-1", "10", "Jun 01, 2024"}));
}

TEST_F(LineEntry, AConvertedPriceIsExtendedAsItsCellShowsIt)
{
    // A Canadian order whose USA prices convert at 1.25
    control->CountryID(COUNTRY::CANADA, 1);
    control->GetComboContent(zelt::testing::lookupTables("1.25"));
    // A conversion whose extended price is too large is told on the quantity; nothing is written.
    openValidLine();
    form().OptVndrCntryID[0].setValue(true);
    field(3).setText("1");
    field(4).setText("900000000000000");
    clickAdd();
    EXPECT_EQ(lastBox().title, "Information Validation");
    EXPECT_NE(lastBox().text.find("beyond the currency range"), std::string::npos) << lastBox().text;
    EXPECT_EQ(std::pair(form().focusedWidget(), grid().rows()), std::pair(static_cast<view::Widget*>(&field(3)), 4));
    form().cmdEdit.userClick(); // Cancel
    // Lines are entered in USA prices: 12.50 -> 15.625 -> 15.63, 12.49 -> 15.6125 -> 15.61
    for (auto [quantity, price, shown, extended] :
         std::vector<std::array<const char*, 4>>{{"5", "12.50", "15.63", "78.15"}, {"6", "12.49", "15.61", "93.66"}}) {
        openValidLine();
        form().OptVndrCntryID[0].setValue(true);
        field(3).setText(quantity);
        field(4).setText(price);
        clickAdd();
        // The extended price is the quantity times the price the line shows
        EXPECT_EQ(cells(grid().rows() - 1, {15, 20}), (std::vector<std::string>{shown, extended})) << price;
    }
    // A line that is edited and updated unchanged, or exported and loaded again, keeps its amounts
    load(Mode::UpdateMode, {zelt::testing::lineWith({{&LineSpec::quantity, "12"}, {&LineSpec::unitPrice, "14.50"}})});
    ASSERT_EQ(cell(1, 20), "217.56");
    selectRow(1);
    form().cmdEdit.userClick();
    clickAdd();
    EXPECT_EQ(cell(1, 20), "217.56");
    control->setReadData(control->readData());
    EXPECT_EQ(cell(1, 20), "217.56");
}

TEST_F(LineEntry, ANumberFieldTakesTheDecimalKeyInEitherFormWhereTheOtherIsNotGrouping)
{
    // fr-CA: the keypad's "." is the decimal comma in every number field.
    control->setLocale(text::Locale::frCA());
    openValidLine();
    for (int f : {3, 4, 7}) {
        field(f).selectAll();
        field(f).typeText("10.5");
        EXPECT_EQ(field(f).text(), "10,5") << f;
    }
    clickAdd();
    EXPECT_EQ(cell(grid().rows() - 1, 6), "10,50");
    // en-US: "," groups thousands and stays as typed.
    control->setLocale(text::Locale::enUS());
    openValidLine();
    field(3).selectAll();
    field(3).typeText("1,000");
    EXPECT_EQ(field(3).text(), "1,000");
}
