#include "support/OrderFixture.h"
#include "support/Throws.h"

#include "control/ControlAccess.h"

#include "zelt/ExportError.h"
#include "zelt/InputError.h"

using namespace zelt;
using zelt::testing::LineSpec;
using zelt::testing::lines;
using zelt::testing::lineWith;
using L = LineSpec;

namespace {

class LineLoading : public zelt::testing::OrderFixture {};

} // namespace

TEST_F(LineLoading, EmptyInputLeavesTheHeaderRowAndZeroBoxesInAddMode)
{
    form().txtFee[3].setText("9.99");
    control->setReadData("");
    ASSERT_EQ(std::pair(grid().rows(), grid().cols()), std::pair(1, 22));
    EXPECT_EQ(cell(0, 12), "Description");
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(form().txtFee[i].text(), "0.00") << i;
    for (int i = 12; i <= 16; ++i) EXPECT_EQ(form().txtFieldTax[i].text(), "0.00") << i;
    for (int i : {17, 18, 19}) EXPECT_EQ(form().txtField[i].text(), "0.00") << i;
    EXPECT_EQ(std::pair(grid().enabled(), grid().highlightStyle()), std::pair(true, 0));
    // Only records followed by the separator become lines; a load empties and locks the entry area.
    const std::string record = LineSpec{}.record();
    form().txtField[1].setText("typed");
    form().txtField[1].setFocus();
    control->setReadData(record);
    EXPECT_EQ(grid().rows(), 2);
    EXPECT_TRUE(form().grdOrdItems.hasFocus()) << "the clerk goes on from the lines, not a locked field";
    EXPECT_EQ(std::tuple(form().txtField[1].text(), form().txtField[1].locked(), form().cmdAdd.caption(), form().cmdEdit.caption()),
              std::tuple(std::string(""), true, std::string("Add"), std::string("Edit")));
    EXPECT_EQ(form().txtField[1].backColor(), view::Color::buttonFace());
    control->setReadData(record.substr(0, record.size() - 3));
    EXPECT_EQ(grid().rows(), 1);
}

TEST_F(LineLoading, ConvertsUnitsDatesWeightsQuantitiesAndPrices)
{
    control->GetComboContent(zelt::testing::lookupTables("1.25"));
    control->CountryID(COUNTRY::CANADA, 1);
    control->GetComboContent(zelt::testing::lookupTables("1.25")); // shows the rate for a Canadian order
    ASSERT_EQ(form().txtCurrConversionRate.text(), "1.25");
    const LineSpec line = lineWith({{&L::unit, "BX"}, {&L::unitPrice, "10"}, {&L::akwPrice, "8"}, {&L::description, "Oak desk"}});
    control->setReadData(line.record());
    EXPECT_EQ(cells(1, {7, 6, 13, 14, 19, 15, 18, 20, 12}),
              (std::vector<std::string>{"Box", "3.00", "2.500", "Jan 05, 2024", "", "12.50", "10.00", "37.50", "Oak desk"}));
    for (int c : {12, 8}) EXPECT_EQ(grid().alignment(1, c), view::Grid::Alignment::LeftTop) << c;
    // An empty rate box prices at zero; an unknown unit stays as sent.
    form().txtCurrConversionRate.setText("");
    control->setReadData(lineWith({{&L::unit, "XX"}, {&L::unitPrice, "10"}}).record());
    EXPECT_EQ(cells(1, {15, 7}), (std::vector<std::string>{"0.00", "XX"}));
}

TEST_F(LineLoading, ExtendedPriceOnlyForPricedLinesAndShadingOutsideAddMode)
{
    const LineSpec priced;
    const LineSpec notPriced = lineWith({{&L::status, "3"}}); // Cancelled
    const LineSpec noQuantity = lineWith({{&L::quantity, ""}, {&L::exempt, "12.34"}}); // field 20 stays without a quantity

    load(Mode::AddMode, {priced, notPriced, noQuantity});
    EXPECT_EQ((std::vector{cell(1, 20), cell(2, 20), cell(3, 20)}), (std::vector<std::string>{"7.50", "0.00", "12.34"}));
    EXPECT_EQ(grid().background(2, 6), view::Grid::kDefaultBackground) << "no shading in Add Mode";

    load(Mode::UpdateMode, {priced, notPriced});
    for (int k : {6, 7, 8, 12, 15, 20, 18})
        EXPECT_EQ(std::pair(grid().background(2, k), grid().background(1, k)), std::pair(view::Color::buttonFace(), view::Grid::kDefaultBackground)) << k;
    EXPECT_EQ(grid().background(2, 13), view::Grid::kDefaultBackground);
}

