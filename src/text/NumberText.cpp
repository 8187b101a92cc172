#include "zelt/text/NumberText.h"

#include "zelt/text/RuntimeError.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace zelt::text {

std::string_view trim(std::string_view text) noexcept
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

namespace {

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

bool consume(std::string_view& s, std::string_view token) noexcept
{
    if (token.empty() || s.substr(0, token.size()) != token) return false;
    s.remove_prefix(token.size());
    return true;
}

bool consumeBack(std::string_view& s, std::string_view token) noexcept
{
    if (token.empty() || s.size() < token.size() || s.substr(s.size() - token.size()) != token) return false;
    s.remove_suffix(token.size());
    return true;
}

bool consumeSign(std::string_view& s, bool& negative) noexcept
{
    if (s.empty()) return false;
    if (s.front() == '-' || s.front() == '+') {
        negative = s.front() == '-';
        s.remove_prefix(1);
        return true;
    }
    return false;
}

// Length of a group separator of the locale at the start of s, or 0.
std::size_t groupSeparatorAt(std::string_view s, const Locale& loc) noexcept
{
    if (!loc.groupSeparator.empty() && s.substr(0, loc.groupSeparator.size()) == loc.groupSeparator)
        return loc.groupSeparator.size();
    for (const auto& alt : loc.alternativeGroupSeparators)
        if (!alt.empty() && s.substr(0, alt.size()) == alt) return alt.size();
    return 0;
}

// The C form of a number body, written into storage the caller sized: every
// character read gives at most one character here.
struct BodyText {
    char* data;
    std::size_t size = 0;
    void push_back(char c) noexcept { data[size++] = c; }
};

// Reads the unsigned number body (digits with groups, decimals, exponent) at
// the start of s into `out` in C form. Returns false when no number starts there.
bool readBody(std::string_view& s, const Locale& loc, BodyText& out)
{
    bool anyDigit = false;
    while (!s.empty()) {
        if (isDigit(s.front())) {
            out.push_back(s.front());
            s.remove_prefix(1);
            anyDigit = true;
            continue;
        }
        // A group separator must stand between two digits.
        if (anyDigit && !s.starts_with(loc.decimalSeparator)) {
            std::size_t g = groupSeparatorAt(s, loc);
            if (g > 0 && s.size() > g && isDigit(s[g])) {
                s.remove_prefix(g);
                continue;
            }
        }
        break;
    }
    if (consume(s, loc.decimalSeparator)) {
        out.push_back('.');
        while (!s.empty() && isDigit(s.front())) {
            out.push_back(s.front());
            s.remove_prefix(1);
            anyDigit = true;
        }
    }
    if (!anyDigit) return false;
    if (!s.empty() && (s.front() == 'e' || s.front() == 'E')) {
        std::string_view rest = s.substr(1);
        out.push_back('e');
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
            out.push_back(rest.front());
            rest.remove_prefix(1);
        }
        if (rest.empty() || !isDigit(rest.front())) return false;
        while (!rest.empty() && isDigit(rest.front())) {
            out.push_back(rest.front());
            rest.remove_prefix(1);
        }
        s = rest;
    }
    return true;
}

