// The grid keeps the numbers the totals read; the totals must never differ
// from a recalculation that reads every cell afresh. Random sequences of
// loads, line commands, pastes, undo and redo, box edits and locale changes
// are applied, and after each step the control's totals and both exchange
// strings are compared with those of the same order recalculated with every
// kept number forgotten.
#include "control/ControlAccess.h"
#include "core/ControlContext.h"
#include "lineitems/LineEditingFixture.h"
#include "totals/TotalsRecalculation.h"

#include "zelt/text/Currency.h"
#include "zelt/text/RuntimeError.h"

#include <algorithm>
#include <array>
#include <optional>
#include <random>

namespace zelt::testing {
namespace {

class KeptNumbers : public LineEditing {
protected:
    /// Everything the totals write, and the two exchange strings.
    std::vector<std::string> results()
    {
        std::vector<std::string> out;
        form().txtFee.forEach([&](int, view::TextBox& box) { out.push_back(box.text()); });
        form().txtFieldTax.forEach([&](int, view::TextBox& box) { out.push_back(box.text()); });
        for (int i : {17, 18, 19}) out.push_back(form().txtField[i].text());
        out.push_back(form().txtHiddenItemTotal.text());
        out.push_back(form().txtHiddenRewardsTotal.text());
        out.push_back(control->readData());
        out.push_back(control->GetSalesTaxesNFees());
        return out;
    }

    /// The line sums as plain loops over the cells' texts give them: the
    /// totals (nothing when one of their cells is not a number), then the
    /// currency sums of the amounts (nothing when an amount is not a number).
    static std::pair<std::optional<std::vector<double>>, std::optional<std::vector<double>>>
    sumsFromCells(const ControlContext& ctx)
    {
        const auto number = [&](int r, int c) { return text::tryToNumber(ctx.grid().text(r, c), ctx.locale); };
        std::optional<std::vector<double>> totals, currency;
        double weight = 0, merchandise = 0, lastRewards = 0, rewards = 0, units = 0;
        int r = 1;
        for (; r < ctx.grid().rows(); ++r) {
            const auto status = number(r, Col::Status), unitWeight = number(r, Col::UnitWeight),
                       quantity = number(r, Col::Quantity), amount = number(r, Col::ExtPrice);
            if (!status || !unitWeight || !quantity || !amount) break;
            if (ctx.lists.isMerchandiseStatus(*status) || *status == 1) weight += *unitWeight * *quantity;
            if (ctx.lists.isMerchandiseStatus(*status)) merchandise += *amount;
            if (ctx.lists.isRewardsStatus(*status)) {
                lastRewards = *amount;
                rewards += *amount;
            }
            if (*amount > 0) units += *quantity;
        }
        if (r == ctx.grid().rows()) totals = std::vector<double>{weight, merchandise, lastRewards, rewards, units};
        std::int64_t all = 0, positive = 0;
        for (r = 1; r < ctx.grid().rows(); ++r) {
            const auto amount = number(r, Col::ExtPrice);
            if (!amount) break;
            const std::int64_t cents = text::Currency::fromDouble(*amount).units();
            all += cents;
            if (cents > 0) positive += cents;
        }
        if (r == ctx.grid().rows()) currency = std::vector<double>{static_cast<double>(all), static_cast<double>(positive)};
        return {totals, currency};
    }

    /// Deletes a line as the clerk does, in Add Mode, and goes back to Update Mode.
    void deleteLine(int row)
    {
        control->setViewMode(Mode::AddMode);
        selectRow(row);
        boxes->answerNext(view::MessageBoxAnswer::Yes);
        form().cmdDelete.userClick();
        control->setViewMode(Mode::UpdateMode);
    }

