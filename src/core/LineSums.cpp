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

} // namespace

LineSums::Key LineSums::keyOf(const ControlContext& ctx)
{
    return Key{&ctx.locale, {ctx.lists.statusPosition1, ctx.lists.statusPosition6, ctx.lists.statusPosition7}};
}

template <typename Sums>
int LineSums::resume(Running<Sums>& run, const Key& key, const view::Grid& grid)
{
    const bool sameKey = run.key == key && !run.at.empty();
    // The sums kept before the first changed line still hold: at[i] covers
    // lines 1 to i * kStride. Sums that stopped at a line not added up are
    // tried again from there: its numbers may be kept by now.
    std::size_t holding = 1;
    if (sameKey && run.revision == grid.revision()) {
        if (run.whole) return 0;
        holding = run.at.size();
    } else if (sameKey) {
        const int changed = grid.firstRowChangedSince(run.revision);
        if (changed > 0)
            holding = std::min(run.at.size(), static_cast<std::size_t>((changed - 1) / kStride) + 1);
    } else {
        run.at.assign(1, Sums{});
    }
    run.at.resize(holding);
    run.key = key;
    run.revision = grid.revision();
    run.whole.reset();
    return static_cast<int>(holding - 1) * kStride + 1;
}

template <typename Sums>
void LineSums::keepAt(Running<Sums>& run, int row, const Sums& before)
{
    if ((row - 1) % kStride == 0 && static_cast<std::size_t>((row - 1) / kStride) == run.at.size()) run.at.push_back(before);
}

const LineSums::Totals* LineSums::totals(const ControlContext& ctx)
{
    const view::Grid& grid = ctx.grid();
    int r = resume(totals_, keyOf(ctx), grid);
    if (r == 0) return totals_.whole ? &*totals_.whole : nullptr;
    const LookupLists& lists = ctx.lists;
    const KeptRowNumbers<4> kept(grid, ctx.locale, {Col::Status, Col::UnitWeight, Col::Quantity, Col::ExtPrice});
    std::array<double, 4> v;
    // Selects in place of branches on the status: adding 0.0 leaves a sum
    // as it was, so each sum is the one a branch per line would give.
    Totals t = totals_.at.back();
    for (; r < grid.rows() && (kept.read(r, v) || readCells(ctx, r, v)); ++r) {
        keepAt(totals_, r, t);
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
    if (r < grid.rows()) return nullptr;
    totals_.whole = t;
    return &*totals_.whole;
}

const LineSums::CurrencyTotals* LineSums::currencyTotals(const ControlContext& ctx)
{
    const view::Grid& grid = ctx.grid();
    int r = resume(currency_, keyOf(ctx), grid);
    if (r == 0) return currency_.whole ? &*currency_.whole : nullptr;
    const KeptRowNumbers<1> kept(grid, ctx.locale, {Col::ExtPrice});
    std::array<double, 1> v;
    CurrencyTotals t = currency_.at.back();
    try {
        for (; r < grid.rows() && (kept.read(r, v) || readCells(ctx, r, v)); ++r) {
            keepAt(currency_, r, t);
            const text::Currency amount = text::Currency::fromDouble(v[0]);
            t.all += amount;
            if (amount > text::Currency{}) t.positive += amount;
        }
    } catch (const text::RuntimeError&) {
        return nullptr; // an amount or a sum beyond the currency range
    }
    // Otherwise left to the line by line reading, which fails where it must.
    if (r < grid.rows()) return nullptr;
    currency_.whole = t;
    return &*currency_.whole;
}

} // namespace zelt
