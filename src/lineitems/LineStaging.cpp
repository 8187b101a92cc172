#include "lineitems/LineStaging.h"

#include "core/ControlContext.h"
#include "zelt/InputError.h"
#include "zelt/text/Date.h"
#include "view/HugePages.h"
#include "zelt/text/Split.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <cmath>
#include <cstring>
#include <limits>
#include <string.h> // memmem

namespace zelt {

namespace {

constexpr std::string_view kMember = "readData";

// The exempt flag: -1 (the host's True) marks the line exempt; the text True,
// in any case, is read the same way. Any other value is not exempt.
bool isExemptFlag(std::string_view field, const text::Locale& locale)
{
    if (auto v = text::tryToNumber(field, locale)) return *v == -1;
    std::string_view t = text::trim(field);
    return t.size() == 4 && (t[0] == 'T' || t[0] == 't') && (t[1] == 'R' || t[1] == 'r') &&
           (t[2] == 'U' || t[2] == 'u') && (t[3] == 'E' || t[3] == 'e');
}

// A column's name in messages: its header without the currency mark.
std::string_view columnName(const ColumnFact& column)
{
    std::string_view name = column.header;
    if (name.ends_with("($)")) name.remove_suffix(3);
    return name;
}

// How many records the text holds: every record is followed by the separator.
std::size_t countRecords(std::string_view text, std::string_view separator)
{
    if (separator.empty()) return 0;
    std::size_t count = 0;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    while (const void* found = memmem(at, static_cast<std::size_t>(end - at), separator.data(), separator.size())) {
        ++count;
        at = static_cast<const char*>(found) + separator.size();
    }
    return count;
}

} // namespace

LineStaging::LineStaging(ControlContext& ctx)
    : ctx_(ctx), in_(std::string(kMember), ctx.locale), loc_(ctx.locale), lists_(ctx.lists),
      rate_(ctx.conversionRateLeading())
{
    for (const ColumnFact& column : kColumns) {
        switch (column.display) {
        case CellDisplay::AsReceived:
        case CellDisplay::Computed: asReceived_.push_back(column.col); break;
        case CellDisplay::Fixed2:
        case CellDisplay::Fixed3:
        case CellDisplay::ConvertedPrice: numbers_.push_back(&column); break;
        case CellDisplay::Date: dates_.push_back(column.col); break;
        case CellDisplay::UnitText: units_.push_back(column.col); break;
        case CellDisplay::ExemptMark: exemptMarks_.push_back(column.col); break;
        }
    }
    const std::vector<int> keptColumns = numberKeptColumns();
    slotOf_.fill(-1);
    for (std::size_t k = 0; k < keptColumns.size(); ++k) slotOf_[static_cast<std::size_t>(keptColumns[k])] = static_cast<int>(k);
    slots_ = keptColumns.size();
}

void LineStaging::prepare(std::size_t lineBound, bool header)
{
    // Room past the last line, so that the clerk's first added lines do not
    // move a large order's rows and numbers to new storage.
    growRoom_ = header ? lineBound / 64 + 1024 : 0;
    const std::size_t rows = lineBound + (header ? 1 : 0) + growRoom_;
    out_.cells.reserveRows(rows);
    out_.kept.reserve(rows * slots_);
    view::adviseHugePages(out_.kept.data(), out_.kept.capacity() * sizeof(double));
    if (header) {
        for (const ColumnFact& column : kColumns) cell(column.col) = column.header;
        out_.cells.appendRow(views_.data(), views_.size());
        out_.kept.resize(slots_, std::numeric_limits<double>::quiet_NaN());
    }
    out_.exempt.reserve(lineBound);
    out_.priced.reserve(lineBound);
}

std::size_t LineStaging::lineBound(std::string_view text) const
{
    // A line holds at least its fields' separators and the record separator:
    // the text cannot hold more lines than that, nor more than are taken.
    const std::size_t minLineBytes = (Col::kLoadFields - 1) * ctx_.state.fieldSeparator.size() +
                                     std::max<std::size_t>(ctx_.state.recordSeparator.size(), 1);
    return std::min(text.size() / minLineBytes + 1, ctx_.state.maxLines);
}

LineStaging::Staged LineStaging::stage(std::string_view text)
{
    prepare(lineBound(text), true);
    if (text.empty()) return std::move(out_);
    // View Mode's weight total adds the lines in order, on one thread.
    if (text.size() < kHalvesFrom || ctx_.state.mode == Mode::ViewMode || std::thread::hardware_concurrency() < 2 ||
        !stageHalves(text)) {
        const std::atomic<bool> never{false};
        stageRecords(text, text, true, never);
    }
    if (ctx_.state.mode == Mode::ViewMode && !weightStopped_) out_.viewWeight = viewWeight_;
    out_.cells.shrinkToFit(growRoom_);
    return std::move(out_);
}

void LineStaging::stageRecords(std::string_view part, std::string_view whole, bool fromStart, const std::atomic<bool>& stop)
{
    Fields fields;
    text::RecordReader reader(part, ctx_.state.recordSeparator, ctx_.state.fieldSeparator);
    std::size_t r = 0;
    try {
        for (; reader.next(fields); ++r) {
            if ((r & 1023) == 0 && stop.load(std::memory_order_relaxed)) return;
            stageRecord(r, fields, whole, fromStart);
        }
    } catch (...) {
        failedRecord_ = r + 1;
        throw;
    }
}

bool LineStaging::stageHalves(std::string_view text)
{
    // This thread reads a little over half. It alone joins the parts and sets
    // up the grid after the join, but the second thread reads more slowly:
    // it starts later, and more of its memory is fresh from the system.
    const std::size_t cut = text::recordBoundaryFrom(text, ctx_.state.recordSeparator, text.size() / 100 * kFirstShare);
    if (cut == 0) return false;
    // The second half goes to a stager of its own (its own scratch and tables
    // of converted texts); its record numbers count from the cut until the
    // first half's count is known. Its room is bounded by its own text: a
    // bound from the whole order's may be cut to the line limit and fall
    // short, and a store that grows copies itself into fresh memory.
    LineStaging second(ctx_);
    second.prepare(lineBound(text.substr(cut)), false);
    std::atomic<bool> stop{false};
    std::exception_ptr secondError;
    // The join copies the second part's numbers into this part's room, past
    // its own lines. Whichever thread finishes first brings those pages in
    // while the other still reads, so that the copy finds them in memory;
    // the other part's lines are estimated from its share of the text.
    const double* const keptRoom = out_.kept.data();
    const std::size_t keptCapacity = out_.kept.capacity();
    const double secondPerFirst = static_cast<double>(text.size() - cut) / static_cast<double>(cut);
    const std::size_t slots = std::max<std::size_t>(slots_, 1);
    const auto bringInJoinRoom = [keptRoom, keptCapacity, slots](double firstLines, double secondLines) {
        // Where the numbers of the line after `lines` lines go, within the room.
        const auto rowAt = [&](double lines) {
            const double rows = static_cast<double>(keptCapacity / slots);
            return !(lines > 0) ? slots : lines + 1 >= rows ? keptCapacity : (static_cast<std::size_t>(lines) + 1) * slots;
        };
        const std::size_t from = rowAt(firstLines);
        view::bringIn(keptRoom + from, (rowAt(firstLines + secondLines) - from) * sizeof(double));
    };
    std::atomic<bool> firstDone{false}, secondDone{false};
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                second.stageRecords(text.substr(cut), text, false, stop);
                secondDone = true;
                const auto lines = static_cast<double>(second.out_.lines);
                if (!firstDone && !stop) bringInJoinRoom(lines / secondPerFirst * 0.97, lines * 1.03);
            } catch (...) {
                secondError = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        return false; // no thread to be had: one pass then
    }
    try {
        stageRecords(text.substr(0, cut), text, true, stop);
        firstDone = true;
        const auto lines = static_cast<double>(out_.lines);
        if (!secondDone) bringInJoinRoom(lines, lines * secondPerFirst * 1.03);
    } catch (...) {
        // The first half's error is the order's first: the second half stops.
        stop = true;
        worker.join();
        throw;
    }
    worker.join();
    const auto firstLines = static_cast<std::size_t>(out_.lines);
    const std::size_t maxLines = ctx_.state.maxLines;
    if (secondError) {
        // A line past the limit comes before the second half's error.
        if (firstLines + second.failedRecord_ > maxLines) refuseTooMany(text);
        try {
            std::rethrow_exception(secondError);
        } catch (const InputError& e) {
            // Its record numbered from the order's start.
            if (!e.record()) throw;
            throw InputError(e.member(), static_cast<int>(firstLines + static_cast<std::size_t>(*e.record())), e.field(),
                             e.reason());
        }
    }
    if (firstLines + static_cast<std::size_t>(second.out_.lines) > maxLines) refuseTooMany(text);
    out_.lines += second.out_.lines;
    out_.cells.appendRows(std::move(second.out_.cells));
    out_.kept.insert(out_.kept.end(), second.out_.kept.begin(), second.out_.kept.end());
    out_.exempt.insert(out_.exempt.end(), second.out_.exempt.begin(), second.out_.exempt.end());
    out_.priced.insert(out_.priced.end(), second.out_.priced.begin(), second.out_.priced.end());
    return true;
}

