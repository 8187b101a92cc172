#pragma once

#include "zelt/text/Locale.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Numbers live as text in boxes and grid cells. These functions are the one
/// place where text becomes a number and a number becomes text.
namespace zelt::text {

/// Removes spaces (character 32) at both ends.
std::string_view trim(std::string_view text) noexcept;

/// The locale-aware text-to-number conversion: blanks around the text are
/// ignored; an optional sign, digits with group separators between them, a
/// decimal separator and digits, an exponent, the currency symbol before or
/// after, parentheses for a negative. Anything else (empty text included)
/// raises RuntimeError (type mismatch).
double toNumber(std::string_view text, const Locale& locale);

namespace detail {
/// A plain decimal: an optional sign, digits, and optionally a one-character
/// decimal point followed by digits, nothing else.
struct PlainDecimal {
    std::uint64_t digits = 0; // all of them as one integer (exact up to 19)
    int integerDigits = 0;
    int fraction = 0;         // digits after the point
    bool negative = false;
    bool sign = false;        // a sign was written
};
inline bool scanPlainDecimal(std::string_view s, char point, PlainDecimal& out) noexcept
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    out.negative = !s.empty() && s[0] == '-';
    out.sign = !s.empty() && (s[0] == '-' || s[0] == '+');
    if (out.sign) ++i;
    const std::size_t integerStart = i;
    for (; i < s.size() && isDigit(s[i]); ++i) out.digits = out.digits * 10 + static_cast<unsigned>(s[i] - '0');
    out.integerDigits = static_cast<int>(i - integerStart);
    if (out.integerDigits == 0) return false;
    if (i < s.size() && s[i] == point) {
        const std::size_t fractionStart = ++i;
        for (; i < s.size() && isDigit(s[i]); ++i) out.digits = out.digits * 10 + static_cast<unsigned>(s[i] - '0');
        out.fraction = static_cast<int>(i - fractionStart);
        if (out.fraction == 0) return false;
    }
    return i == s.size();
}
/// The powers of ten a plain decimal of at most 15 digits is divided by.
inline constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
/// The common case read directly: a plain decimal in the locale's
/// one-character decimal separator, 15 digits at most. The digits as an
/// integer divided by a power of ten is then the double nearest the decimal
/// (both are exact and the division rounds correctly), which is what the
/// full reading gives. Nothing otherwise. Inline: it runs for most cells of
/// a large order.
inline std::optional<double> readPlainDecimal(std::string_view s, const Locale& loc) noexcept
{
    PlainDecimal d;
    if (loc.decimalSeparator.size() != 1 || !scanPlainDecimal(s, loc.decimalSeparator[0], d) ||
        d.integerDigits + d.fraction > 15)
        return std::nullopt;
    const double value = static_cast<double>(d.digits) / kPowersOfTen[d.fraction];
    return d.negative ? -value : value;
}
/// Every other form: blanks, groups, exponent, currency, parentheses. For a
/// text that has already failed as a plain decimal.
std::optional<double> tryToNumberAnyForm(std::string_view text, const Locale& locale) noexcept;
} // namespace detail

/// What toNumber reads, or nothing where it would fail.
inline std::optional<double> tryToNumber(std::string_view text, const Locale& locale) noexcept
{
    if (auto plain = detail::readPlainDecimal(text, locale)) return plain;
    return detail::tryToNumberAnyForm(text, locale);
}
/// A number another system wrote: read in the locale first. Only a text
/// that does not read so and holds none of the locale's decimal separator
/// is read again in the invariant form ("." as the point), which many
/// services write whatever the clerk's locale. So fr-CA reads "1,5" and
/// "1.5" as 1.5, and en-US reads "1,500" as 1500.
std::optional<double> tryToNumberOrInvariant(std::string_view text, const Locale& locale) noexcept;
/// True exactly when toNumber would succeed.
bool isNumeric(std::string_view text, const Locale& locale) noexcept;

/// The number at the start of a text, "." as decimal point and no grouping:
/// "5N" gives 5, "1.25x" gives 1.25, "" and "N" give 0. Never fails.
double leadingNumber(std::string_view text) noexcept;

/// "True"/"False" in any case, or a number (non-zero is true); anything else
/// is a type mismatch.
bool toBoolean(std::string_view text, const Locale& locale);

/// Fixed decimals without grouping ("0.00", "0.000", "0.0000" patterns):
/// rounded to 15 significant digits, then halves away from zero.
std::string formatFixed(double value, int decimals, const Locale& locale);
/// The fixed form and the number that text reads as in the locale, without
/// reading it again.
struct FixedText {
    /// The fixed form.
    std::string text;
    /// The number the fixed form reads as.
    double value;
};
/// formatFixed, with the number its text reads as.
FixedText formatFixedRead(double value, int decimals, const Locale& locale);
/// The room of formatPlainFixed's buffer: the longest fixed form it
/// writes, a sign, 15 digits, the separator and four decimals.
inline constexpr std::size_t kPlainFixedRoom = 24;
/// The fast path of reading a text and writing it in the fixed form: a plain
/// decimal (an optional minus, an integer part without leading zeros, and at
/// most `decimals` decimals after the locale's separator; 15 digits at most;
/// not a negative zero) gives, in `out` and `value`, exactly what
/// formatFixedRead(toNumber(text)) gives, without parsing or formatting.
/// Returns the length of the fixed form written to `out`; any other text
/// returns 0.
std::size_t formatPlainFixed(std::string_view text, int decimals, const Locale& locale, char (&out)[kPlainFixedRoom],
                             double& value);
/// The same pattern applied to a text: a numeric text is reformatted, any
/// other text (the empty text included) is returned unchanged.
std::string formatFixedText(std::string_view text, int decimals, const Locale& locale);
/// The "000" pattern: at least three integer digits, zero padded; a text that
/// is not numeric is returned unchanged.
std::string formatZeroPadded3(std::string_view text, const Locale& locale);
/// The system's number form: `decimals` decimals with digit grouping
/// ("1,234.50"); the two-decimal form when decimals is the locale default.
std::string formatNumber(double value, int decimals, const Locale& locale);
/// The currency form: "$1,234.50", negatives "($1,234.50)".
std::string formatCurrency(double value, const Locale& locale);
/// The general (shortest) form: at most 15 significant digits, no grouping,
/// no trailing zeros; scientific outside 1e-5 <= |x| < 1e15 ("1E+15").
std::string formatGeneral(double value, const Locale& locale);
/// The general form with a '.' separator written into `out`, which has room
/// for kMaxGeneralChars; returns the end. No allocation.
char* generalToChars(char* out, double value) noexcept;
/// A number written with a '.' separator (toChars, generalToChars), in the
/// locale's decimal separator.
std::string withDecimalSeparator(std::string_view invariant, const Locale& locale);
/// The longest text generalToChars writes.
inline constexpr std::size_t kMaxGeneralChars = 32;

/// Rounds halves to the even neighbour; out of range (or not finite) is an
/// overflow: RuntimeError.
std::int16_t toInt16(double value);
/// As toInt16, to 32 bits.
std::int32_t toInt32(double value);

/// Checked arithmetic: x / 0 is a division-by-zero failure, 0 / 0 an overflow,
/// and a result that is not finite an overflow (each a RuntimeError).
double divide(double numerator, double denominator);
/// Raises the overflow failure (RuntimeError::overflow).
[[noreturn]] void throwOverflow();
/// The value itself; RuntimeError (overflow) when it is not finite.
/// Inline: the totals check every sum over every line.
inline double checked(double value)
{
    if (!std::isfinite(value)) throwOverflow();
    return value;
}

} // namespace zelt::text
