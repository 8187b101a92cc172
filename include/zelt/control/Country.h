#pragma once

#include <cstdint>

namespace zelt {

/// The order's country and the vendor's country.
enum class COUNTRY : std::int16_t {
    OTHERS = 0,
    USA = 1,
    CANADA = 2,
};

} // namespace zelt