void LineStaging::refuseTooMany(std::string_view whole) const
{
    // One line too many: the whole count goes into the refusal.
    const std::size_t maxLines = ctx_.state.maxLines;
    in_.fail(static_cast<int>(std::min<std::size_t>(maxLines + 1, INT32_MAX)), std::nullopt,
             "the order holds " + std::to_string(countRecords(whole, ctx_.state.recordSeparator)) + " lines; at most " +
                 std::to_string(maxLines) + " are taken (setMaxLines)");
}

void LineStaging::stageRecord(std::size_t r, const Fields& fields, std::string_view text, bool fromStart)
{
    const int recordNo = static_cast<int>(r) + 1;
    const std::size_t maxLines = ctx_.state.maxLines;
    if (fromStart && r == maxLines) refuseTooMany(text);
    if (fields.size() < static_cast<std::size_t>(Col::kLoadFields))
        in_.fail(recordNo, static_cast<int>(fields.size()),
                 "the record has " + std::to_string(fields.size()) + " fields; " + std::to_string(Col::kLoadFields) +
                     " are needed");
    fields_ = &fields;
    out_.kept.resize(out_.kept.size() + slots_, std::numeric_limits<double>::quiet_NaN());
    lineKept_ = out_.kept.data() + out_.kept.size() - slots_;
    // A record the export wrote carries its 22 cells, each followed by the
    // separator: field 20 is the extended price and field 21 the
    // control's own exempt mark, which then decides. A host's record has
    // the exempt flag in field 20 (and at most an empty field after it).
    const std::string_view mark = fields.size() > static_cast<std::size_t>(Col::Exempt) ? fields[Col::Exempt] : "";
    const bool exported = mark == kExemptMark || mark == kNotExemptMark ||
                          (mark.empty() && fields.size() > static_cast<std::size_t>(Col::kCount));
    exempt_ = exported ? mark == kExemptMark : isExemptFlag(fields[Col::ExtPrice], loc_);
    out_.exempt.push_back(exempt_);
    out_.priced.push_back(0);
    ++out_.lines;

    for (int c : asReceived_) cell(c) = field(c);
    writeNumbers(recordNo);
    for (int c : dates_) writeRepeated(c, field(c), [this](std::string_view f) { return text::formatDateText(f, loc_); });
    for (int c : units_) writeRepeated(c, field(c), [this](std::string_view f) { return lists_.unitCodeToDisplay(f); });
    for (int c : exemptMarks_) cell(c) = exempt_ ? kExemptMark : std::string_view{};

    const bool hasAmounts = !cell(Col::Quantity).empty() && !cell(Col::UnitPrice).empty();
    const double status = checkLine(recordNo, hasAmounts);
    if (hasAmounts || ctx_.state.mode != Mode::AddMode) out_.priced.back() = lists_.isPricedStatus(status);
    if (hasAmounts) {
        if (out_.priced.back()) writeExtendedPrice(recordNo);
        else writeFixed(Col::ExtPrice, 0, lineAmountDecimals(CellDisplay::Computed));
    }
    if (ctx_.state.mode == Mode::ViewMode) weighForViewMode(status);
    out_.cells.appendRow(views_.data(), views_.size());
}

