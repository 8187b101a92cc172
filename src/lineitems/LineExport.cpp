#include "lineitems/LineExport.h"
#include "view/HugePages.h"

#include "core/ControlContext.h"
#include "core/LineColumns.h"
#include "zelt/ExportError.h"
#include "zelt/text/Currency.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <array>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace zelt {

void LineExport::fail(const char* member, int row, int column, const std::string& description, int number)
{
    ctx_.message("readData GET modlue " + description + " " + std::to_string(number), "");
    throw ExportError(member, row, column, description);
}

namespace {

// How many characters of `text` are the lead character of either separator.
std::size_t leadCount(std::string_view text, std::string_view fieldSep, std::string_view recordSep)
{
    const char a = fieldSep.empty() ? '\0' : fieldSep[0];
    const char b = recordSep.empty() ? a : recordSep[0];
    std::size_t n = 0;
    for (char c : text) n += (c == a || c == b) ? 1 : 0;
    return n;
}

} // namespace

int LineExport::firstCellNotReadBack(std::string_view record, std::size_t recordStart,
                                     const std::array<std::size_t, Col::kCount>& cellStart,
                                     std::string_view fieldSep, std::string_view recordSep)
{
    std::vector<std::string_view> fields;
    text::RecordReader reader(record, recordSep, fieldSep);
    const bool one = reader.next(fields);
    std::vector<std::string_view> rest;
    const bool more = one && reader.next(rest);
    for (int c = 0; c < Col::kCount; ++c) {
        const std::size_t from = cellStart[static_cast<std::size_t>(c)] - recordStart;
        const std::size_t to = c + 1 < Col::kCount ? cellStart[static_cast<std::size_t>(c) + 1] - recordStart - fieldSep.size()
                                                   : record.size() - recordSep.size() - fieldSep.size();
        if (!one || static_cast<std::size_t>(c) >= fields.size() || fields[static_cast<std::size_t>(c)] != record.substr(from, to - from))
            return c;
    }
    return more ? Col::kCount - 1 : -1;
}

void LineExport::refuseSeparator(int row, int col, const std::string& fieldSep, const std::string& recordSep)
{
    const std::string_view name = kColumns[static_cast<std::size_t>(col)].header;
    const std::string reason = "the " + std::string(name) + " holds the field separator \"" + fieldSep +
                               "\" or the record separator \"" + recordSep + "\" (or the start of one)";
    ctx_.message("Line " + std::to_string(row) + ": " + reason + ". Change it before the lines are saved.", "");
    throw ExportError("readData", row, col, reason);
}

