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
    constexpr Currency() = default;

    static Currency fromDouble(double value);
    /// Reads the text as a number (locale-aware) and converts it.
    static Currency fromText(std::string_view text, const Locale& locale);
    static constexpr Currency fromUnits(std::int64_t tenThousandths) { return Currency(tenThousandths); }

    constexpr std::int64_t units() const noexcept { return units_; }
    double toDouble() const noexcept { return static_cast<double>(units_) / 10000.0; }
    /// Shortest decimal form: 10.5, -3, 0.1234.
    std::string toString(const Locale& locale) const;
    /// Writes the shortest decimal form with a '.' separator into `out`,
    /// which has room for kMaxChars; returns the end. No allocation.
    char* toChars(char* out) const noexcept;
    static constexpr std::size_t kMaxChars = 26;

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency operator-() const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }
    Currency abs() const { return units_ < 0 ? -*this : *this; }

    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

} // namespace zelt::text