TEST_F(LineLoading, ButtonsFollowTheModeOnlyWhenTheLinesAreLoaded)
{
    view::Form& f = form();
    struct Expect {
        Mode mode;
        bool addEnabled, lineCancel;
        const char* addCaption;
    } cases[] = {
        {Mode::AddMode, true, false, "Add"},
        {Mode::UpdateMode, true, false, "Add"},
        {Mode::ViewMode, false, false, "Add"},
        {Mode::LineCancelMode, false, true, "Calculate"},
    };
    for (const Expect& e : cases) {
        SCOPED_TRACE(static_cast<int>(e.mode));
        control->setViewMode(e.mode);
        control->setReadData(LineSpec{}.record());
        EXPECT_EQ(std::tuple(f.cmdAdd.enabled(), f.cmdAdd.caption(), f.cmdLineItemCan.visible(), f.cmdLineItemCan.enabled()),
                  std::tuple(e.addEnabled, std::string(e.addCaption), e.lineCancel, e.lineCancel));
        EXPECT_FALSE(f.cmdEdit.enabled()) << "no line is selected yet";
        EXPECT_FALSE(f.cmdDelete.visible() || f.cmdDelete.enabled());
    }
    EXPECT_EQ(std::tuple(f.cmdUpdateTaxes.visible(), f.cmdUpdateTaxes.enabled(), f.cmdEdit.visible()), std::tuple(true, true, false));
    control->setViewMode(Mode::AddMode);
    EXPECT_EQ(std::pair(f.cmdAdd.caption(), f.cmdAdd.enabled()), std::pair(std::string("Calculate"), false)) << "setting the mode alone changes no button";
}

TEST_F(LineLoading, ViewModeTotalsOnlyTheWeightOfMerchandise)
{
    const LineSpec a = lineWith({{&L::unitWeight, "2.5"}, {&L::quantity, "2"}});
    const LineSpec received = lineWith({{&L::status, "6"}, {&L::unitWeight, "1"}, {&L::quantity, "4"}}); // merchandise
    const LineSpec cancelled = lineWith({{&L::status, "3"}, {&L::unitWeight, "100"}}, a); // no weight
    form().txtField[18].setText("77.00");
    load(Mode::ViewMode, {a, received, cancelled});
    EXPECT_EQ(form().txtField[19].text() + " " + form().txtField[18].text(), "9.000 77.00") << "nothing else is recalculated";
    // A merchandise line without a unit weight: every line is there and the weight total stops quietly, as in Update Mode.
    form().txtField[19].setText("9.999");
    load(Mode::ViewMode, {a, lineWith({{&L::unitWeight, ""}}, a), a});
    EXPECT_EQ(std::tuple(grid().rows(), cell(2, 13), form().txtField[19].text()), std::tuple(4, std::string(""), std::string("9.999")));
    load(Mode::ViewMode, {a});
    EXPECT_EQ(form().txtField[19].text(), "5.000");
}

TEST_F(LineLoading, ExemptFlagMarksTheLineAndTheTrackerIsRebuiltOnEveryLoad)
{
    const LineSpec exempt = lineWith({{&L::exempt, "-1"}}), plain, textual = lineWith({{&L::exempt, "True"}});
    control->setReadData(lines({exempt, plain, textual}));
    EXPECT_EQ((std::vector{cell(1, 21), cell(2, 21), cell(3, 21)}), (std::vector<std::string>{"\xC3\xBE", "", "\xC3\xBE"}));
    EXPECT_EQ(control->ExemptItems(), "1|3|");
    // Loading again lists each exempt row once, for the new order only.
    control->setReadData(lines({plain, exempt}));
    EXPECT_EQ(control->ExemptItems() + " " + ControlAccess::state(*control).exemptScratchList, "2| 2|");
    control->setReadData("");
    EXPECT_EQ(control->ExemptItems(), "");
    // The export's records load again with their exemption: field 20 is then the extended price (-1.00 is no flag), field 21's mark decides.
    const LineSpec rewardsOfOne = lineWith({{&L::quantity, "1"}, {&L::unitPrice, "-1"}});
    control->setReadData(lines({exempt, plain, rewardsOfOne}));
    control->setReadData(control->readData());
    EXPECT_EQ(control->ExemptItems() + " " + cell(3, 20), "1| -1.00");
}

