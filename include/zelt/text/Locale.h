#pragma once

#include <string>
#include <vector>

namespace zelt::text {

/// The number, currency and date conventions every conversion of the control
/// reads. The control holds one Locale; en-US unless the host sets another.
struct Locale {
    std::string name = "en-US";
    std::string decimalSeparator = ".";
    /// Written between digit groups.
    std::string groupSeparator = ",";
    /// Also accepted between digit groups when reading (fr-CA writes a narrow
    /// no-break space but people type a plain or a no-break space).
    std::vector<std::string> alternativeGroupSeparators;
    std::string currencySymbol = "$";
    /// True: "1 234,50 $"; false: "$1,234.50".
    bool currencySymbolAfter = false;
    /// Negative currency in parentheses, "($1,234.50)".
    bool negativeCurrencyInParentheses = true;
    int defaultDecimals = 2;
    /// Short date order: true for month/day/year ("1/5/2024"), false for year-month-day.
    bool shortDateMonthFirst = true;

    /// The two locales, made once: amounts are read and written with them
    /// per cell, so they are shared rather than copied.
    static const Locale& enUS();
    static const Locale& frCA();
};

} // namespace zelt::text
