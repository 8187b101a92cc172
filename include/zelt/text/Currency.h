#pragma once

#include "zelt/text/Locale.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelt::text {

/// The largest amount a currency value holds: a signed 64-bit count of
/// ten-thousandths.
inline constexpr double kMaxAmount = 922337203685477.5807;
/// True for a finite number inside the currency range (NaN is not).
inline bool isAmountInRange(double value) noexcept { return value >= -kMaxAmount && value <= kMaxAmount; }

/// Fixed-point amount with four decimals: a signed 64-bit count of
/// ten-thousandths. Sums and differences are exact; conversion from a number
/// rounds halves to even at the fourth decimal; out of range is an overflow.
class Currency {
public:
    /// Zero.
    constexpr Currency() = default;

    /// The nearest value (halves to even at the fourth decimal). Raises
    /// RuntimeError (overflow) for a value outside the range or not finite.
    static Currency fromDouble(double value);
    /// Reads the text as a number (locale-aware) and converts it: RuntimeError
    /// (type mismatch) when it is not a number, (overflow) beyond the range.
    static Currency fromText(std::string_view text, const Locale& locale);
    /// The value of so many ten-thousandths.
    static constexpr Currency fromUnits(std::int64_t tenThousandths) { return Currency(tenThousandths); }

    /// The count of ten-thousandths.
    constexpr std::int64_t units() const noexcept { return units_; }
    /// The nearest double.
    double toDouble() const noexcept { return static_cast<double>(units_) / 10000.0; }
    /// Shortest decimal form: 10.5, -3, 0.1234.
    std::string toString(const Locale& locale) const;
    /// Writes the shortest decimal form with a '.' separator into `out`,
    /// which has room for kMaxChars; returns the end. No allocation.
    char* toChars(char* out) const noexcept;
    /// The longest text toChars writes.
    static constexpr std::size_t kMaxChars = 26;

    /// The exact sum; RuntimeError (overflow) beyond the range.
    Currency operator+(Currency other) const;
    /// The exact difference; RuntimeError (overflow) beyond the range.
    Currency operator-(Currency other) const;
    /// The negated value; RuntimeError (overflow) for the smallest value.
    Currency operator-() const;
    /// Adds, as operator+.
    Currency& operator+=(Currency other) { return *this = *this + other; }
    /// Subtracts, as operator-.
    Currency& operator-=(Currency other) { return *this = *this - other; }
    /// The absolute value; RuntimeError (overflow) for the smallest value.
    Currency abs() const { return units_ < 0 ? -*this : *this; }

    /// Compares the amounts.
    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

} // namespace zelt::text