// `plainTried`: the caller has already tried the text as a plain decimal;
// it is tried again only when blanks around it were trimmed.
std::optional<double> parseNumber(std::string_view text, const Locale& loc, bool plainTried = false)
{
    std::string_view s = trim(text);
    if (!plainTried || s.size() != text.size())
        if (auto plain = detail::readPlainDecimal(s, loc)) return plain;
    bool negative = false;
    bool parenthesised = false;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        parenthesised = true;
        s = trim(s.substr(1, s.size() - 2));
    }
    bool haveSign = consumeSign(s, negative);
    bool haveCurrency = false;
    if (!loc.currencySymbol.empty() && consume(s, loc.currencySymbol)) {
        haveCurrency = true;
        s = trim(s);
        if (!haveSign) haveSign = consumeSign(s, negative);
    }
    // Numbers in boxes and cells are short: their C form goes on the stack.
    char local[64];
    std::string spill;
    BodyText body{local};
    if (s.size() > sizeof local) {
        spill.resize(s.size());
        body.data = spill.data();
    }
    if (!readBody(s, loc, body)) return std::nullopt;
    s = trim(s);
    if (!haveCurrency && consumeBack(s, loc.currencySymbol)) s = trim(s);
    if (!s.empty()) return std::nullopt;
    if (parenthesised && haveSign) return std::nullopt;

    double value = 0;
    const char* first = body.data;
    const char* last = body.data + body.size;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ptr != last) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a number a box can hold.
        if (std::string_view(first, body.size).find("e-") != std::string_view::npos) value = 0;
        else return std::nullopt;
    } else if (ec != std::errc{}) {
        return std::nullopt;
    }
    if (negative || parenthesised) value = -value;
    return value;
}

// The value rounded to 15 significant digits as a digit string: the value is
// d1 d2 ... dn with intDigits of them before the decimal point (intDigits may
// be zero or negative for values below 0.1). Kept in a fixed buffer: this
// runs for every amount the control writes.
struct Decimal {
    bool negative = false;
    std::array<char, 20> buf{};
    int length = 1;    // digits used in buf; no leading zeros unless the value is zero
    int intDigits = 1; // digits before the decimal point

    char digit(int i) const { return i < length ? buf[static_cast<std::size_t>(i)] : '0'; }
    bool isZero() const { return length == 1 && buf[0] == '0'; }
    void setZero()
    {
        buf[0] = '0';
        length = 1;
        intDigits = 1;
        negative = false;
    }
};

Decimal decompose(double value)
{
    Decimal d;
    if (value == 0 || !std::isfinite(value)) {
        d.setZero();
        return d;
    }
    d.negative = value < 0;
    std::array<char, 40> sci{};
    // The shortest form that reads back as the value is much cheaper than a
    // fixed precision. When it has at most 15 significant digits it is also
    // the value rounded to 15 digits: decimals of 15 digits lie further apart
    // than a double's spacing, so only one of them is within half a spacing.
    auto res = std::to_chars(sci.data(), sci.data() + sci.size(), std::fabs(value), std::chars_format::scientific);
    const auto mantissaDigits = [&] {
        int n = 0;
        for (const char* q = sci.data(); q < res.ptr && *q != 'e'; ++q) n += *q != '.';
        return n;
    };
    if (mantissaDigits() > 15)
        res = std::to_chars(sci.data(), sci.data() + sci.size(), std::fabs(value), std::chars_format::scientific, 14);
    // "d.dddde+XX"
    const char* p = sci.data();
    d.length = 0;
    while (p < res.ptr && *p != 'e') {
        if (*p != '.') d.buf[static_cast<std::size_t>(d.length++)] = *p;
        ++p;
    }
    int exponent = 0;
    ++p; // 'e'
    if (*p == '+') ++p;
    std::from_chars(p, res.ptr, exponent);
    d.intDigits = exponent + 1;
    return d;
}

// Rounds the decimal to `decimals` fractional digits, halves away from zero.
void roundTo(Decimal& d, int decimals)
{
    int keep = d.intDigits + decimals;
    if (keep >= d.length) return;
    if (keep < 0) {
        d.setZero();
        return;
    }
    bool up = d.buf[static_cast<std::size_t>(keep)] >= '5';
    d.length = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.buf[static_cast<std::size_t>(i)] == '9') {
            d.buf[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.buf[static_cast<std::size_t>(i)];
        } else {
            for (int j = d.length; j > 0; --j) d.buf[static_cast<std::size_t>(j)] = d.buf[static_cast<std::size_t>(j - 1)];
            d.buf[0] = '1';
            ++d.length;
            ++d.intDigits;
        }
    }
    bool allZero = true;
    for (int i = 0; i < d.length; ++i) allZero = allZero && d.buf[static_cast<std::size_t>(i)] == '0';
    if (d.length == 0 || allZero) d.setZero();
}