void LineStaging::writeNumbers(int recordNo)
{
    // In column order: the first that cannot be taken is the one reported.
    for (const ColumnFact* column : numbers_) {
        const int c = column->col;
        const int decimals = lineAmountDecimals(column->display);
        if ((rate_ == 1.0 || column->display != CellDisplay::ConvertedPrice) && writePlain(c, field(c), decimals)) continue;
        if (column->display == CellDisplay::ConvertedPrice) {
            double price = in_.amount(field(c), recordNo, c, columnName(*column)) * rate_;
            if (!isAmountInRange(price))
                in_.fail(recordNo, c, std::string(columnName(*column)) + " times the conversion rate is beyond the currency range");
            writeFixed(c, price, decimals);
        } else if (auto v = text::tryToNumber(field(c), loc_)) {
            // A number is formatted; any other text is kept as it is. Quantities
            // and weights beyond the currency range could never be totalled.
            if (!isAmountInRange(*v)) in_.copiedAmount(field(c), recordNo, c, columnName(*column));
            writeFixed(c, *v, decimals);
        } else {
            cell(c) = field(c);
        }
    }
}

double LineStaging::checkLine(int recordNo, bool hasAmounts)
{
    // A quantity goes to the freight component as a 32-bit integer.
    if (const double quantity = kept(Col::Quantity); !std::isnan(quantity) && !isInt32InRange(quantity))
        in_.fail(recordNo, Col::Quantity,
                 "the Quantity " + quoteInput(field(Col::Quantity)) + " is beyond the largest quantity a line can carry");
    // The Status decides pricing and shading, and the tax and fee summary
    // reads it on every line (with the DirectionOrder of open and received
    // lines, as a 32-bit integer): a line it could not read is refused here.
    const double status = in_.number(cell(Col::Status), recordNo, Col::Status, "the Status");
    keep(Col::Status, status);
    if (status == 1 || status == 6) {
        const auto direction = text::tryToNumber(cell(Col::DirectionOrder), loc_);
        if (!direction || !isInt32InRange(*direction))
            in_.fail(recordNo, Col::DirectionOrder,
                     "the DirectionOrder " + quoteInput(cell(Col::DirectionOrder)) + " is not a 32-bit integer");
    }
    // The exempt flag's field is the Ext.Price cell of a line without
    // amounts; in the export a field separator follows it, not the record
    // separator: a separator must not start inside it then.
    if (!hasAmounts && text::separatorStartsWithin(cell(Col::ExtPrice), ctx_.state.fieldSeparator, ctx_.state.recordSeparator))
        in_.fail(recordNo, Col::ExtPrice, "the field " + quoteInput(cell(Col::ExtPrice)) + " ends with the start of a separator");
    return status;
}