    LineSpec randomLine(std::mt19937& random)
    {
        static const char* const quantities[] = {"1", "2.5", "3", "0", "12.345", "7"};
        static const char* const prices[] = {"2.5", "10", "0.99", "1234.5", "0", "-4.75"}; // a credit too
        static const char* const statuses[] = {"1", "2", "6", "5"};
        LineSpec line;
        line.lineItem = std::to_string(1 + random() % 50);
        line.quantity = quantities[random() % std::size(quantities)];
        line.unitPrice = prices[random() % std::size(prices)];
        line.unitWeight = prices[random() % std::size(prices)];
        line.status = statuses[random() % std::size(statuses)];
        line.exempt = random() % 4 == 0 ? "-1" : "0";
        return line;
    }
};

TEST_F(KeptNumbers, TotalsAreThoseOfARecalculationFromTheCellsAfterEveryStep)
{
    std::mt19937 random(2026);
    for (int step = 0; step < 400; ++step) {
        const int lines = grid().rows() - 1;
        const int row = lines > 0 ? 1 + static_cast<int>(random() % static_cast<unsigned>(lines)) : 0;
        switch (random() % 10) {
        case 0: {
            std::vector<LineSpec> specs;
            // Now and then an order long enough for rows to be passed over in blocks.
            for (unsigned n = random() % 3 == 0 ? 20 + random() % 30 : random() % 6; n > 0; --n)
                specs.push_back(randomLine(random));
            control->setLocale(text::Locale::enUS()); // the fixture's tables are written in en-US
            load(Mode::UpdateMode, specs);
            break;
        }
        case 1:
            openValidLine();
            field(3).setText(std::to_string(1 + random() % 9));
            clickAdd();
            break;
        case 2:
            if (row == 0) break;
            selectRow(row);
            form().cmdEdit.userClick();
            field(3).selectAll();
            field(3).typeText(std::to_string(1 + random() % 9));
            clickAdd();
            break;
        case 3:
            if (row == 0) break;
            deleteLine(row);
            break;
        case 4: control->Undo(); break;
        case 5: control->Redo(); break;
        case 6: control->PasteLines("Pasted\tP-1\t" + std::to_string(1 + random() % 5) + "\tEach\t3.25\t1.5\tFedEx\n"); break;
        case 7:
            // A grid cell changed directly, as a host's script might.
            if (row == 0) break;
            grid().setText(row, random() % 2 ? 6 : 20, random() % 3 ? std::to_string(random() % 20) + ".5" : "n/a");
            break;
        case 8: form().chkServiceFee.userClick(); break;
        case 9: control->setLocale(random() % 2 ? text::Locale::frCA() : text::Locale::enUS()); break;
        }
        ControlContext& ctx = ControlAccess::context(*control);
        // The exempt tracker lists exactly the rows holding the exempt mark, in order.
        std::string marked;
        for (int r = 1; r < ctx.grid().rows(); ++r)
            if (ctx.grid().text(r, Col::Exempt) == kExemptMark) marked += std::to_string(r) + "|";
        ASSERT_EQ(form().txtHiddenExemptTracker.text(), marked) << "step " << step;
        // The kept sums are those of the plain loops, bit for bit.
        const auto [expectedTotals, expectedCurrency] = sumsFromCells(ctx);
        const LineSums::Totals* sums = ctx.lineSums.totals(ctx);
        const LineSums::CurrencyTotals* currency = ctx.lineSums.currencyTotals(ctx);
        ASSERT_EQ(sums ? std::optional(std::vector<double>{sums->weight, sums->merchandise, sums->lastRewards,
                                                           sums->rewards, sums->units})
                       : std::nullopt,
                  expectedTotals)
            << "step " << step;
        ASSERT_EQ(currency ? std::optional(std::vector<double>{static_cast<double>(currency->all.units()),
                                                               static_cast<double>(currency->positive.units())})
                           : std::nullopt,
                  expectedCurrency)
            << "step " << step;
        TotalsRecalculation totals(ctx);
        totals.fupdate();
        const std::vector<std::string> kept = results();
        grid().forgetNumbers();
        totals.fupdate();
        ASSERT_EQ(results(), kept) << "step " << step;
    }
}

TEST_F(KeptNumbers, SumsGoingOnFromTheLinesBeforeAChangeAreThoseOfAPassFromTheFirstLine)
{
    // Long enough for sums kept every 4,096 lines; amounts with decimals, so
    // that adding in another order or from a stale start would show.
    std::mt19937 random(7);
    std::vector<LineSpec> specs;
    for (int i = 0; i < 3 * 4096 + 50; ++i) specs.push_back(randomLine(random));
    control->setLocale(text::Locale::enUS());
    load(Mode::UpdateMode, specs);
    ControlContext& ctx = ControlAccess::context(*control);
    const auto sums = [&] {
        const LineSums::Totals* t = ctx.lineSums.totals(ctx);
        const LineSums::CurrencyTotals* c = ctx.lineSums.currencyTotals(ctx);
        return std::pair(t ? std::optional(std::vector<double>{t->weight, t->merchandise, t->lastRewards, t->rewards, t->units})
                           : std::nullopt,
                         c ? std::optional(std::vector<double>{static_cast<double>(c->all.units()),
                                                               static_cast<double>(c->positive.units())})
                           : std::nullopt);
    };
    const auto change = [&](int row) {
        switch (random() % 8) {
        case 0: grid().setText(row, Col::ExtPrice, std::to_string(random() % 1000) + ".0" + std::to_string(random() % 10)); break;
        case 1: grid().setText(row, random() % 2 ? Col::Quantity : Col::Status, std::to_string(1 + random() % 7)); break;
        case 2: control->PasteLines("Pasted\tP-1\t" + std::to_string(1 + random() % 5) + "\tEach\t3.17\t1.5\tFedEx\n"); break;
        case 3:
            deleteLine(row);
            break;
        case 4: control->Undo(); break;
        case 5:
            // A cell that is not a number stops the sums there, until it is one again.
            grid().setText(row, Col::ExtPrice, "n/a");
            ASSERT_EQ(sums(), sumsFromCells(ctx));
            grid().setText(row, Col::ExtPrice, "2.5");
            break;
        case 6: grid().removeRow(row); break;
        case 7:
            grid().insertRow(row);
            for (int col : {Col::Status, Col::UnitWeight, Col::Quantity, Col::ExtPrice})
                grid().setText(row, col, std::to_string(1 + random() % 3) + ".25");
            break;
        }
    };
    for (int step = 0; step < 150; ++step) {
        // One to three changes between two sums, around the kept sums'
        // boundaries as often as anywhere else.
        for (int n = static_cast<int>(random() % 3); n >= 0; --n) {
            const int lines = grid().rows() - 1;
            const int boundary = 4096 * (1 + static_cast<int>(random() % 3)) + static_cast<int>(random() % 4) - 1;
            const int anywhere = 1 + static_cast<int>(random() % static_cast<unsigned>(lines));
            // With a cell that is not a number, an action that adds the lines
            // up is refused ("Type mismatch"); the sums must hold either way.
            try {
                change(std::clamp(random() % 2 ? boundary : anywhere, 1, lines));
            } catch (const text::RuntimeError&) {
            }
        }
        ASSERT_EQ(sums(), sumsFromCells(ctx)) << "step " << step;
    }
}

} // namespace
} // namespace zelt::testing
