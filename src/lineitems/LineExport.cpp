#include "lineitems/LineExport.h"

#include "core/ControlContext.h"
#include "lineitems/LineColumns.h"
#include "zelt/ExportError.h"
#include "zelt/text/Currency.h"
#include "zelt/text/RuntimeError.h"

#include <vector>

namespace zelt {

void LineExport::fail(const char* member, int row, int column, const std::string& description, int number)
{
    ctx_.message("readData GET modlue " + description + " " + std::to_string(number), "");
    throw ExportError(member, row, column, description);
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
    std::string out;
    out.reserve(static_cast<std::size_t>(rows) * 160);
    std::vector<std::string> currencyIds(static_cast<std::size_t>(std::max(rows, 1)));
    int row = 0;
    int col = 0;
    try {
        for (row = 1; row < rows; ++row) {
            std::string& currencyId = currencyIds[static_cast<std::size_t>(row)];
            currencyId = ctx_.general(text::leadingNumber(grid.text(row, Col::CurrencyID)));
            for (col = 0; col < Col::kCount; ++col) {
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
        }
    } catch (const text::RuntimeError& e) {
        fail("readData", row, col, e.description(), e.number());
    }
    // The unit cells go to their codes and back, as the export has always
    // left them; the CurrencyID cells keep the number they exported.
    for (int r = 1; r < rows; ++r) {
        grid.setText(r, Col::CurrencyID, std::move(currencyIds[static_cast<std::size_t>(r)]));
        grid.setText(r, Col::UnitOfMeasure, lists.unitCodeToDisplay(lists.unitDisplayToCode(grid.text(r, Col::UnitOfMeasure))));
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
