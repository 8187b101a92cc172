#pragma once

#include <string>

namespace zelt::bench {

/// Lookup tables for generated orders.
std::string generatedLookups();
/// An order of `lines` lines in the exchange format, varied the way real
/// orders are (statuses, units, long and short descriptions, exempt lines).
std::string generatedLines(int lines);

} // namespace zelt::bench
