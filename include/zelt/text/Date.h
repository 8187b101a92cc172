#pragma once

#include "zelt/text/Locale.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace zelt::text {

/// A calendar date without a time of day.
struct Date {
    /// The year, 100 to 9999.
    int year = 1900;
    /// The month, 1 to 12.
    int month = 1;
    /// The day of the month, from 1.
    int day = 1;

    /// Compares the dates in calendar order.
    constexpr auto operator<=>(const Date&) const = default;

    /// True for a day of the Gregorian calendar in the years 100 to 9999.
    static bool isValid(int year, int month, int day) noexcept;

    /// Reads ISO yyyy-mm-dd, the locale's short form (en-US M/d/yyyy),
    /// "MMM d, yyyy", "MMMM d, yyyy" (English month names, any case) and
    /// "d MMM yyyy". Anything else is not a date.
    static std::optional<Date> parse(std::string_view text, const Locale& locale);

    /// "MMM dd, yyyy": Jan 05, 2024.
    std::string toMMMddyyyy() const;
    /// yyyy-mm-dd.
    std::string toIso() const;
};

/// Formats a text as "MMM dd, yyyy" when it is a date; any other text, the
/// empty text included, is returned unchanged.
std::string formatDateText(std::string_view text, const Locale& locale);

} // namespace zelt::text
