#pragma once

#include <array>
#include <vector>
#include <string_view>

namespace zelt {

/// The 22 columns of a line, by number.
namespace Col {
enum : int {
    OrderID = 0,
    LineItem = 1,
    Status = 2,
    CarrierID = 3,
    DirectionOrder = 4,
    DirectionIssue = 5,
    Quantity = 6,
    UnitOfMeasure = 7,
    ModelNo = 8,
    Pattern = 9,
    Color = 10,
    Finish = 11,
    Description = 12,
    UnitWeight = 13,
    PriceListDate = 14,
    UnitPrice = 15,
    CurrencyID = 16,
    Acknowledgement = 17,
    AkwPrice = 18,
    AcknowledgementDate = 19,
    ExtPrice = 20,
    Exempt = 21,
};
inline constexpr int kCount = 22;
/// Fields of a loaded record: columns 0 to 19 and the exempt flag as field 20.
inline constexpr int kLoadFields = 21;
} // namespace Col

/// How a received field is shown in its cell.
enum class CellDisplay {
    AsReceived,
    Fixed2,         // "0.00"
    Fixed3,         // "0.000"
    Date,           // "MMM dd, yyyy"
    UnitText,       // unit display text in the grid, the code in exchange strings
    ConvertedPrice, // number x conversion rate, "0.00"
    Computed,       // the extended price, computed at load
    ExemptMark,     // "þ" when exempt
};

/// One column of the line record: header text, display, width as shares of
/// the grid width (width = W / share1 + W / share2; 0 hides the column) and
/// whether its cells are left-aligned.
struct ColumnFact {
    int col;
    std::string_view header;
    CellDisplay display;
    double share1;
    double share2;
    bool leftAligned;
    /// The totals and tax steps read this column as a number on every line:
    /// the grid keeps its numbers once read.
    bool numberKept = false;
};

inline constexpr std::array<ColumnFact, Col::kCount> kColumns = {{
    {Col::OrderID, "OrderID", CellDisplay::AsReceived, 0, 0, false},
    {Col::LineItem, "LineItem", CellDisplay::AsReceived, 0, 0, false},
    {Col::Status, "Status", CellDisplay::AsReceived, 0, 0, false, true},
    {Col::CarrierID, "CarrierID", CellDisplay::AsReceived, 0, 0, false, true},
    {Col::DirectionOrder, "DirectionOrder", CellDisplay::AsReceived, 0, 0, false},
    {Col::DirectionIssue, "DirectionIssue", CellDisplay::AsReceived, 0, 0, false},
    {Col::Quantity, "Quantity Ordered", CellDisplay::Fixed2, 11.5, 0, false, true},
    {Col::UnitOfMeasure, "Unit of Measure", CellDisplay::UnitText, 6.5, 0, false},
    {Col::ModelNo, "Model No", CellDisplay::AsReceived, 10.5, 0, true},
    {Col::Pattern, "Pattern", CellDisplay::AsReceived, 0, 0, false},
    {Col::Color, "Color", CellDisplay::AsReceived, 0, 0, false},
    {Col::Finish, "Finish", CellDisplay::AsReceived, 0, 0, false},
    {Col::Description, "Description", CellDisplay::AsReceived, 5, 0, true},
    {Col::UnitWeight, "Unit Weight", CellDisplay::Fixed3, 0, 0, false, true},
    {Col::PriceListDate, "PriceListDate", CellDisplay::Date, 0, 0, false},
    {Col::UnitPrice, "Unit Price($)", CellDisplay::ConvertedPrice, 8.5, 0, false, true},
    {Col::CurrencyID, "CurrencyID", CellDisplay::AsReceived, 0, 0, false},
    {Col::Acknowledgement, "Acknowledgement", CellDisplay::AsReceived, 0, 0, false},
    {Col::AkwPrice, "Akw.Price($)", CellDisplay::ConvertedPrice, 8.3, 0, false},
    {Col::AcknowledgementDate, "AcknowledgementDate", CellDisplay::Date, 0, 0, false},
    {Col::ExtPrice, "Ext.Price($)", CellDisplay::Computed, 11, 8.5, false, true},
    {Col::Exempt, "Exempt", CellDisplay::ExemptMark, 0, 0, false},
}};

/// The decimals a line amount of this display is written with; -1 for the
/// columns that hold no amount.
constexpr int lineAmountDecimals(CellDisplay display)
{
    switch (display) {
    case CellDisplay::Fixed2:
    case CellDisplay::ConvertedPrice:
    case CellDisplay::Computed: return 2;
    case CellDisplay::Fixed3: return 3;
    default: return -1;
    }
}

/// The columns whose numbers the grid keeps.
inline std::vector<int> numberKeptColumns()
{
    std::vector<int> cols;
    for (const ColumnFact& column : kColumns)
        if (column.numberKept) cols.push_back(column.col);
    return cols;
}

/// The exempt mark of a line.
inline constexpr std::string_view kExemptMark = "\xC3\xBE"; // þ
/// The mark of a non-exempt line written by the entry.
inline constexpr std::string_view kNotExemptMark = "q";

/// The columns greyed on lines that are not priced, in order.
inline constexpr std::array<int, 7> kShadedColumns = {6, 7, 8, 12, 15, 20, 18};

} // namespace zelt
