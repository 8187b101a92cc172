#include "zelt/text/Currency.h"

#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"

#include <cmath>
#include <limits>

namespace zelt::text {

Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value)) throw RuntimeError::overflow();
    double scaled = value * 10000.0;
    double rounded = std::round(scaled);
    if (std::fabs(scaled - std::trunc(scaled)) == 0.5) rounded = 2.0 * std::round(scaled / 2.0);
    // 2^63 is the first double past the range.
    if (rounded >= 9223372036854775808.0 || rounded < -9223372036854775808.0) throw RuntimeError::overflow();
    return Currency(static_cast<std::int64_t>(rounded));
}

Currency Currency::fromText(std::string_view text, const Locale& locale)
{
    return fromDouble(toNumber(text, locale));
}

std::string Currency::toString(const Locale& locale) const
{
    bool negative = units_ < 0;
    // Work on the magnitude without overflowing at the most negative value.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units_) : static_cast<std::uint64_t>(units_);
    std::string out = negative ? "-" : "";
    out += std::to_string(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0') digits.pop_back();
        out += locale.decimalSeparator + digits;
    }
    return out;
}

Currency Currency::operator+(Currency other) const
{
    std::int64_t result = 0;
    if (__builtin_add_overflow(units_, other.units_, &result)) throw RuntimeError::overflow();
    return Currency(result);
}

Currency Currency::operator-(Currency other) const
{
    std::int64_t result = 0;
    if (__builtin_sub_overflow(units_, other.units_, &result)) throw RuntimeError::overflow();
    return Currency(result);
}

Currency Currency::operator-() const
{
    if (units_ == std::numeric_limits<std::int64_t>::min()) throw RuntimeError::overflow();
    return Currency(-units_);
}

} // namespace zelt::text