std::string LineExport::readData()
{
    view::Form& f = ctx_.form;
    if (f.cmdAdd.caption() != "Add" && ctx_.state.mode != Mode::LineCancelMode) {
        ctx_.message("Merchandise line item(s) must be added to the grid.", "Information Required",
                     view::MessageBoxButtons::Ok, view::MessageBoxIcon::Information);
        return {};
    }
    view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    const int rows = grid.rows();
    // The rows are read on two threads below: nothing may be left for a read to write.
    grid.settle(rows);

    // The whole text and the rewritten CurrencyID cells are built first; the
    // grid changes only once every line has exported.
    std::vector<std::string> currencyIds(static_cast<std::size_t>(std::max(rows, 1)));
    std::string out = roomFor(1, rows);
    Failure failure;
    const int cut = 1 + (rows - 1) / 100 * kFirstShare;
    if (rows > kHalvesFrom && std::thread::hardware_concurrency() >= 2) {
        // The second part goes into a text of its own on another thread and
        // is appended after the first: this thread takes the smaller part.
        std::string second = roomFor(cut, rows);
        Failure secondFailure;
        std::exception_ptr secondError;
        std::thread worker;
        try {
            worker = std::thread([&] {
                try {
                    writeRows(cut, rows, second, currencyIds, secondFailure);
                } catch (...) {
                    secondError = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            worker = std::thread(); // no thread to be had: this one writes both parts
            writeRows(cut, rows, second, currencyIds, secondFailure);
        }
        try {
            writeRows(1, cut, out, currencyIds, failure);
        } catch (...) {
            if (worker.joinable()) worker.join();
            throw;
        }
        if (worker.joinable()) worker.join();
        if (failure.kind == Failure::Kind::None) {
            if (secondError) std::rethrow_exception(secondError);
            failure = std::move(secondFailure);
            out += second;
        }
    } else {
        writeRows(1, rows, out, currencyIds, failure);
    }
    // The first line that could not be written, in the lines' order, is reported.
    if (failure.kind == Failure::Kind::Separator)
        refuseSeparator(failure.row, failure.col, ctx_.state.fieldSeparator, ctx_.state.recordSeparator);
    if (failure.kind == Failure::Kind::Runtime) fail("readData", failure.row, failure.col, failure.description, failure.number);
    // The unit cells go to their codes and back, as the export has always
    // left them; the CurrencyID cells keep the number they exported.
    for (int r = 1; r < rows; ++r) {
        grid.setText(r, Col::CurrencyID, std::move(currencyIds[static_cast<std::size_t>(r)]));
        grid.setText(r, Col::UnitOfMeasure, lists.unitCodeToDisplay(lists.unitDisplayToCode(grid.text(r, Col::UnitOfMeasure))));
    }
    return out;
}

std::string LineExport::roomFor(int first, int end) const
{
    // Room for the cells, their separators and the few that grow on the way
    // (unit codes, converted prices), so that a large order's text is never
    // moved to a larger buffer; asked for in huge pages. A part of the rows
    // gets its share of the cells' characters.
    const view::Grid& grid = ctx_.grid();
    const auto count = static_cast<std::size_t>(std::max(end - first, 0));
    const std::size_t chars = grid.textBytes() / static_cast<std::size_t>(std::max(grid.rows() - 1, 1)) * count;
    std::string out;
    out.reserve(chars + count / 8 + 4096 +
                count * (Col::kCount * ctx_.state.fieldSeparator.size() + ctx_.state.recordSeparator.size() + 64));
    view::adviseHugePages(out.data(), out.capacity());
    return out;
}

void LineExport::writeRows(int first, int end, std::string& out, std::vector<std::string>& currencyIds,
                           Failure& failure) const
{
    const view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    const std::string& fieldSep = ctx_.state.fieldSeparator;
    const std::string& recordSep = ctx_.state.recordSeparator;
    const bool canadian = ctx_.state.orderCountry == COUNTRY::CANADA;
    const double rate = canadian ? ctx_.conversionRateLeading() : 1;
    int row = first;
    int col = 0;
    // Where each cell of the record being written starts in `out`.
    std::array<std::size_t, Col::kCount> cellStart{};
    const std::size_t separatorLeads = leadCount(fieldSep, fieldSep, recordSep) * Col::kCount +
                                       leadCount(recordSep, fieldSep, recordSep);
    try {
        for (row = first; row < end; ++row) {
            const std::size_t recordStart = out.size();
            std::string& currencyId = currencyIds[static_cast<std::size_t>(row)];
            currencyId = ctx_.general(text::leadingNumber(grid.text(row, Col::CurrencyID)));
            for (col = 0; col < Col::kCount; ++col) {
                cellStart[static_cast<std::size_t>(col)] = out.size();
                const std::string_view cell = grid.text(row, col);
                switch (col) {
                case Col::UnitOfMeasure: out += lists.unitDisplayToCode(cell); break;
                case Col::UnitPrice:
                case Col::AkwPrice:
                    if (canadian) {
                        if (rate == 0) throw text::RuntimeError::divisionByZero();
                        out += ctx_.general(text::divide(ctx_.number(cell), rate));
                    } else {
                        out += cell;
                    }
                    break;
                case Col::CurrencyID: out += currencyId; break;
                default: out += cell; break;
                }
                out += fieldSep;
            }
            out += recordSep;
            // A cell holding a separator (or what starts one with the
            // separator after it) would read back as other lines and fields:
            // refused, never written. Checked closely only when the record
            // holds more separator characters than its separators bring.
            const std::string_view record = std::string_view(out).substr(recordStart);
            if (leadCount(record, fieldSep, recordSep) > separatorLeads) {
                const int bad = firstCellNotReadBack(record, recordStart, cellStart, fieldSep, recordSep);
                if (bad >= 0) {
                    failure = {Failure::Kind::Separator, row, bad, {}, 0};
                    return;
                }
            }
        }
    } catch (const text::RuntimeError& e) {
        failure = {Failure::Kind::Runtime, row, col, e.description(), e.number()};
    }
}

std::string LineExport::readDataForAvalara()
{
    const view::Grid& grid = ctx_.grid();
    std::string out;
    int row = 0;
    int col = 0;
    try {
        for (row = grid.fixedRows(); row < grid.rows(); ++row) {
            col = Col::Quantity;
            out += std::to_string(text::toInt16(ctx_.cellNumber(row, Col::Quantity)));
            out += '|';
            out += grid.text(row, Col::ModelNo);
            out += '|';
            col = Col::UnitPrice;
            out += text::Currency::fromDouble(ctx_.cellNumber(row, Col::UnitPrice)).toString(ctx_.locale);
            out += '|';
            out += grid.text(row, Col::Exempt) == kExemptMark ? "-1" : "0";
            out += "<NewRow>";
        }
    } catch (const text::RuntimeError& e) {
        fail("readDataForAvalara", row, col, e.description(), e.number());
    }
    return out;
}

} // namespace zelt
