#include "zelt/text/Currency.h"

#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"

#include <charconv>
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
    char buffer[kMaxChars];
    const char* end = toChars(buffer);
    return withDecimalSeparator(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), locale);
}

char* Currency::toChars(char* out) const noexcept
{
    if (units_ == 0) { // the most common amount of all
        *out = '0';
        return out + 1;
    }
    const bool negative = units_ < 0;
    // Work on the magnitude without overflowing at the most negative value.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(units_) : static_cast<std::uint64_t>(units_);
    if (negative) *out++ = '-';
    out = std::to_chars(out, out + 20, magnitude / 10000).ptr;
    auto fraction = static_cast<unsigned>(magnitude % 10000);
    if (fraction == 0) return out;
    // Four digits, then the trailing zeros dropped.
    out[0] = '.';
    out[1] = static_cast<char>('0' + fraction / 1000);
    out[2] = static_cast<char>('0' + fraction / 100 % 10);
    out[3] = static_cast<char>('0' + fraction / 10 % 10);
    out[4] = static_cast<char>('0' + fraction % 10);
    int end = 5;
    while (out[end - 1] == '0') --end;
    return out + end;
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