// Writes an already rounded decimal with exactly `decimals` fractional digits.
std::string writeFixed(const Decimal& d, int decimals, const Locale& loc, bool grouping, bool withSign)
{
    std::string out;
    // Short amounts fit the string itself: no reserve, which would allocate.
    if (withSign && d.negative && !d.isZero()) out.push_back('-');
    int integerDigits = std::max(d.intDigits, 1);
    for (int i = 0; i < integerDigits; ++i) {
        if (grouping && i > 0 && (integerDigits - i) % 3 == 0) out += loc.groupSeparator;
        out.push_back(d.intDigits <= 0 ? '0' : d.digit(i));
    }
    if (decimals > 0) {
        out += loc.decimalSeparator;
        for (int k = 0; k < decimals; ++k) {
            int i = d.intDigits + k; // index into the digits of this fractional place
            out.push_back(i < 0 ? '0' : d.digit(i));
        }
    }
    return out;
}

// Most amounts are far from a rounding half: for them the value scaled by
// 10^decimals and rounded gives the same digits as the exact path, at a
// fraction of the cost. Values near a half (2.675 is 267.4999... scaled) or
// too large take the exact path.
std::optional<std::int64_t> fastScaled(double value, int decimals)
{
    static constexpr double kPowers[] = {1, 10, 100, 1000, 10000};
    if (decimals < 0 || decimals > 4) return std::nullopt;
    double scaled = std::fabs(value) * kPowers[decimals];
    if (!(scaled < 1e9)) return std::nullopt;
    double whole = std::floor(scaled);
    double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-5) return std::nullopt;
    return static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
}

std::string writeScaled(bool negative, std::int64_t scaled, int decimals, const Locale& loc, bool grouping)
{
    char digits[24];
    auto res = std::to_chars(digits, digits + sizeof digits, scaled);
    const int n = static_cast<int>(res.ptr - digits);
    // Written into a buffer and made a string once. A locale's separators can
    // be of any length: a long one gets a buffer of its own size.
    const std::size_t need = static_cast<std::size_t>(n + decimals + 2) * (1 + loc.groupSeparator.size()) +
                             loc.decimalSeparator.size();
    char local[96];
    std::string spill;
    if (need > sizeof local) spill.resize(need);
    char* const buffer = spill.empty() ? local : spill.data();
    char* out = buffer;
    const auto put = [&out](std::string_view piece) {
        std::memcpy(out, piece.data(), piece.size());
        out += piece.size();
    };
    if (negative && scaled != 0) *out++ = '-';
    const int integerDigits = std::max(n - decimals, 1);
    for (int i = 0; i < integerDigits; ++i) {
        if (grouping && i > 0 && (integerDigits - i) % 3 == 0) put(loc.groupSeparator);
        const int k = i - (integerDigits - (n - decimals)); // index into digits, negative: a leading zero
        *out++ = k >= 0 && n - decimals > 0 ? digits[k] : '0';
    }
    if (decimals > 0) {
        put(loc.decimalSeparator);
        for (int j = 0; j < decimals; ++j) {
            const int k = n - decimals + j;
            *out++ = k >= 0 ? digits[k] : '0';
        }
    }
    return std::string(buffer, static_cast<std::size_t>(out - buffer));
}

} // namespace

std::optional<double> detail::tryToNumberAnyForm(std::string_view text, const Locale& locale) noexcept
{
    try {
        return parseNumber(text, locale, true);
    } catch (...) {
        return std::nullopt;
    }
}

double toNumber(std::string_view text, const Locale& locale)
{
    if (auto v = parseNumber(text, locale)) return *v;
    throw RuntimeError::typeMismatch();
}

bool isNumeric(std::string_view text, const Locale& locale) noexcept
{
    return tryToNumber(text, locale).has_value();
}

