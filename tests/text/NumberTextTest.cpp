#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"

#include "support/Throws.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <limits>
#include <optional>

using namespace zelt::text;
using zelt::testing::caught;

namespace {

const Locale kUS = Locale::enUS();
const Locale kCA = Locale::frCA();

struct ReadCase { const char* text; std::optional<double> expected; /* nullopt: a type mismatch */ };

void expectReads(const Locale& locale, std::initializer_list<ReadCase> cases)
{
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string("text: \"") + c.text + "\" in " + locale.name);
        EXPECT_EQ(isNumeric(c.text, locale), c.expected.has_value());
        if (c.expected) {
            EXPECT_DOUBLE_EQ(toNumber(c.text, locale), *c.expected);
            continue;
        }
        const auto e = caught<RuntimeError>([&] { toNumber(c.text, locale); });
        ASSERT_TRUE(e) << "read as a number";
        EXPECT_EQ(std::pair(e->number(), e->description()), std::pair(13, std::string("Type mismatch")));
    }
}

} // namespace

TEST(NumberText, ReadsNumbersTheWayAPersonWritesThemAndLeadingNumbersNeverFail)
{
    expectReads(kUS, {{"  12.5  ", 12.5}, {"+3", 3}, {"1,234,567", 1234567}, {".5", 0.5}, {"5.", 5},
                      {"2.5e-2", 0.025}, {"1E3", 1000}, {"$1,234.50", 1234.5}, {"1.5$", 1.5}, {"-$5", -5},
                      {"$-5", -5}, {"(12.50)", -12.5}, {"($12.50)", -12.5}, {"", std::nullopt}, {"   ", std::nullopt},
                      {".", std::nullopt}, {"-", std::nullopt}, {"12abc", std::nullopt}, {"1,,2", std::nullopt},
                      {",12", std::nullopt}, {"12,", std::nullopt}, {"1.2.3", std::nullopt}, {"1E", std::nullopt},
                      {"--1", std::nullopt}, {"(-1)", std::nullopt}, {"1e999", std::nullopt}, {"\t1", std::nullopt}});
    expectReads(kCA, {{"12,5", 12.5}, {"1\u202F234,50", 1234.5}, {"1\u00A0234,50", 1234.5}, {"1 234,50 $", 1234.5},
                      {"(5,25 $)", -5.25}, {"12.5", std::nullopt}, {",", std::nullopt}});
    // A leading number never fails.
    struct Case { const char* text; double expected; } cases[] = {
        {"5N", 5},     {"1.25x", 1.25}, {"", 0},      {"N", 0},    {"  7abc", 7},
        {"-2.5", -2.5}, {"1e2x", 100},  {"1e", 1},    {".5", 0.5}, {"1,234", 1}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.expected) << c.text;
}

