#pragma once

#include "core/LineColumns.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;

/// The lines read back by the host: the exchange format and the AvaTax list.
class LineExport {
public:
    explicit LineExport(ControlContext& ctx) : ctx_(ctx) {}

    /// Every line, 22 fields each. While a line is open it shows why and
    /// returns empty text. A line that cannot be exported shows the failure
    /// and raises an ExportError naming it; no partial text is returned and
    /// the grid keeps showing unit texts.
    std::string readData();
    /// Quantity, model, price and exempt flag per line, "<NewRow>" after each.
    /// Fails as readData does.
    std::string readDataForAvalara();

private:
    [[noreturn]] void fail(const char* member, int row, int column, const std::string& description, int number);
    /// The first cell of a written record that does not read back as
    /// itself (a separator inside it), or -1 when every cell does.
    static int firstCellNotReadBack(std::string_view record, std::size_t recordStart,
                                    const std::array<std::size_t, Col::kCount>& cellStart,
                                    std::string_view fieldSep, std::string_view recordSep);
    [[noreturn]] void refuseSeparator(int row, int col, const std::string& fieldSep, const std::string& recordSep);

    ControlContext& ctx_;
};

} // namespace zelt
