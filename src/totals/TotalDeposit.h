#pragma once

#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;

/// The total deposit: the fees 0 to 5 and 7, the merchandise total and the
/// sales tax, as currency, "0.00".
namespace TotalDeposit {

/// The deposit with `salesTax` in the total sales tax box, changing no box
/// (an empty box counts as zero).
std::string with(const ControlContext& ctx, std::string_view salesTax);
/// The deposit of the boxes as they stand; an empty merchandise or sales tax
/// total box is first set to zero.
std::string of(ControlContext& ctx);

} // namespace TotalDeposit

} // namespace zelt