// The forms that take text, or group digits, or show a currency; each written
// form reads back as its number.
TEST(NumberText, FixedTextNumberCurrencyAndShortestGeneralForms)
{
    struct Case { std::string written; const char* expected; } cases[] = {
        {formatFixedText(" 2.5 ", 3, kUS), "2.500"},  {formatFixedText("", 2, kUS), ""},
        {formatFixedText("abc", 2, kUS), "abc"},      {formatZeroPadded3("7", kUS), "007"},
        {formatZeroPadded3("1234", kUS), "1234"},     {formatZeroPadded3("ABC", kUS), "ABC"},
        {formatZeroPadded3("", kUS), ""},             {formatZeroPadded3("7.5", kUS), "008"},
        {formatZeroPadded3("-7", kUS), "-007"},       {formatNumber(-2, 2, kUS), "-2.00"},
        {formatNumber(1234567.891, 2, kUS), "1,234,567.89"}, {formatNumber(999.999, 2, kUS), "1,000.00"},
        {formatNumber(1234.5, 2, kCA), "1\u202F234,50"},    {formatCurrency(1234.5, kUS), "$1,234.50"},
        {formatCurrency(-1234.5, kUS), "($1,234.50)"},      {formatCurrency(0.005, kUS), "$0.01"},
        {formatCurrency(1234.5, kCA), "1\u202F234,50 $"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.written, c.expected);
    EXPECT_DOUBLE_EQ(toNumber(formatNumber(1234567.25, 2, kCA), kCA), 1234567.25);
    EXPECT_DOUBLE_EQ(toNumber(formatCurrency(-1234.5, kUS), kUS), -1234.5);
    EXPECT_DOUBLE_EQ(toNumber(formatCurrency(-1234.5, kCA), kCA), -1234.5);
    // A host's locale may have separators of any length: the number forms grow to fit them.
    Locale wide = kUS;
    wide.groupSeparator = std::string(40, '_');
    wide.decimalSeparator = "<point>";
    EXPECT_EQ(formatNumber(1234567.5, 2, wide), "1" + wide.groupSeparator + "234" + wide.groupSeparator + "567<point>50");
    EXPECT_EQ(formatFixed(-98765432.125, 3, wide), "-98765432<point>125");
    // The general form is the shortest text; these are the edges of the property test's plain decimals below.
    struct General { double value; const char* expected; } general[] = {
        {0.1 + 0.2, "0.3"}, {0, "0"}, {1e15, "1E+15"}, {1.5e15, "1.5E+15"}, {1e-5, "0.00001"}, {1e-6, "1E-06"},
        {123456789012345, "123456789012345"}, {1.0 / 3.0, "0.333333333333333"}};
    for (const General& g : general) EXPECT_EQ(formatGeneral(g.value, kUS), g.expected);
    EXPECT_EQ(formatGeneral(12.5, kCA), "12,5");
    // Fixed patterns round halves away from zero on the visible digits.
    struct Fixed { double value; int decimals; const char* expected; } fixed[] = {
        {0.125, 2, "0.13"},  {2.675, 2, "2.68"},   {-0.125, 2, "-0.13"}, {1.005, 2, "1.01"},   {-0.001, 2, "0.00"},
        {0.0005, 3, "0.001"}, {1999, 3, "1999.000"}, {9.995, 2, "10.00"}, {99.5, 0, "100"},
        {1e20, 2, "100000000000000000000.00"}, {0.1 + 0.2, 2, "0.30"}, {123456789.125, 2, "123456789.13"},
    };
    for (const Fixed& f : fixed) EXPECT_EQ(formatFixed(f.value, f.decimals, kUS), f.expected);
    EXPECT_EQ(formatFixed(1234.5, 2, kCA), "1234,50");
}

// Plain decimals ("12.50", "-3", "0,125" in fr-CA) are read by a shortcut;
// it must give exactly the double the C++ library reads, for every length
// and separator position, and leave anything else to the full reading.
TEST(NumberText, PlainDecimalsReadExactlyAsTheLibraryDoes)
{
    std::mt19937_64 random(42);
    for (int i = 0; i < 50000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        std::string text;
        for (int d = 0; d < digits; ++d) text.push_back(static_cast<char>('0' + random() % 10));
        if (random() % 2) text.insert(1 + random() % static_cast<unsigned>(digits), ".");
        if (text.back() == '.') text.push_back('5');
        if (random() % 3 == 0) text.insert(0, "-");
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        SCOPED_TRACE(text);
        ASSERT_EQ(tryToNumber(text, kUS), expected);
        std::string french = text;
        if (auto point = french.find('.'); point != std::string::npos) french[point] = ',';
        ASSERT_EQ(tryToNumber(french, kCA), expected);
    }
    // Near the shortcut's edges: the full reading takes these.
    for (auto [text, value] : {std::pair{"1234567890123456", 1234567890123456.0}, {"12.", 12.0}, {".5", 0.5}, {"+7", 7.0}, {"1,234.5", 1234.5}})
        EXPECT_EQ(tryToNumber(text, kUS), value) << text;
    EXPECT_FALSE(tryToNumber("12.5", kCA).has_value()) << "fr-CA reads a comma, not a point";
}

// The general form takes a shortcut through the shortest text that reads
// back; it must give the digits of the value rounded to 15 places, which the
// C library's %.15g prints, for values of every size and digit count.
TEST(NumberText, GeneralFormHasTheFifteenDigitsOfTheCLibrary)
{
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> exponent(-5, 14);
    std::uniform_int_distribution<int> digits(1, 17);
    for (int i = 0; i < 20000; ++i) {
        // Short decimals (rates, prices) and full-precision values alike.
        const int places = digits(random);
        const auto mantissa = static_cast<double>(random() % static_cast<std::uint64_t>(std::pow(10.0, places)));
        double value = mantissa * std::pow(10.0, exponent(random) - places + 1);
        if (i % 3 == 0) value = -value;
        if (value == 0 || std::fabs(value) < 1e-5 || std::fabs(value) >= 1e15) continue;
        char reference[64];
        std::snprintf(reference, sizeof reference, "%.15g", value);
        std::string expected = reference;
        if (expected.find('e') != std::string::npos) continue; // only the fixed range compares directly
        SCOPED_TRACE(expected);
        ASSERT_EQ(formatGeneral(value, kUS), expected);
    }
}

TEST(NumberText, IntegerConversionsBooleansTrimAndDivisionRoundAndFailLikeTheBoxesExpect)
{
    struct Case { double value; std::int16_t expected; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.6, 3}, {-2.6, -3}, {32767, 32767}, {-32768, -32768}, {0.5, 0}};
    for (const Case& c : cases) EXPECT_EQ(toInt16(c.value), c.expected) << c.value;
    for (double bad : {32767.5, 32768.0, -32768.6, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(caught<RuntimeError>([&] { toInt16(bad); }).value_or(RuntimeError::invalidProcedureCall()).number(), 6) << bad;
    EXPECT_EQ(std::pair(toInt32(2147483647.0), toInt32(40000.5)), std::pair(2147483647, 40000));
    EXPECT_THROW(toInt32(2147483648.0), RuntimeError);
    // Booleans, trimming and division.
    for (auto [text, value] : {std::pair{"tRUE", true}, {"false", false}, {"-1", true}, {"2", true}, {"0", false}})
        EXPECT_EQ(toBoolean(text, kUS), value) << text;
    for (const char* bad : {"yes", ""}) EXPECT_THROW(toBoolean(bad, kUS), RuntimeError) << bad;
    EXPECT_EQ(std::string(trim("  a b  ")) + "|" + std::string(trim("\ta\t")), "a b|\ta\t");
    EXPECT_DOUBLE_EQ(divide(10, 4), 2.5);
    for (auto [numerator, number] : {std::pair{1.0, 11}, {0.0, 6}})
        EXPECT_EQ(caught<RuntimeError>([&] { divide(numerator, 0); }).value_or(RuntimeError::invalidProcedureCall()).number(), number);
    EXPECT_THROW(checked(1e308 * 10), RuntimeError);
}

TEST(NumberText, EveryThousandthRoundsToTheHundredthAPersonExpects)
{
    // k thousandths to hundredths, halves away from zero: catches any shortcut
    // that rounds the binary value instead of the decimal one.
    for (long k = 0; k < 200000; ++k) {
        double v = static_cast<double>(k) / 1000.0;
        long hundredths = (k + 5) / 10;
        std::string expected = std::to_string(hundredths / 100) + "." + (hundredths % 100 < 10 ? "0" : "") +
                               std::to_string(hundredths % 100);
        ASSERT_EQ(formatFixed(v, 2, kUS), expected) << k;
        ASSERT_EQ(formatFixed(-v, 2, kUS), k < 5 ? expected : "-" + expected) << k;
    }
}

// A loader keeps the number each fixed amount it writes reads as, without
// reading the text: that number must be exactly what reading gives, the sign
// of zero included, for every value and both locales.
TEST(NumberText, AFixedAmountKnowsTheNumberItReadsAs)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-12.0, 12.0);
    for (int i = 0; i < 20000; ++i) {
        double value = std::pow(10.0, magnitude(random)) * (random() % 2 ? 1 : -1);
        if (i % 10 == 0) value = static_cast<double>(static_cast<std::int64_t>(value * 1000)) / 1000 + 0.0005; // halves
        if (i % 17 == 0) value = -0.001 * static_cast<double>(random() % 5); // rounds to zero
        const int decimals = static_cast<int>(random() % 5);
        for (const Locale* locale : {&kUS, &kCA}) {
            const FixedText fixed = formatFixedRead(value, decimals, *locale);
            ASSERT_EQ(fixed.text, formatFixed(value, decimals, *locale));
            const auto read = tryToNumber(fixed.text, *locale);
            ASSERT_TRUE(read.has_value()) << fixed.text;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(fixed.value), std::bit_cast<std::uint64_t>(*read))
                << fixed.text << " from " << value;
        }
    }
}

