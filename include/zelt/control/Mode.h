#pragma once

#include <cstdint>

namespace zelt {

/// What the clerk may do with the order's lines; set by the host before loading.
enum class Mode : std::int16_t {
    AddMode = 0,        ///< a new order: lines are added
    UpdateMode = 1,     ///< an existing order: lines may be added and edited
    ViewMode = 2,       ///< read only
    LineCancelMode = 3, ///< only cancelling lines
};

} // namespace zelt
