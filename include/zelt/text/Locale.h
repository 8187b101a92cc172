#pragma once

#include <string>
#include <vector>

namespace zelt::text {

/// The number, currency and date conventions every conversion of the control
/// reads. The control holds one Locale; en-US unless the host sets another.
struct Locale {
    /// The locale's name ("en-US", "fr-CA").
    std::string name = "en-US";
    /// Between the integer digits and the decimals.
    std::string decimalSeparator = ".";
    /// Written between digit groups.
    std::string groupSeparator = ",";
    /// Also accepted between digit groups when reading (fr-CA writes a narrow
    /// no-break space but people type a plain or a no-break space).
    std::vector<std::string> alternativeGroupSeparators;
    /// The currency symbol.
    std::string currencySymbol = "$";
    /// True: "1 234,50 $"; false: "$1,234.50".
    bool currencySymbolAfter = false;
    /// Negative currency in parentheses, "($1,234.50)".
    bool negativeCurrencyInParentheses = true;
    /// The decimals of the system's number form.
    int defaultDecimals = 2;
    /// Short date order: true for month/day/year ("1/5/2024"), false for year-month-day.
    bool shortDateMonthFirst = true;

    /// The two locales, made once: amounts are read and written with them
    /// per cell, so they are shared rather than copied.
    static const Locale& enUS();
    /// French Canadian: decimal comma, a narrow no-break space between digit
    /// groups, "$" after the amount, year-month-day dates.
    static const Locale& frCA();
};

} // namespace zelt::text
