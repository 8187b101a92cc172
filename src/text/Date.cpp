#include "zelt/text/Date.h"

#include "zelt/text/NumberText.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace zelt::text {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",
                                                       "May",     "June",     "July",      "August",
                                                       "September", "October", "November", "December"};

bool equalsNoCase(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Month number from an English name, full or three-letter, any case.
int monthFromName(std::string_view name) noexcept
{
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (equalsNoCase(name, kMonths[i]) || equalsNoCase(name, kMonths[i].substr(0, 3)))
            return static_cast<int>(i) + 1;
    return 0;
}

// Reads 1..maxDigits digits; fails on anything else.
bool readInt(std::string_view& s, int minDigits, int maxDigits, int& out) noexcept
{
    std::size_t n = 0;
    while (n < s.size() && n < static_cast<std::size_t>(maxDigits) && s[n] >= '0' && s[n] <= '9') ++n;
    if (n < static_cast<std::size_t>(minDigits)) return false;
    std::from_chars(s.data(), s.data() + n, out);
    s.remove_prefix(n);
    return true;
}

bool readChar(std::string_view& s, char c) noexcept
{
    if (s.empty() || s.front() != c) return false;
    s.remove_prefix(1);
    return true;
}

void skipSpaces(std::string_view& s) noexcept
{
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
}

std::string_view readWord(std::string_view& s) noexcept
{
    std::size_t n = 0;
    while (n < s.size() && std::isalpha(static_cast<unsigned char>(s[n]))) ++n;
    std::string_view word = s.substr(0, n);
    s.remove_prefix(n);
    return word;
}

std::optional<Date> make(int y, int m, int d) noexcept
{
    if (!Date::isValid(y, m, d)) return std::nullopt;
    return Date{y, m, d};
}

std::optional<Date> parseIso(std::string_view s) noexcept
{
    int y = 0, m = 0, d = 0;
    if (readInt(s, 4, 4, y) && readChar(s, '-') && readInt(s, 1, 2, m) && readChar(s, '-') &&
        readInt(s, 1, 2, d) && s.empty())
        return make(y, m, d);
    return std::nullopt;
}

std::optional<Date> parseSlashed(std::string_view s) noexcept
{
    int m = 0, d = 0, y = 0;
    if (readInt(s, 1, 2, m) && readChar(s, '/') && readInt(s, 1, 2, d) && readChar(s, '/') &&
        readInt(s, 4, 4, y) && s.empty())
        return make(y, m, d);
    return std::nullopt;
}

// "MMM d, yyyy" and "MMMM d, yyyy".
std::optional<Date> parseMonthFirst(std::string_view s) noexcept
{
    int m = monthFromName(readWord(s));
    int d = 0, y = 0;
    if (m == 0) return std::nullopt;
    skipSpaces(s);
    if (!readInt(s, 1, 2, d)) return std::nullopt;
    if (!readChar(s, ',')) return std::nullopt;
    skipSpaces(s);
    if (!readInt(s, 4, 4, y) || !s.empty()) return std::nullopt;
    return make(y, m, d);
}

// "d MMM yyyy".
std::optional<Date> parseDayFirst(std::string_view s) noexcept
{
    int d = 0, y = 0;
    if (!readInt(s, 1, 2, d)) return std::nullopt;
    skipSpaces(s);
    int m = monthFromName(readWord(s));
    if (m == 0) return std::nullopt;
    skipSpaces(s);
    if (!readInt(s, 4, 4, y) || !s.empty()) return std::nullopt;
    return make(y, m, d);
}

} // namespace

bool Date::isValid(int year, int month, int day) noexcept
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int max = kDays[static_cast<std::size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
    return day <= max;
}

std::optional<Date> Date::parse(std::string_view text, const Locale& locale)
{
    std::string_view s = trim(text);
    if (s.empty()) return std::nullopt;
    if (s.front() >= '0' && s.front() <= '9') {
        if (auto d = parseIso(s)) return d;
        if (locale.shortDateMonthFirst)
            if (auto d = parseSlashed(s)) return d;
        return parseDayFirst(s);
    }
    return parseMonthFirst(s);
}

std::string Date::toMMMddyyyy() const
{
    // "Jan 05, 2024": written by hand, it runs for two cells of every loaded line.
    std::string out(12, ' ');
    std::string_view name = kMonths[static_cast<std::size_t>(month - 1)];
    out[0] = name[0];
    out[1] = name[1];
    out[2] = name[2];
    out[4] = static_cast<char>('0' + day / 10);
    out[5] = static_cast<char>('0' + day % 10);
    out[6] = ',';
    out[8] = static_cast<char>('0' + year / 1000);
    out[9] = static_cast<char>('0' + year / 100 % 10);
    out[10] = static_cast<char>('0' + year / 10 % 10);
    out[11] = static_cast<char>('0' + year % 10);
    return out;
}

std::string Date::toIso() const
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string formatDateText(std::string_view text, const Locale& locale)
{
    if (auto d = Date::parse(text, locale)) return d->toMMMddyyyy();
    return std::string(text);
}

} // namespace zelt::text
