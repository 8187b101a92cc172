#pragma once

#include "core/HostInput.h"
#include "core/LineColumns.h"
#include "lineitems/ConvertedTexts.h"
#include "zelt/text/NumberText.h"
#include "zelt/view/CellStore.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt {

struct ControlContext;
struct LookupLists;

/// Reads the host's line records and converts them into the cells, numbers
/// and line facts of a new order, aside from the grid: a record it cannot
/// take raises an InputError (record from 1, field from 0, reason) before
/// anything of the order changes.
class LineStaging {
public:
    struct Staged {
        int lines = 0;
        view::CellStore cells{Col::kCount}; // 1 + lines rows, the header row first
        /// The numbers the loader wrote or read, for the grid to keep: per row
        /// (the header row first) one per kept column, NaN where not known.
        std::vector<double> kept;
        std::vector<std::uint8_t> exempt;
        std::vector<std::uint8_t> priced;
        /// View Mode's weight total; none when it stopped at a line.
        std::optional<double> viewWeight;
    };

    explicit LineStaging(ControlContext& ctx);
    Staged stage(std::string_view text);

private:
    using Fields = std::vector<std::string_view>;
    /// The most lines `text` can hold that a load takes.
    std::size_t lineBound(std::string_view text) const;
    /// Room for up to `lineBound` lines, after the header row when `header`.
    void prepare(std::size_t lineBound, bool header);
    /// Stages every record of `part` (records of `whole` from its start, or
    /// from a record boundary when `fromStart` is false: the record numbers
    /// in errors then count from that boundary, and the line limit is the
    /// caller's). Stops early, without an error, once `stop` is set.
    void stageRecords(std::string_view part, std::string_view whole, bool fromStart, const std::atomic<bool>& stop);
    /// Stages the two halves of a large order on two threads and joins them
    /// in order; false when the text has no safe place to cut.
    bool stageHalves(std::string_view text);
    void stageRecord(std::size_t r, const Fields& fields, std::string_view text, bool fromStart);
    /// Refuses the line past the limit, with the order's whole count.
    [[noreturn]] void refuseTooMany(std::string_view whole) const;
    void writeNumbers(int recordNo);
    /// The Status, the quantity's size, the DirectionOrder and the last
    /// field's end, which the summary and the export read on every line.
    double checkLine(int recordNo, bool hasAmounts);
    void writeExtendedPrice(int recordNo);
    void weighForViewMode(double status);

    std::string_view field(int c) const
    {
        return c < Col::kLoadFields ? (*fields_)[static_cast<std::size_t>(c)] : std::string_view{};
    }
    std::string_view& cell(int c) { return views_[static_cast<std::size_t>(c)]; }
    void keep(int c, double value)
    {
        if (const int slot = slotOf_[static_cast<std::size_t>(c)]; slot >= 0) lineKept_[slot] = value;
    }
    double kept(int c) const { return lineKept_[slotOf_[static_cast<std::size_t>(c)]]; }
    void writeFixed(int c, double value, int decimals);
    bool writePlain(int c, std::string_view text, int decimals);
    template <typename Convert>
    void writeRepeated(int c, std::string_view text, Convert convert);

    ControlContext& ctx_;
    const HostInput in_;
    const text::Locale& loc_;
    const LookupLists& lists_;
    const double rate_;
    Staged out_;

    // The columns of each kind, in column order: each kind is handled in its
    // own loop over a line, not by a choice per cell.
    std::vector<int> asReceived_, dates_, units_, exemptMarks_;
    std::vector<const ColumnFact*> numbers_;
    // Where each kept column's number goes in a row of `kept`.
    std::array<int, Col::kCount> slotOf_;
    std::size_t slots_ = 0;

    // One line's cells: the texts taken as received are views into the
    // order's text; the ones the loader writes (formatted numbers, dates,
    // units) live in `written_` and `plainWritten_`, whose storage serves every line.
    const Fields* fields_ = nullptr;
    std::array<std::string_view, Col::kCount> views_;
    std::array<std::string, Col::kCount> written_;
    std::array<char[text::kPlainFixedRoom], Col::kCount> plainWritten_;
    double* lineKept_ = nullptr;
    bool exempt_ = false;

    /// Orders from this size on (about 12,000 lines) load on two threads.
    static constexpr std::size_t kHalvesFrom = std::size_t{2} << 20;
    /// The share of the text (percent) read by the calling thread.
    static constexpr std::size_t kFirstShare = 52;
    /// The record (from 1, counted in the part staged) that raised an error.
    std::size_t failedRecord_ = 0;
    // Dates and unit codes repeat across the lines: each such column shows
    // a field it converted before the same, without converting it again.
    std::array<ConvertedTexts, Col::kCount> seen_;

    std::size_t growRoom_ = 0; // rows of room kept past the last line
    double viewWeight_ = 0;
    bool weightStopped_ = false;
};

} // namespace zelt
