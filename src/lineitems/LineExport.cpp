#include "lineitems/LineExport.h"
#include "lineitems/ConvertedTexts.h"
#include "view/HugePages.h"
#include "view/PageWarmer.h"

#include "core/ControlContext.h"
#include "core/LineColumns.h"
#include "zelt/ExportError.h"
#include "zelt/text/Currency.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <array>
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
    const std::string& fieldSep = ctx_.state.fieldSeparator;
    const std::string& recordSep = ctx_.state.recordSeparator;
    const bool canadian = ctx_.state.orderCountry == COUNTRY::CANADA;
    const double rate = canadian ? ctx_.conversionRateLeading() : 1;
    const int rows = grid.rows();

    // The whole text and the rewritten CurrencyID cells are built first; the
    // grid changes only once every line has exported.
    // Room for the cells, their separators and the few that grow on the way
    // (unit codes, converted prices), so that a large order's text is never
    // moved to a larger buffer; asked for in huge pages.
    const std::size_t likely =
        grid.textBytes() + static_cast<std::size_t>(rows) * (Col::kCount * fieldSep.size() + recordSep.size());
    std::string out;
    out.reserve(likely + static_cast<std::size_t>(rows) * 64);
    view::adviseHugePages(out.data(), out.capacity());
    // A second thread brings in the pages the text will likely fill.
    const char* const buffer = out.data();
    view::PageWarmer warmer(buffer, likely);
    // Unit codes and currency ids repeat across the lines: each distinct
    // text is converted once. The ids that differ from their cells are kept
    // to be written back.
    ConvertedTexts unitCodes, ids;
    std::vector<std::pair<int, std::string>> idsChanged;
    int row = 0;
    int col = 0;
    // Where each cell of the record being written starts in `out`.
    std::array<std::size_t, Col::kCount> cellStart{};
    const std::size_t separatorLeads = leadCount(fieldSep, fieldSep, recordSep) * Col::kCount +
                                       leadCount(recordSep, fieldSep, recordSep);
    try {
        for (row = 1; row < rows; ++row) {
            const std::size_t recordStart = out.size();
            const std::string_view idCell = grid.text(row, Col::CurrencyID);
            const std::string& currencyId =
                ids.get(idCell, [this](std::string_view t) { return ctx_.general(text::leadingNumber(t)); });
            if (currencyId != idCell) idsChanged.emplace_back(row, currencyId);
            for (col = 0; col < Col::kCount; ++col) {
                cellStart[static_cast<std::size_t>(col)] = out.size();
                const std::string_view cell = grid.text(row, col);
                switch (col) {
                case Col::UnitOfMeasure:
                    out += unitCodes.get(cell, [&lists](std::string_view t) { return lists.unitDisplayToCode(t); });
                    break;
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
            if (out.data() == buffer) warmer.reached(out.size());
            else warmer.stop();
            // A cell holding a separator (or what starts one with the
            // separator after it) would read back as other lines and fields:
            // refused, never written. Checked closely only when the record
            // holds more separator characters than its separators bring.
            const std::string_view record = std::string_view(out).substr(recordStart);
            if (leadCount(record, fieldSep, recordSep) > separatorLeads) {
                const int bad = firstCellNotReadBack(record, recordStart, cellStart, fieldSep, recordSep);
                if (bad >= 0) refuseSeparator(row, bad, fieldSep, recordSep);
            }
        }
    } catch (const text::RuntimeError& e) {
        fail("readData", row, col, e.description(), e.number());
    }
    // The unit cells go to their codes and back, as the export has always
    // left them; the CurrencyID cells keep the number they exported.
    for (auto& [r, id] : idsChanged) grid.setText(r, Col::CurrencyID, id);
    ConvertedTexts unitsShown;
    for (int r = 1; r < rows; ++r) {
        const std::string& shown = unitsShown.get(grid.text(r, Col::UnitOfMeasure), [&lists](std::string_view t) {
            return lists.unitCodeToDisplay(lists.unitDisplayToCode(t));
        });
        grid.setText(r, Col::UnitOfMeasure, shown);
    }
    return out;
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