// The plain-decimal fast path must give exactly what reading the text and
// formatting the number give, and must step aside for every other text.
TEST(NumberText, APlainDecimalIsFormattedAsReadingAndFormattingWould)
{
    struct Case { const char* text; int decimals; bool plain; };
    const Case cases[] = {
        {"12.5", 2, true},   {"-3.75", 2, true},    {"0", 0, true},     {"999999999999.99", 2, true},
        {"123456789012345", 2, true}, {"1234567890123456", 2, false}, {"12.345", 2, false}, {"007", 2, false},
        {"-0", 2, false},    {"-0.00", 2, false},   {"+1", 2, false},   {"1.", 2, false},   {".5", 2, false},
        {" 1", 2, false},    {"1 ", 2, false},      {"1,5", 2, false},  {"1e3", 2, false},  {"", 2, false},
        {"-", 2, false},     {"1,234.50", 2, false},
    };
    for (const Case& c : cases) {
        char out[kPlainFixedRoom];
        double value = 0;
        EXPECT_EQ(formatPlainFixed(c.text, c.decimals, kUS, out, value) > 0, c.plain) << c.text;
    }
    // Random plain decimals in both locales against the slow path.
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = static_cast<int>(random() % 5);
        const int fraction = decimals == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(decimals + 1));
        const int integerDigits = 1 + static_cast<int>(random() % static_cast<unsigned>(15 - fraction));
        std::string digits = std::to_string(1 + random() % 9);
        if (random() % 4 == 0) digits = "0";
        for (int d = 1; d < integerDigits && digits != "0"; ++d) digits += static_cast<char>('0' + random() % 10);
        for (const Locale* locale : {&kUS, &kCA}) {
            std::string text = (random() % 3 == 0 ? "-" : "") + digits;
            if (fraction > 0) {
                text += locale->decimalSeparator;
                for (int d = 0; d < fraction; ++d) text += static_cast<char>('0' + random() % 10);
            }
            if (text.find_first_not_of("-0,.") == std::string::npos) continue; // a negative zero is no plain decimal
            char out[kPlainFixedRoom];
            double value = 0;
            const std::size_t length = formatPlainFixed(text, decimals, *locale, out, value);
            ASSERT_GT(length, 0u) << text;
            const FixedText slow = formatFixedRead(toNumber(text, *locale), decimals, *locale);
            ASSERT_EQ(std::string_view(out, length), slow.text) << text;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(slow.value)) << text;
        }
    }
}
