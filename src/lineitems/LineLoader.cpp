#include "lineitems/LineLoader.h"

#include "core/Field.h"
#include "core/ControlContext.h"
#include "lineitems/EntryArea.h"
#include "lineitems/LineCommands.h"
#include "core/LineColumns.h"
#include "core/HostInput.h"
#include "zelt/InputError.h"
#include "zelt/text/Date.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <cstring>
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

// Equality of two short texts (dates, unit codes) without a call to memcmp
// for each.
bool sameText(std::string_view a, std::string_view b) noexcept
{
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    if (n < 8) {
        for (std::size_t k = 0; k < n; ++k)
            if (a[k] != b[k]) return false;
        return true;
    }
    if (n > 16) return a == b;
    std::uint64_t a1, a2, b1, b2;
    std::memcpy(&a1, a.data(), 8);
    std::memcpy(&b1, b.data(), 8);
    std::memcpy(&a2, a.data() + n - 8, 8);
    std::memcpy(&b2, b.data() + n - 8, 8);
    return a1 == b1 && a2 == b2;
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

LineLoader::Staged LineLoader::stage(std::string_view text)
{
    const HostInput in(std::string(kMember), ctx_.locale);
    const std::size_t maxLines = ctx_.state.maxLines;
    // A line holds at least its fields' separators and the record separator:
    // the text cannot hold more lines than that, nor more than are taken.
    const std::size_t minLineBytes = (Col::kLoadFields - 1) * ctx_.state.fieldSeparator.size() +
                                     std::max<std::size_t>(ctx_.state.recordSeparator.size(), 1);
    const std::size_t lineBound = std::min(text.size() / minLineBytes + 1, maxLines);

    Staged out;
    out.cells.reserveRows(lineBound + 1);
    std::array<std::string_view, Col::kCount> views;
    for (const ColumnFact& column : kColumns) views[static_cast<std::size_t>(column.col)] = column.header;
    out.cells.appendRow(views.data(), views.size());
    // Where each kept column's number goes in a row of `kept`.
    const std::vector<int> keptColumns = numberKeptColumns();
    std::array<int, Col::kCount> slotOf;
    slotOf.fill(-1);
    for (std::size_t k = 0; k < keptColumns.size(); ++k) slotOf[static_cast<std::size_t>(keptColumns[k])] = static_cast<int>(k);
    const std::size_t slots = keptColumns.size();
    const double unknown = std::numeric_limits<double>::quiet_NaN();
    out.kept.reserve((lineBound + 1) * slots);
    out.kept.resize(slots, unknown);
    out.exempt.reserve(lineBound);
    out.priced.reserve(lineBound);
    if (text.empty()) return out;

    const text::Locale& loc = ctx_.locale;
    const LookupLists& lists = ctx_.lists;
    const Mode mode = ctx_.state.mode;
    const double rate = ctx_.conversionRateLeading();
    double viewWeight = 0;
    bool weightStopped = false;

    // One line's cells: the texts taken as received are views into the
    // order's text; the ones the loader writes (formatted numbers, dates,
    // units) live in `written` and `plainWritten`, whose storage serves every line.
    std::array<std::string, Col::kCount> written;
    auto& cell = views;
    // Dates and unit codes repeat from line to line: the last few distinct
    // fields of each such column and what they were shown as are kept, and a
    // field seen among them is shown the same without converting it again.
    struct Converted {
        std::string field, shown;
    };
    constexpr std::size_t kRecent = 4;
    std::array<std::array<Converted, kRecent>, Col::kCount> recent;
    std::array<std::size_t, Col::kCount> recentCount{}, recentNext{};
    const auto writeRepeated = [&](int c, std::string_view field, auto convert) {
        const auto i = static_cast<std::size_t>(c);
        for (std::size_t k = 0; k < recentCount[i]; ++k)
            if (sameText(recent[i][k].field, field)) {
                cell[i] = recent[i][k].shown;
                return;
            }
        std::string shown = convert(field); // may refuse the field: nothing is kept then
        Converted& slot = recent[i][recentNext[i]];
        recentNext[i] = (recentNext[i] + 1) % kRecent;
        recentCount[i] = std::min(recentCount[i] + 1, kRecent);
        slot.field.assign(field);
        slot.shown = std::move(shown);
        cell[i] = slot.shown;
    };
    // This line's kept numbers, and a fixed amount written with the number it reads as.
    double* lineKept = nullptr;
    const auto keep = [&](int c, double value) {
        if (slotOf[static_cast<std::size_t>(c)] >= 0) lineKept[slotOf[static_cast<std::size_t>(c)]] = value;
    };
    const auto writeFixed = [&](int c, double value, int decimals) {
        const auto i = static_cast<std::size_t>(c);
        text::FixedText fixed = ctx_.fixedRead(value, decimals);
        keep(c, fixed.value);
        written[i] = std::move(fixed.text);
        cell[i] = written[i];
    };
    // A plain decimal in range is written and kept without parsing and
    // formatting it (most amounts a host sends are).
    std::array<char[text::kPlainFixedRoom], Col::kCount> plainWritten;
    const auto writePlain = [&](int c, std::string_view field, int decimals) {
        const auto i = static_cast<std::size_t>(c);
        double value = 0;
        const std::size_t length = text::formatPlainFixed(field, decimals, loc, plainWritten[i], value);
        if (length == 0 || !isAmountInRange(value)) return false;
        cell[i] = std::string_view(plainWritten[i], length);
        keep(c, value);
        return true;
    };
    const auto kept = [&](int c) { return lineKept[slotOf[static_cast<std::size_t>(c)]]; };
    // The columns of each kind, in column order: each kind is handled in its
    // own loop over a line, not by a choice per cell.
    struct Kinds {
        std::vector<int> asReceived, dates, units, exemptMarks;
        std::vector<const ColumnFact*> numbers;
    } kinds;
    for (const ColumnFact& column : kColumns) {
        switch (column.display) {
        case CellDisplay::AsReceived:
        case CellDisplay::Computed: kinds.asReceived.push_back(column.col); break;
        case CellDisplay::Fixed2:
        case CellDisplay::Fixed3:
        case CellDisplay::ConvertedPrice: kinds.numbers.push_back(&column); break;
        case CellDisplay::Date: kinds.dates.push_back(column.col); break;
        case CellDisplay::UnitText: kinds.units.push_back(column.col); break;
        case CellDisplay::ExemptMark: kinds.exemptMarks.push_back(column.col); break;
        }
    }
    std::vector<std::string_view> fields;
    text::RecordReader reader(text, ctx_.state.recordSeparator, ctx_.state.fieldSeparator);
    for (std::size_t r = 0; reader.next(fields); ++r) {
        const int recordNo = static_cast<int>(r) + 1;
        if (r == maxLines) {
            // One line too many: the whole count goes into the refusal.
            const std::size_t lineCount = countRecords(text, ctx_.state.recordSeparator);
            in.fail(static_cast<int>(std::min<std::size_t>(maxLines + 1, INT32_MAX)), std::nullopt,
                    "the order holds " + std::to_string(lineCount) + " lines; at most " + std::to_string(maxLines) +
                        " are taken (setMaxLines)");
        }
        if (fields.size() < static_cast<std::size_t>(Col::kLoadFields))
            in.fail(recordNo, static_cast<int>(fields.size()),
                    "the record has " + std::to_string(fields.size()) + " fields; " +
                        std::to_string(Col::kLoadFields) + " are needed");
        out.kept.resize(out.kept.size() + slots, unknown);
        lineKept = out.kept.data() + out.kept.size() - slots;
        // A record the export wrote carries its 22 cells, each followed by the
        // separator: field 20 is the extended price and field 21 the
        // control's own exempt mark, which then decides. A host's record has
        // the exempt flag in field 20 (and at most an empty field after it).
        const std::string_view mark = fields.size() > static_cast<std::size_t>(Col::Exempt) ? fields[Col::Exempt] : "";
        const bool exported = mark == kExemptMark || mark == kNotExemptMark ||
                              (mark.empty() && fields.size() > static_cast<std::size_t>(Col::kCount));
        const bool exempt = exported ? mark == kExemptMark : isExemptFlag(fields[Col::ExtPrice], loc);
        out.exempt.push_back(exempt);
        out.priced.push_back(0);
        ++out.lines;
        const auto field = [&](int c) {
            return c < Col::kLoadFields ? fields[static_cast<std::size_t>(c)] : std::string_view{};
        };
        for (int c : kinds.asReceived) cell[static_cast<std::size_t>(c)] = field(c);
        // The numbers, in column order: the first that cannot be taken is the one reported.
        for (const ColumnFact* column : kinds.numbers) {
            const int c = column->col;
            const int decimals = lineAmountDecimals(column->display);
            if ((rate == 1.0 || column->display != CellDisplay::ConvertedPrice) && writePlain(c, field(c), decimals))
                continue;
            if (column->display == CellDisplay::ConvertedPrice) {
                double price = in.amount(field(c), recordNo, c, columnName(*column)) * rate;
                if (!isAmountInRange(price))
                    in.fail(recordNo, c, std::string(columnName(*column)) + " times the conversion rate is beyond the currency range");
                writeFixed(c, price, decimals);
            } else if (auto v = text::tryToNumber(field(c), loc)) {
                // A number is formatted; any other text is kept as it is. Quantities
                // and weights beyond the currency range could never be totalled.
                if (!isAmountInRange(*v)) in.copiedAmount(field(c), recordNo, c, columnName(*column));
                writeFixed(c, *v, decimals);
            } else {
                cell[static_cast<std::size_t>(c)] = field(c);
            }
        }
        for (int c : kinds.dates)
            writeRepeated(c, field(c), [&](std::string_view f) { return text::formatDateText(f, loc); });
        for (int c : kinds.units) writeRepeated(c, field(c), [&](std::string_view f) { return lists.unitCodeToDisplay(f); });
        for (int c : kinds.exemptMarks) cell[static_cast<std::size_t>(c)] = exempt ? kExemptMark : std::string_view{};

        // A quantity goes to the freight component as a 32-bit integer.
        if (const double quantity = kept(Col::Quantity); !std::isnan(quantity) && !isInt32InRange(quantity))
            in.fail(recordNo, Col::Quantity,
                    "the Quantity " + quoteInput(field(Col::Quantity)) + " is beyond the largest quantity a line can carry");
        // The Status decides pricing and shading, and the tax and fee summary
        // reads it on every line (with the DirectionOrder of open and received
        // lines, as a 32-bit integer): a line it could not read is refused here.
        const bool hasAmounts = !cell[Col::Quantity].empty() && !cell[Col::UnitPrice].empty();
        const double status = in.number(cell[Col::Status], recordNo, Col::Status, "the Status");
        keep(Col::Status, status);
        if (hasAmounts || mode != Mode::AddMode) out.priced.back() = lists.isPricedStatus(status);
        if (status == 1 || status == 6) {
            const auto direction = text::tryToNumber(cell[Col::DirectionOrder], loc);
            if (!direction || !isInt32InRange(*direction))
                in.fail(recordNo, Col::DirectionOrder,
                        "the DirectionOrder " + quoteInput(cell[Col::DirectionOrder]) + " is not a 32-bit integer");
        }
        // The exempt flag's field is the Ext.Price cell of a line without
        // amounts; in the export a field separator follows it, not the record
        // separator: a separator must not start inside it then.
        if (!hasAmounts && text::separatorStartsWithin(cell[Col::ExtPrice], ctx_.state.fieldSeparator, ctx_.state.recordSeparator))
            in.fail(recordNo, Col::ExtPrice,
                    "the field " + quoteInput(cell[Col::ExtPrice]) + " ends with the start of a separator");
        if (hasAmounts) {
            if (out.priced.back()) {
                // Numbers the loader wrote are known; a quantity kept as received is read.
                const double quantity = std::isnan(kept(Col::Quantity))
                                            ? in.number(cell[Col::Quantity], recordNo, Col::Quantity, "the Quantity")
                                            : kept(Col::Quantity);
                const double price = kept(Col::UnitPrice);
                // The price is in range already: a product beyond it comes from the quantity.
                double extended = in.inRange(price * quantity, recordNo, Col::Quantity,
                                             "the Quantity times the Unit Price");
                writeFixed(Col::ExtPrice, extended, lineAmountDecimals(CellDisplay::Computed));
            } else {
                writeFixed(Col::ExtPrice, 0, lineAmountDecimals(CellDisplay::Computed));
            }
        }
        // The weight total of View Mode stops quietly at a line whose weight
        // or quantity does not read, as the totals recalculation does.
        if (mode == Mode::ViewMode && !weightStopped &&
            (status == lists.statusPosition1 + 1 || status == lists.statusPosition6 + 1) && status != 5) {
            auto weight = text::tryToNumber(cell[Col::UnitWeight], loc);
            auto quantity = text::tryToNumber(cell[Col::Quantity], loc);
            if (weight && quantity) viewWeight += *weight * *quantity;
            else weightStopped = true;
        }
        out.cells.appendRow(views.data(), views.size());
    }
    if (mode == Mode::ViewMode && !weightStopped) out.viewWeight = viewWeight;
    out.cells.shrinkToFit();
    return out;
}

void LineLoader::setUpGrid()
{
    view::Grid& grid = ctx_.grid();
    // Dropping the old lines before clearing is the same result as clearing
    // first, without touching every old cell.
    grid.setRows(1);
    grid.clear();
    grid.setHighlightStyle(0);
    grid.setCols(Col::kCount);
    const double w = grid.width();
    for (const ColumnFact& column : kColumns) {
        double width = (column.share1 > 0 ? w / column.share1 : 0) + (column.share2 > 0 ? w / column.share2 : 0);
        grid.setColumnWidth(column.col, static_cast<int>(std::lround(width)));
    }
}

void LineLoader::load(std::string_view text)
{
    Staged staged = stage(text); // may throw: nothing has changed yet

    view::Form& f = ctx_.form;
    view::Grid& grid = ctx_.grid();
    // A clerk who was typing in a line goes on from the lines: the entry
    // area closes and its fields lock.
    const bool focusInEntry = f.focusedWidget() && f.focusedWidget()->group() == "LineEntry";
    entryArea_.reset(false);
    commands_.startNewOrder();
    const int lines = staged.lines;
    {
        view::Grid::ResetScope reset(grid);
        setUpGrid();
        grid.swapCells(staged.cells);
        grid.keepNumbers(std::move(staged.kept), ctx_.locale);
        staged.cells = view::CellStore(); // the old lines go now, before the rest is set up

        // The exempt tracker and the scratch list it is copied from both list
        // exactly the exempt rows of this order.
        std::string tracker;
        for (int r = 1; r <= lines; ++r)
            if (staged.exempt[static_cast<std::size_t>(r - 1)]) tracker += std::to_string(r) + "|";
        ctx_.state.exemptScratchList = tracker;
        f.txtHiddenExemptTracker.setText(std::move(tracker));

        // Every line is formatted as the first priced one or the first
        // shaded one: those two are formatted cell by cell, the rest copied.
        int plainRow = 0, shadedRow = 0;
        int currentRow = lines, currentCol = Col::ModelNo;
        const bool shading = ctx_.state.mode != Mode::AddMode;
        for (int r = 1; r <= lines; ++r) {
            const bool shaded = shading && !staged.priced[static_cast<std::size_t>(r - 1)];
            int& model = shaded ? shadedRow : plainRow;
            if (model > 0) {
                grid.copyRowFormats(model, r);
            } else {
                grid.setAlignment(r, Col::Description, view::Grid::Alignment::LeftTop);
                grid.setAlignment(r, Col::ModelNo, view::Grid::Alignment::LeftTop);
                if (shaded)
                    for (int k : ctx_.state.shadedColumns) grid.setBackground(r, k, view::Color::buttonFace());
                model = r;
            }
            if (shaded) {
                currentRow = r;
                currentCol = ctx_.state.shadedColumns.back();
            }
        }
        if (lines > 0) grid.setCurrentCell(currentRow, currentCol);
    }
    grid.setEnabled(true);
    if (focusInEntry && grid.visible()) grid.setFocus();

    switch (ctx_.state.mode) {
    case Mode::AddMode:
        for (int i = 0; i <= 6; ++i) f.txtFee[i].setText(ctx_.fixed(0, 2));
        for (int i = 12; i <= 16; ++i) f.txtFieldTax[i].setText(ctx_.fixed(0, 2));
        for (int i : {17, 18, 19}) f.txtField[i].setText(ctx_.fixed(0, 2));
        break;
    case Mode::UpdateMode:
    case Mode::LineCancelMode:
        recalculateTotals_();
        break;
    case Mode::ViewMode:
        if (staged.viewWeight) f.txtField[Field::TotalWeight].setText(ctx_.fixed(*staged.viewWeight, 3));
        break;
    }
}

} // namespace zelt
