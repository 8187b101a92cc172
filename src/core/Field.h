#pragma once

namespace zelt {

/// The `txtField` boxes by name: the line-entry fields 0 to 14 and the
/// totals 17 to 19.
namespace Field {
enum : int {
    Status = 0, // read-only mirror of the status combo
    Description = 1,
    Model = 2,
    Quantity = 3,
    UnitPrice = 4,
    Unit = 5,          // read-only mirror of the unit combo
    PriceListDate = 6, // text of the price list date picker
    UnitWeight = 7,
    Carrier = 8, // read-only mirror of the carrier combo
    Pattern = 9,
    Color = 10,
    Finish = 11,
    AckPrice = 12,
    AckNumber = 13,
    AckDate = 14, // text of the acknowledgement date picker
    TotalSalesTax = 17,
    MerchandiseTotal = 18,
    TotalWeight = 19,
};
/// The line-entry fields are 0 to this.
inline constexpr int kLastEntry = AckDate;
} // namespace Field

/// The `cboFld` combos by name.
namespace Combo {
enum : int {
    Status = 1,
    Unit = 2,
    Carrier = 3,
    Issue = 4,
};
} // namespace Combo

} // namespace zelt
