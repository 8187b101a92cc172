#include "core/LineSums.h"

#include "core/ControlContext.h"
#include "core/KeptRowNumbers.h"
#include "core/LineColumns.h"
#include "zelt/text/RuntimeError.h"

#include <array>
#include <cmath>

namespace zelt {

namespace {

// A line whose numbers are not kept yet (one just written) is read through
// its cells, which keeps them: true when every one is a number.
template <std::size_t N>
bool readCells(const ControlContext& ctx, int row, std::array<double, N>& out)
{
    static constexpr std::array<int, 4> kTotalsColumns = {Col::Status, Col::UnitWeight, Col::Quantity, Col::ExtPrice};
    for (std::size_t k = 0; k < N; ++k) {
        const auto value = ctx.tryCellNumber(row, N == 1 ? Col::ExtPrice : kTotalsColumns[k]);
        if (!value) return false;
        out[k] = *value;
    }
    return true;
}

// Keeps the sums of every line for `key`; forgets what was kept when not
// every line could be added up.
template <typename Sums, typename Key>
const Sums* keep(std::optional<Sums>& kept, std::optional<Key>& keptKey, const Key& key, bool whole, const Sums& sums)
{
    if (!whole) {
        kept.reset();
        keptKey.reset();
        return nullptr;
    }
    kept = sums;
    keptKey = key;
    return &*kept;
}

} // namespace

LineSums::Key LineSums::keyOf(const ControlContext& ctx)
{
    return Key{ctx.grid().revision(), &ctx.locale,
               {ctx.lists.statusPosition1, ctx.lists.statusPosition6, ctx.lists.statusPosition7}};
}

const LineSums::Totals* LineSums::totals(const ControlContext& ctx)
{
    const Key key = keyOf(ctx);
    if (totalsKey_ == key) return totals_ ? &*totals_ : nullptr;
    const view::Grid& grid = ctx.grid();
    const LookupLists& lists = ctx.lists;
    const KeptRowNumbers<4> kept(grid, ctx.locale, {Col::Status, Col::UnitWeight, Col::Quantity, Col::ExtPrice});
    std::array<double, 4> v;
    // Selects in place of branches on the status: adding 0.0 leaves a sum
    // as it was, so each sum is the one a branch per line would give.
    Totals t;
    int r = 1;
    for (; r < grid.rows() && (kept.read(r, v) || readCells(ctx, r, v)); ++r) {
        const auto [status, unitWeight, quantity, amount] = v;
        const bool isMerchandise = lists.isMerchandiseStatus(status);
        const bool isRewards = lists.isRewardsStatus(status);
        t.weight += isMerchandise || status == 1 ? unitWeight * quantity : 0.0;
        t.merchandise += isMerchandise ? amount : 0.0;
        t.lastRewards = isRewards ? amount : t.lastRewards;
        t.rewards += isRewards ? amount : 0.0;
        t.units += amount > 0 ? quantity : 0.0;
    }
    // A line with a cell that is not a number is left to the callers' cell
    // by cell reading, which fails at it as it must.
    return keep(totals_, totalsKey_, key, r == grid.rows(), t);
}

const LineSums::CurrencyTotals* LineSums::currencyTotals(const ControlContext& ctx)
{
    const Key key = keyOf(ctx);
    if (currencyKey_ == key) return currency_ ? &*currency_ : nullptr;
    const view::Grid& grid = ctx.grid();
    const KeptRowNumbers<1> kept(grid, ctx.locale, {Col::ExtPrice});
    std::array<double, 1> v;
    CurrencyTotals t;
    bool inRange = true;
    int r = 1;
    try {
        for (; r < grid.rows() && (kept.read(r, v) || readCells(ctx, r, v)); ++r) {
            const text::Currency amount = text::Currency::fromDouble(v[0]);
            t.all += amount;
            if (amount > text::Currency{}) t.positive += amount;
        }
    } catch (const text::RuntimeError&) {
        inRange = false; // an amount or a sum beyond the currency range
    }
    // Otherwise left to the line by line reading, which fails where it must.
    return keep(currency_, currencyKey_, key, inRange && r == grid.rows(), t);
}

} // namespace zelt