double leadingNumber(std::string_view text) noexcept
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool anyDigit = false;
    while (i < text.size() && isDigit(text[i])) { ++i; anyDigit = true; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) { ++i; anyDigit = true; }
    }
    if (!anyDigit) return 0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            end = j;
        }
    }
    std::string_view body = text.substr(start, end - start);
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    double value = 0;
    auto res = std::from_chars(body.data(), body.data() + body.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        value = body.find("e-") != std::string_view::npos || body.find("E-") != std::string_view::npos
                    ? 0.0
                    : std::numeric_limits<double>::max();
    }
    return negative ? -value : value;
}

bool toBoolean(std::string_view text, const Locale& locale)
{
    std::string_view t = trim(text);
    auto equalsNoCase = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    };
    if (equalsNoCase(t, "True")) return true;
    if (equalsNoCase(t, "False")) return false;
    return toNumber(t, locale) != 0;
}

std::string formatFixed(double value, int decimals, const Locale& locale)
{
    if (auto scaled = fastScaled(value, decimals)) return writeScaled(value < 0, *scaled, decimals, locale, false);
    Decimal d = decompose(value);
    roundTo(d, decimals);
    return writeFixed(d, decimals, locale, false, true);
}

FixedText formatFixedRead(double value, int decimals, const Locale& locale)
{
    static constexpr double kPowers[] = {1, 10, 100, 1000, 10000};
    if (auto scaled = fastScaled(value, decimals)) {
        // The text is the digits of `scaled` with `decimals` of them after the
        // separator: it reads as scaled / 10^decimals, exactly (both are exact
        // doubles and the division rounds to the nearest, as reading does).
        // A value that rounds to zero is written without its sign.
        const double read = static_cast<double>(*scaled) / kPowers[decimals];
        return {writeScaled(value < 0, *scaled, decimals, locale, false), value < 0 && *scaled != 0 ? -read : read};
    }
    std::string text = formatFixed(value, decimals, locale);
    const double read = toNumber(text, locale);
    return {std::move(text), read};
}

std::size_t formatPlainFixed(std::string_view text, int decimals, const Locale& locale, char (&out)[kPlainFixedRoom],
                             double& value)
{
    if (locale.decimalSeparator.size() != 1 || decimals < 0 || decimals > 4) return 0;
    const char point = locale.decimalSeparator[0];
    detail::PlainDecimal d;
    if (!detail::scanPlainDecimal(text, point, d)) return 0;
    // No plus sign, no leading zeros, no negative zero, no more decimals than
    // the fixed form shows: such a text is already the start of its fixed form.
    if ((d.sign && !d.negative) || (d.integerDigits > 1 && text[d.sign ? 1 : 0] == '0') || d.fraction > decimals ||
        (d.negative && d.digits == 0))
        return 0;
    // Up to 15 digits the digits are exact and read back one for one, so
    // rounding to 15 significant digits changes nothing; dividing them by an
    // exact power of ten rounds once, to the nearest, as reading the text does.
    if (d.integerDigits + d.fraction > 15) return 0;
    const double magnitude = static_cast<double>(d.digits) / detail::kPowersOfTen[d.fraction];
    value = d.negative ? -magnitude : magnitude;
    // The text as it stands, then the separator and the zeros it lacks.
    std::memcpy(out, text.data(), text.size());
    std::size_t length = text.size();
    if (d.fraction == 0 && decimals > 0) out[length++] = point;
    for (int k = d.fraction; k < decimals; ++k) out[length++] = '0';
    return length;
}

std::string formatFixedText(std::string_view text, int decimals, const Locale& locale)
{
    if (auto v = tryToNumber(text, locale)) return formatFixed(*v, decimals, locale);
    return std::string(text);
}

