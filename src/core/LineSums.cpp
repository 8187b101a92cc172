#include "core/LineSums.h"

#include "core/ControlContext.h"
#include "core/KeptRowNumbers.h"
#include "core/LineColumns.h"
#include "zelt/text/RuntimeError.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cmath>

namespace zelt {

namespace {

// A line whose numbers are not kept yet (one just written) is read through
// its cells, which keeps them: true when every one is a number.
template <std::size_t N>
bool readCells(const ControlContext& ctx, int row, const std::array<int, N>& cols, std::array<double, N>& out)
{
    for (std::size_t k = 0; k < N; ++k) {
        const auto value = ctx.tryCellNumber(row, cols[k]);
        if (!value) return false;
        out[k] = *value;
    }
    return true;
}

constexpr std::array<int, 4> kTotalsColumns = {Col::Status, Col::UnitWeight, Col::Quantity, Col::ExtPrice};
constexpr std::array<int, 1> kCurrencyColumns = {Col::ExtPrice};

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

template <typename Sums, std::size_t N, typename Adding>
bool LineSums::addUp(Running<Sums>& run, const ControlContext& ctx, const std::array<int, N>& cols, int from, Adding& adding)
{
    const view::Grid& grid = ctx.grid();
    const KeptRowNumbers<N> kept(grid, ctx.locale, cols);
    const int rows = grid.rows();
    std::array<double, N> v;
    // A stride of lines at a time: the lines whose numbers are kept in a
    // loop of their own, a line read through its cells apart.
    for (int r = from; r < rows;) {
        keepAt(run, r, adding.sums());
        const int end = std::min(rows, ((r - 1) / kStride + 1) * kStride + 1);
        for (; r < end && kept.read(r, v); ++r) adding.add(v);
        if (r == end) continue;
        // A line with a cell that is not a number is left to the callers'
        // cell by cell reading, which fails at it as it must.
        if (!readCells(ctx, r, cols, v)) return false;
        adding.add(v);
        ++r;
    }
    run.whole = adding.sums();
    return true;
}

namespace {

// The line sums two to a register: each lane adds as a scalar sum would, in
// the lines' order, so the sums are those of a loop per line, bit for bit.
using Pair = double __attribute__((vector_size(16)));
using PairMask = std::int64_t __attribute__((vector_size(16)));

// The lanes of `x` whose mask is set; +0.0 in the others. Adding +0.0
// leaves a sum as it was: each sum is the one a branch per line would give,
// without a branch on the lines' varying statuses and signs.
Pair keepIf(PairMask mask, Pair x) noexcept { return std::bit_cast<Pair>(std::bit_cast<PairMask>(x) & mask); }

PairMask maskOf(bool first, bool second) noexcept
{
    return PairMask{-static_cast<std::int64_t>(first), -static_cast<std::int64_t>(second)};
}

// The totals being added up: weight and merchandise in one register,
// rewards and units in the other.
class AddingTotals {
public:
    AddingTotals(const LookupLists& lists, const LineSums::Totals& t) noexcept
        : lists_(lists), weightMerchandise_{t.weight, t.merchandise}, rewardsUnits_{t.rewards, t.units},
          lastRewards_(t.lastRewards)
    {
    }
    LineSums::Totals sums() const noexcept
    {
        return {weightMerchandise_[0], weightMerchandise_[1], lastRewards_, rewardsUnits_[0], rewardsUnits_[1]};
    }
    void add(const std::array<double, 4>& v) noexcept
    {
        const auto [status, unitWeight, quantity, amount] = v;
        const bool isMerchandise = lists_.isMerchandiseStatus(status);
        const bool isRewards = lists_.isRewardsStatus(status);
        weightMerchandise_ += keepIf(maskOf(isMerchandise | (status == 1), isMerchandise), Pair{unitWeight * quantity, amount});
        rewardsUnits_ += keepIf(maskOf(isRewards, amount > 0), Pair{amount, quantity});
        lastRewards_ = isRewards ? amount : lastRewards_;
    }

private:
    const LookupLists& lists_;
    Pair weightMerchandise_, rewardsUnits_;
    double lastRewards_;
};

// The amounts as currency, each line's rounded first; an amount or a sum
// beyond the currency range raises a RuntimeError.
class AddingCurrency {
public:
    explicit AddingCurrency(const LineSums::CurrencyTotals& t) noexcept : sums_(t) {}
    const LineSums::CurrencyTotals& sums() const noexcept { return sums_; }
    void add(const std::array<double, 1>& v)
    {
        const text::Currency amount = text::Currency::fromDouble(v[0]);
        sums_.all += amount;
        if (amount > text::Currency{}) sums_.positive += amount;
    }

private:
    LineSums::CurrencyTotals sums_;
};

} // namespace

const LineSums::Totals* LineSums::totals(const ControlContext& ctx)
{
    const int r = resume(totals_, keyOf(ctx), ctx.grid());
    if (r == 0) return totals_.whole ? &*totals_.whole : nullptr;
    AddingTotals adding(ctx.lists, totals_.at.back());
    return addUp(totals_, ctx, kTotalsColumns, r, adding) ? &*totals_.whole : nullptr;
}

const LineSums::CurrencyTotals* LineSums::currencyTotals(const ControlContext& ctx)
{
    const int r = resume(currency_, keyOf(ctx), ctx.grid());
    if (r == 0) return currency_.whole ? &*currency_.whole : nullptr;
    AddingCurrency adding(currency_.at.back());
    try {
        return addUp(currency_, ctx, kCurrencyColumns, r, adding) ? &*currency_.whole : nullptr;
    } catch (const text::RuntimeError&) {
        return nullptr; // an amount or a sum beyond the currency range
    }
}

} // namespace zelt