TEST_F(LineLoading, MalformedInputOrTooManyLinesRaiseAClearErrorAndChangeNothing)
{
    const LineSpec good = lineWith({{&L::description, "Original"}});
    load(Mode::UpdateMode, {good, good});
    form().txtFee[0].setText("5.00");
    const std::string before = cell(2, 12);

    struct BadCase { std::string text; int record, field; const char* reasonPart; };
    auto bad = [&good](std::initializer_list<std::pair<zelt::testing::LineField, const char*>> changes) { return lineWith(changes, good); };
    const std::vector<BadCase> cases = {
        {good.record() + "1$F$2$F$3$R$", 2, 3, "21 are needed"},
        {lines({good, good, bad({{&L::unitPrice, "ten"}})}), 3, 15, "Unit Price \"ten\" is not a number"},
        {lines({bad({{&L::akwPrice, ""}})}), 1, 18, "Akw.Price \"\" is not a number"},
        {lines({good, bad({{&L::status, "open"}})}), 2, 2, "Status \"open\" is not a number"},
        {lines({bad({{&L::quantity, "3 boxes"}})}), 1, 6, "Quantity \"3 boxes\" is not a number"},
        {lines({good, bad({{&L::unitWeight, "1e308"}})}), 2, 13, "Unit Weight \"1e308\" is beyond the currency range"},
        {lines({bad({{&L::quantity, "1e308"}})}), 1, 6, "Quantity Ordered \"1e308\" is beyond the currency range"},
        {lines({bad({{&L::quantity, "2000000000"}, {&L::unitPrice, "900000"}})}), 1, 6, "the Quantity times the Unit Price is beyond the currency range"},
        {lines({bad({{&L::unitPrice, "1e15"}})}), 1, 15, "Unit Price \"1e15\" is beyond the currency range"},
        {lines({good, bad({{&L::quantity, "2147483648"}})}), 2, 6, "Quantity \"2147483648\" is beyond the largest quantity"},
        {lines({bad({{&L::directionOrder, "yes"}})}), 1, 4, "DirectionOrder \"yes\" is not a 32-bit integer"},
        {lines({bad({{&L::directionOrder, "4294967296"}})}), 1, 4, "DirectionOrder \"4294967296\" is not a 32-bit integer"},
        // the record ends "...$F$0$F$R$"
        {lines({bad({{&L::quantity, ""}, {&L::exempt, "0$F"}})}), 1, 20, "ends with the start of a separator"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.reasonPart);
        const auto e = zelt::testing::caught<InputError>([&] { control->setReadData(c.text); });
        ASSERT_TRUE(e) << "loaded";
        EXPECT_EQ(std::tuple(e->member(), e->record(), e->field()), std::tuple(std::string("readData"), std::optional(c.record), std::optional(c.field)));
        EXPECT_NE(std::string(e->what()).find(c.reasonPart), std::string::npos) << e->what();
        EXPECT_EQ(std::tuple(grid().rows(), cell(2, 12), form().txtFee[0].text()), std::tuple(3, before, std::string("5.00")));
    }
    // The tax and fee summary reads every line's Status: an order it could not summarise is not taken, even in Add Mode.
    control->setViewMode(Mode::AddMode);
    EXPECT_THROW(control->setReadData(lineWith({{&L::status, "draft"}, {&L::quantity, ""}}).record()), InputError);
    EXPECT_EQ(grid().rows(), 3);
    // An order beyond the line limit: the third record is not even a valid line, the limit is met first.
    EXPECT_EQ(control->MaxLines(), 1'000'000u);
    control->setMaxLines(2);
    const LineSpec line;
    const auto e = zelt::testing::caught<InputError>([&] { control->setReadData(lines({line, line}) + "x$R$"); });
    ASSERT_TRUE(e) << "loaded";
    EXPECT_EQ(std::pair(e->member(), e->record()), std::pair(std::string("readData"), std::optional(3)));
    EXPECT_NE(std::string(e->what()).find("3 lines; at most 2"), std::string::npos) << e->what();
    EXPECT_EQ(cell(1, 12), "Original");
    control->setReadData(lines({line, line}));
    EXPECT_EQ(cell(1, 12), "Desk");
}

TEST_F(LineLoading, ColumnWidthsAreSharesOfTheGridWidth)
{
    grid().setWidth(11500);
    control->setReadData("");
    // column 20: 11500/11 + 11500/8.5 = 1045.45 + 1352.94
    EXPECT_EQ(std::tuple(grid().columnWidth(6), grid().columnWidth(12), grid().columnWidth(20)), std::tuple(1000, 2300, 2398));
    for (int c : {0, 1, 2, 3, 4, 5, 9, 10, 11, 13, 14, 16, 17, 19, 21}) EXPECT_EQ(grid().columnWidth(c), 0) << c;
}

