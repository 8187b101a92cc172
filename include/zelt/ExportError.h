#pragma once

#include "zelt/Error.h"

#include <string>

namespace zelt {

/// A line the control cannot export as it stands (a quantity or price that
/// is not a number, a quantity beyond 32767, a Canadian order without a
/// conversion rate). Raised instead of a partial export: the host never
/// receives half an order to save.
class ExportError : public Error {
public:
    /// The failure of `member` ("readData", "readDataForAvalara") at a line
    /// and column; what() reads "member: line row, column column: reason".
    ExportError(std::string member, int row, int column, std::string reason)
        : Error(member + ": line " + std::to_string(row) + ", column " + std::to_string(column) + ": " + reason),
          member_(std::move(member)), row_(row), column_(column), reason_(std::move(reason))
    {
    }

    /// The member that failed.
    const std::string& member() const noexcept { return member_; }
    /// The grid row of the line (the first line is row 1) and the column.
    int row() const noexcept { return row_; }
    /// The grid column of the cell (0 is the first).
    int column() const noexcept { return column_; }
    /// Why the cell cannot be exported.
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string member_;
    int row_;
    int column_;
    std::string reason_;
};

} // namespace zelt
