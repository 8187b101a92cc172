#pragma once

#include <cstddef>

namespace zelt::view {

/// The size of a huge page on the systems the control runs on.
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;

/// Asks the system to back the whole huge pages within [data, data + bytes)
/// with huge pages when they are first touched: a large order's storage is
/// then brought into memory two megabytes at a time, not four kilobytes,
/// which spares most of the page faults of a load of a million lines. Only
/// a hint: memory it is not granted for serves the same.
void adviseHugePages(const void* data, std::size_t bytes) noexcept;

/// Brings the pages of [data, data + bytes) into memory now, as a write to
/// each would, without writing: what they hold stays. A thread with nothing
/// else to do spares another the page faults of the memory it will write.
/// Only a hint: where the system cannot (false), the writer faults them as
/// before.
bool bringIn(const void* data, std::size_t bytes) noexcept;

} // namespace zelt::view