TEST_F(LineLoading, FrenchCanadianAmountsAreRewrittenAfterALoadAndReadWithCommas)
{
    const LineSpec line = lineWith({{&L::quantity, "2.5"}, {&L::unitPrice, "10.10"}, {&L::unitWeight, "1.5"}});
    load(Mode::UpdateMode, {line, line});
    const std::string merchandise = form().txtField[18].text();
    control->setLocale(text::Locale::frCA());
    // The lines' amounts are in the new form, the order exports and loads again, and the totals are the same amounts
    const std::vector<std::string> french = {"2,50", "1,500", "10,10", "25,25"};
    EXPECT_EQ(cells(1, {6, 13, 15, 20}), french);
    control->setReadData(control->readData());
    EXPECT_EQ(cell(2, 20) + " " + form().txtField[18].text() + " " + merchandise, "25,25 50,50 50.50");
    // Lines sent with decimal commas read so; a Canadian order shows the rate as the locale writes it, and prices convert at it.
    control->GetComboContent(zelt::testing::lookupTables("1,25"));
    const LineSpec comma = lineWith({{&L::quantity, "2,5"}, {&L::unitPrice, "10,10"}, {&L::unitWeight, "1,5"}});
    control->setReadData(comma.record());
    EXPECT_EQ(cells(1, {6, 13, 15, 20}), french);
    control->CountryID(COUNTRY::CANADA, 1);
    control->GetComboContent(zelt::testing::lookupTables("1,25"));
    ASSERT_EQ(form().txtCurrConversionRate.text(), "1,25");
    control->setReadData(comma.record());
    EXPECT_EQ(cell(1, 15), "12,63");
}

TEST_F(LineLoading, ALargeOrderReadInTwoHalvesLoadsAndFailsAsInOnePass)
{
    // Over 2 MB: read in two halves at once. Each line differs, so that a
    // line out of place or lost shows.
    constexpr int kLines = 20000;
    std::vector<LineSpec> items(kLines);
    std::string order, pieces;
    for (int i = 0; i < kLines; ++i) {
        LineSpec& item = items[static_cast<std::size_t>(i)];
        item.lineItem = std::to_string(i + 1);
        item.description = "Item " + item.lineItem + " of a long order, described at some length";
        item.quantity = std::to_string(i % 97);
        item.priceListDate = "2024-0" + std::to_string(1 + i % 9) + "-1" + std::to_string(i % 10);
        order += item.record();
    }
    ASSERT_GT(order.size(), std::size_t{2} << 20);
    // The same lines loaded a thousand at a time, in one pass each.
    control->setViewMode(Mode::UpdateMode);
    for (int from = 0; from < kLines; from += 1000) {
        control->setReadData(lines(std::vector<LineSpec>(items.begin() + from, items.begin() + from + 1000)));
        pieces += control->readData();
    }
    control->setReadData(order);
    EXPECT_EQ(grid().rows(), kLines + 1);
    EXPECT_EQ(control->readData(), pieces);

    // Errors are the first in the order, numbered from its start, whichever half holds them.
    const auto failure = [&](std::size_t maxLines, const std::vector<int>& badRecords) {
        control->setMaxLines(maxLines);
        std::string text;
        for (int i = 0; i < kLines; ++i) {
            LineSpec item = items[static_cast<std::size_t>(i)];
            if (std::find(badRecords.begin(), badRecords.end(), i + 1) != badRecords.end()) item.status = "open";
            text += item.record();
        }
        const auto e = zelt::testing::caught<InputError>([&] { control->setReadData(text); });
        return e ? std::pair(e->record().value_or(0), std::string(e->what())) : std::pair(0, std::string());
    };
    // The second part may fail before the first, or more than once.
    for (const auto& [bad, first] : std::vector<std::pair<std::vector<int>, int>>{
             {{15000}, 15000}, {{100, 15000}, 100}, {{19990}, 19990}, {{12000, 19990}, 12000}, {{9500, 12000, 19000}, 9500}})
        EXPECT_EQ(failure(1'000'000, bad).first, first) << bad.front();
    EXPECT_EQ(failure(16000, {15000}).first, 15000);
    EXPECT_EQ(failure(14000, {19000}).first, 14001); // the limit falls before the bad line
    const auto tooMany = failure(12000, {15000});
    EXPECT_EQ(tooMany.first, 12001);
    EXPECT_NE(tooMany.second.find("20000 lines; at most 12000"), std::string::npos) << tooMany.second;
    EXPECT_EQ(failure(12000, {}).first, 12001);
    EXPECT_EQ(grid().rows(), kLines + 1); // every refusal left the order as it was

    // An export refusal names the first line that cannot be written, in order.
    control->setMaxLines(1'000'000);
    control->setReadData(order);
    const auto refused = [&] {
        const auto e = zelt::testing::caught<ExportError>([&] { control->readData(); });
        return e ? e->row() : 0;
    };
    grid().setText(15000, 12, "a $F$ inside");
    EXPECT_EQ(refused(), 15000);
    grid().setText(100, 12, "a $R$ inside");
    EXPECT_EQ(refused(), 100);
}
