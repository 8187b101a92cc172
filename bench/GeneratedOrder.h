#pragma once

#include <zelt/OrderedItems.h>

#include <string>

namespace zelt::bench {

/// Lookup tables for generated orders.
std::string generatedLookups();
/// An order of `lines` lines in the exchange format, varied the way real
/// orders are (statuses, units, long and short descriptions, exempt lines).
std::string generatedLines(int lines);
/// Gives the control the generated lookup tables, the mode and the lines.
void loadGeneratedOrder(OrderedItems& control, const std::string& lines, Mode mode = Mode::UpdateMode);

} // namespace zelt::bench
