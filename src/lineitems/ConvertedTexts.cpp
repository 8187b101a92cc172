#include "lineitems/ConvertedTexts.h"

#include <cstring>

namespace zelt {

bool ConvertedTexts::same(std::string_view a, std::string_view b) noexcept
{
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    if (n < 8) {
        for (std::size_t k = 0; k < n; ++k)
            if (a[k] != b[k]) return false;
        return true;
    }
    if (n > 16) return a == b;
    std::uint64_t a1, a2, b1, b2;
    std::memcpy(&a1, a.data(), 8);
    std::memcpy(&b1, b.data(), 8);
    std::memcpy(&a2, a.data() + n - 8, 8);
    std::memcpy(&b2, b.data() + n - 8, 8);
    return a1 == b1 && a2 == b2;
}

} // namespace zelt
