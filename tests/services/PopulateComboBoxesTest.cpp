#include "core/ControlContext.h"
#include "services/ComboContent.h"
#include "support/OrderFixture.h"
#include "zelt/view/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

using namespace zelt;

namespace {

class PopulateCombos : public ::testing::Test {
protected:
    PopulateCombos() : ctx(makeServices()), combos(ctx)
    {
        combos.GetComboContent(zelt::testing::lookupTables(), "$F$", "$R$", "$T$");
    }
    Services makeServices()
    {
        Services s;
        s.messageBoxes = boxes;
        return s;
    }
    std::vector<std::string> texts(int index)
    {
        std::vector<std::string> out;
        for (const auto& e : ctx.form.cboFld[index].entries()) out.push_back(e.text);
        return out;
    }

    std::shared_ptr<view::ScriptedMessageBoxes> boxes = std::make_shared<view::ScriptedMessageBoxes>();
    ControlContext ctx;
    ComboContent combos;
};

} // namespace

TEST_F(PopulateCombos, HiddenAndShownCombosTheStatusesOfANewLineAndTheCarriersOfACentre)
{
    combos.PopulateComboBoxes(false, false, false);
    for (int i : {1, 2, 3}) EXPECT_FALSE(ctx.form.cboFld[i].visible());
    for (int i : {0, 5, 8}) EXPECT_TRUE(ctx.form.txtField[i].visible());
    EXPECT_EQ(ctx.form.cboFld[1].listCount(), 0) << "nothing filled when hidden";
    // A new line offers Open and, with rewards points, the Rewards status.
    for (auto [points, offered] : {std::pair{"0", 1u}, {"-", 1u}, {"120", 2u}}) {
        ctx.state.RewardsPoints = points;
        combos.PopulateComboBoxes(false, true, true);
        std::vector<std::string> expected{"Open", "Rewards"};
        expected.resize(offered);
        EXPECT_EQ(texts(1), expected) << points;
    }
    combos.PopulateComboBoxes(false, false, true);
    EXPECT_EQ(texts(1).size(), 7u);
    EXPECT_EQ(texts(2), (std::vector<std::string>{"Each", "Box", "Dozen"}));
    for (int i : {1, 2, 3}) EXPECT_TRUE(ctx.form.cboFld[i].visible());
    for (int i : {0, 5, 8}) EXPECT_FALSE(ctx.form.txtField[i].visible());
    // The centre level narrows the carriers.
    combos.PopulateComboBoxes(false, false, true);
    EXPECT_EQ(texts(3).size(), 5u);

    ctx.state.vendorFees.freightFromRates = true;
    combos.PopulateComboBoxes(true, false, true);
    EXPECT_EQ(texts(3), (std::vector<std::string>{"Club Pickup"}));

    ctx.state.vendorFees.freightFromRates = false;
    combos.PopulateComboBoxes(true, false, true);
    EXPECT_EQ(texts(3), (std::vector<std::string>{"UPS Ground", "FedEx", "Freight Line", "Member Factory Pickup"}));
    ctx.state.vendorFees.homeDeliveryTyped = true;
    combos.PopulateComboBoxes(true, false, true);
    EXPECT_EQ(texts(3), (std::vector<std::string>{"UPS Ground", "FedEx", "Member Factory Pickup"}));
    // UsesZeltD selects the first carrier.
    EXPECT_EQ(ctx.form.cboFld[3].listIndex(), -1);
    ctx.state.UsesZeltD = true;
    combos.PopulateComboBoxes(false, false, true);
    EXPECT_EQ(ctx.form.cboFld[3].listIndex(), 0);
    // Centre level with rates and no carrier of code 2 leaves the carriers empty.
    ControlContext fresh(makeServices());
    ComboContent freshCombos(fresh);
    freshCombos.GetComboContent("Open$F$1$R$$T$Each$F$EA$R$$T$FedEx$F$3$R$$T$$T$1$R$$T$", "$F$", "$R$", "$T$");
    fresh.state.vendorFees.freightFromRates = true;
    fresh.state.UsesZeltD = true;
    freshCombos.PopulateComboBoxes(true, false, true);
    EXPECT_EQ(fresh.form.cboFld[3].listCount(), 0);
    EXPECT_TRUE(boxes->shown().empty());
    // A failure is reported in a message box.
    combos.GetComboContent("$T$Each$F$EA$R$$T$$T$$T$1$R$$T$", "$F$", "$R$", "$T$"); // no statuses
    combos.PopulateComboBoxes(false, true, true);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, "PopulateComboBoxes module Subscript out of range 9");
}