void LineStaging::writeExtendedPrice(int recordNo)
{
    // Numbers the loader wrote are known; a quantity kept as received is read.
    const double quantity = std::isnan(kept(Col::Quantity))
                                ? in_.number(cell(Col::Quantity), recordNo, Col::Quantity, "the Quantity")
                                : kept(Col::Quantity);
    const double price = kept(Col::UnitPrice);
    // The price is in range already: a product beyond it comes from the quantity.
    const double extended = in_.inRange(price * quantity, recordNo, Col::Quantity, "the Quantity times the Unit Price");
    writeFixed(Col::ExtPrice, extended, lineAmountDecimals(CellDisplay::Computed));
}

void LineStaging::weighForViewMode(double status)
{
    // The weight total of View Mode stops quietly at a line whose weight or
    // quantity does not read, as the totals recalculation does.
    if (weightStopped_ || (status != lists_.statusPosition1 + 1 && status != lists_.statusPosition6 + 1) || status == 5)
        return;
    auto weight = text::tryToNumber(cell(Col::UnitWeight), loc_);
    auto quantity = text::tryToNumber(cell(Col::Quantity), loc_);
    if (weight && quantity) viewWeight_ += *weight * *quantity;
    else weightStopped_ = true;
}

void LineStaging::writeFixed(int c, double value, int decimals)
{
    text::FixedText fixed = ctx_.fixedRead(value, decimals);
    keep(c, fixed.value);
    written_[static_cast<std::size_t>(c)] = std::move(fixed.text);
    cell(c) = written_[static_cast<std::size_t>(c)];
}

bool LineStaging::writePlain(int c, std::string_view text, int decimals)
{
    // A plain decimal in range is written and kept without parsing and
    // formatting it (most amounts a host sends are).
    const auto i = static_cast<std::size_t>(c);
    double value = 0;
    const std::size_t length = text::formatPlainFixed(text, decimals, loc_, plainWritten_[i], value);
    if (length == 0 || !isAmountInRange(value)) return false;
    cell(c) = std::string_view(plainWritten_[i], length);
    keep(c, value);
    return true;
}

template <typename Convert>
void LineStaging::writeRepeated(int c, std::string_view text, Convert convert)
{
    cell(c) = seen_[static_cast<std::size_t>(c)].get(text, convert);
}

} // namespace zelt
