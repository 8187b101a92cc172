#pragma once

#include <string>

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

    ControlContext& ctx_;
};

} // namespace zelt