std::string formatZeroPadded3(std::string_view text, const Locale& locale)
{
    auto v = tryToNumber(text, locale);
    if (!v) return std::string(text);
    Decimal d = decompose(*v);
    roundTo(d, 0);
    std::string digits = writeFixed(d, 0, locale, false, false);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return (d.negative ? "-" : "") + digits;
}

std::string formatNumber(double value, int decimals, const Locale& locale)
{
    if (auto scaled = fastScaled(value, decimals)) return writeScaled(value < 0, *scaled, decimals, locale, true);
    Decimal d = decompose(value);
    roundTo(d, decimals);
    return writeFixed(d, decimals, locale, true, true);
}

std::string formatCurrency(double value, const Locale& locale)
{
    Decimal d = decompose(value);
    roundTo(d, locale.defaultDecimals);
    std::string amount = writeFixed(d, locale.defaultDecimals, locale, true, false);
    std::string body = locale.currencySymbolAfter ? amount + " " + locale.currencySymbol
                                                  : locale.currencySymbol + amount;
    if (!d.negative) return body;
    return locale.negativeCurrencyInParentheses ? "(" + body + ")" : "-" + body;
}

std::string formatGeneral(double value, const Locale& locale)
{
    char buffer[kMaxGeneralChars];
    const char* end = generalToChars(buffer, value);
    return withDecimalSeparator(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), locale);
}

std::string withDecimalSeparator(std::string_view invariant, const Locale& locale)
{
    const std::size_t point = invariant.find('.');
    if (point == std::string_view::npos || locale.decimalSeparator == ".") return std::string(invariant);
    std::string out(invariant.substr(0, point));
    out += locale.decimalSeparator;
    out += invariant.substr(point + 1);
    return out;
}

char* generalToChars(char* out, double value) noexcept
{
    Decimal d = decompose(value);
    if (d.isZero()) {
        *out++ = '0';
        return out;
    }
    while (d.length > 1 && d.buf[static_cast<std::size_t>(d.length - 1)] == '0') --d.length;
    const int exponent = d.intDigits - 1;
    if (d.negative) *out++ = '-';
    const auto digits = [&](int from, int to) { // digits [from, to), '0' outside the significant ones
        for (int i = from; i < to; ++i) *out++ = i < 0 ? '0' : d.digit(i);
    };
    if (exponent >= 15 || exponent < -5) {
        *out++ = d.buf[0];
        if (d.length > 1) {
            *out++ = '.';
            digits(1, d.length);
        }
        *out++ = 'E';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) *out++ = '0';
        return std::to_chars(out, out + 4, magnitude).ptr;
    }
    // Fixed: the integer digits (at least one), then the fraction's.
    if (d.intDigits <= 0) *out++ = '0';
    else digits(0, d.intDigits);
    if (d.length > d.intDigits) {
        *out++ = '.';
        digits(d.intDigits, d.length);
    }
    return out;
}

namespace {
template <typename Int>
Int toInteger(double value)
{
    if (!std::isfinite(value)) throw RuntimeError::overflow();
    double rounded = std::round(value); // halves away from zero...
    if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0); // ...except to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw RuntimeError::overflow();
    return static_cast<Int>(rounded);
}
} // namespace

std::int16_t toInt16(double value) { return toInteger<std::int16_t>(value); }
std::int32_t toInt32(double value) { return toInteger<std::int32_t>(value); }

double divide(double numerator, double denominator)
{
    if (denominator == 0) {
        if (numerator == 0) throw RuntimeError::overflow();
        throw RuntimeError::divisionByZero();
    }
    return checked(numerator / denominator);
}

void throwOverflow() { throw RuntimeError::overflow(); }

std::optional<double> tryToNumberOrInvariant(std::string_view text, const Locale& locale) noexcept
{
    if (auto v = tryToNumber(text, locale)) return v;
    if (&locale == &Locale::enUS() || text.find(locale.decimalSeparator) != std::string_view::npos) return std::nullopt;
    return tryToNumber(text, Locale::enUS());
}

} // namespace zelt::text
