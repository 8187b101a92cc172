#pragma once

#include <zelt/OrderedItems.h>

#include <string>

namespace zelt::bench {

/// Lookup tables for generated orders.
std::string generatedLookups();
/// An order of `lines` lines in the exchange format, varied the way real
/// orders are (statuses, units, long and short descriptions, exempt lines).
std::string generatedLines(int lines);
/// An order whose lines differ from each other in everything a clerk types:
/// dates over three years, every unit and status, amounts with 0 to 3
/// decimals, descriptions of 1 to 60 characters with accents and
/// punctuation, a few exempt lines. The same seed gives the same order.
std::string variedLines(int lines, unsigned seed = 7);
/// The regular order, or the varied one.
inline std::string orderLines(int lines, bool varied) { return varied ? variedLines(lines) : generatedLines(lines); }
/// Gives the control the generated lookup tables, the mode and the lines.
void loadGeneratedOrder(OrderedItems& control, const std::string& lines, Mode mode = Mode::UpdateMode);

} // namespace zelt::bench
