#include "zelt/text/Currency.h"
#include "zelt/text/Date.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <gtest/gtest.h>

using namespace zelt::text;

TEST(CurrencyAndDate, CurrencyRoundsHalvesToEvenSumsExactlyAndShowsTheShortestTextDatesReadAndFormat)
{
    EXPECT_EQ(Currency::fromDouble(10.5).units(), 105000);
    // 1/32 and 3/32 are exact halves of a ten-thousandth: 312.5 and 937.5 units.
    EXPECT_EQ(Currency::fromDouble(1.0 / 32).units(), 312);
    EXPECT_EQ(Currency::fromDouble(3.0 / 32).units(), 938);
    EXPECT_EQ(Currency::fromDouble(-1.0 / 32).units(), -312);
    EXPECT_EQ(Currency::fromDouble(-1.23456).units(), -12346);
    EXPECT_THROW(Currency::fromDouble(1e15), RuntimeError);
    EXPECT_THROW(Currency::fromText("abc", Locale::enUS()), RuntimeError);
    // Sums are exact.
    Currency sum;
    for (int i = 0; i < 10; ++i) sum += Currency::fromDouble(0.1);
    EXPECT_EQ(sum, Currency::fromDouble(1.0));
    EXPECT_EQ((Currency::fromDouble(5) - Currency::fromDouble(7.25)).toString(Locale::enUS()), "-2.25");
    EXPECT_THROW(Currency::fromUnits(INT64_MAX) + Currency::fromUnits(1), RuntimeError);
    EXPECT_THROW(-Currency::fromUnits(INT64_MIN), RuntimeError);
    // The shortest text drops only the fraction's trailing zeros, in both writers and locales.
    struct Case { std::int64_t units; const char* expected; } cases[] = {
        {0, "0"},         {-5, "-0.0005"},    {50, "0.005"},   {1000, "0.1"},  {10010, "1.001"},  {120000, "12"},
        {-10000, "-1"},   {99999, "9.9999"},  {INT64_MAX, "922337203685477.5807"}, {INT64_MIN, "-922337203685477.5808"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const Currency amount = Currency::fromUnits(c.units);
        EXPECT_EQ(amount.toString(Locale::enUS()), c.expected);
        char buffer[Currency::kMaxChars];
        EXPECT_EQ(std::string(buffer, amount.toChars(buffer)), c.expected);
        std::string french = c.expected;
        if (auto point = french.find('.'); point != std::string::npos) french[point] = ',';
        EXPECT_EQ(amount.toString(Locale::frCA()), french);
    }
    // Dates: the accepted forms read, and format as MMM dd, yyyy.
    const Locale us = Locale::enUS();
    struct DateCase { const char* text; const char* expected; /* "" when not a date */ } dates[] = {
        {"1/5/2024", "Jan 05, 2024"},  {"12/31/2023", "Dec 31, 2023"}, {"january 05, 2024", "Jan 05, 2024"},
        {"SEP 1, 2024", "Sep 01, 2024"}, {"5 Mar 2024", "Mar 05, 2024"}, {" 2024-02-29 ", "Feb 29, 2024"},
        {"2023-02-29", ""}, {"2024-13-01", ""}, {"abc", ""}, {"Jan 05 2024", ""}, {"2024/01/05", ""}, {"1/5/24", ""},
    };
    for (const DateCase& c : dates) {
        SCOPED_TRACE(c.text);
        const auto parsed = Date::parse(c.text, us);
        EXPECT_EQ(parsed ? parsed->toMMMddyyyy() : "", c.expected);
    }
    EXPECT_EQ(formatDateText("2024-01-05", us), "Jan 05, 2024");
    EXPECT_EQ(formatDateText("soon", us), "soon");
    // The formatted form reads back as the same date.
    EXPECT_EQ(Date::parse("Jan 05, 2024", us), (Date{2024, 1, 5}));
    // A month-first slash date is not a date where the short form is year first.
    EXPECT_FALSE(Date::parse("1/5/2024", Locale::frCA()).has_value());
    EXPECT_LT((Date{2024, 1, 5}), (Date{2024, 1, 6}));
}

TEST(Split, KeepsEmptyPiecesDropsTheTailOfRecordsAndReadsRecordsAsSplittingTwice)
{
    using Pieces = std::vector<std::string_view>;
    EXPECT_EQ(split("a$F$$F$b", "$F$"), (Pieces{"a", "", "b"}));
    EXPECT_TRUE(split("", "$F$").empty());
    EXPECT_EQ(splitRecords("r1$R$r2$R$tail", "$R$"), (Pieces{"r1", "r2"}));
    EXPECT_TRUE(splitRecords("no separator", "$R$").empty());
    EXPECT_EQ(splitRecords("$R$", "$R$"), (Pieces{""}));
    // The record reader gives the same pieces as splitting twice. Random texts over the separators' own characters, so that separators
    // touch and overlap in every way.
    struct Seps { const char* record; const char* field; } seps[] = {
        {"$R$", "$F$"}, {"$R$", "$$"}, {"$R$", "$"}, {"#", "|"}, {"$R", "$RF"}, {"ab", "a"}, {"$R$$R$$R$", "$F$$F$$F$"}};
    unsigned seed = 12345;
    auto nextRandom = [&seed] { return ((seed = seed * 1103515245u + 12345u) >> 16) & 0x7FFF; };
    const std::string alphabet = "$FRa#|b";
    int cuts = 0;
    for (const Seps& s : seps) {
        for (int round = 0; round < 3000; ++round) {
            std::string text;
            int length = static_cast<int>(nextRandom() % 64); // several 16-byte blocks and a tail
            for (int i = 0; i < length; ++i) text.push_back(alphabet[nextRandom() % alphabet.size()]);
            std::vector<std::vector<std::string_view>> expected;
            for (auto record : splitRecords(text, s.record)) expected.push_back(split(record, s.field));
            std::vector<std::vector<std::string_view>> actual;
            RecordReader reader(text, s.record, s.field);
            std::vector<std::string_view> fields;
            while (reader.next(fields)) actual.push_back(fields);
            ASSERT_EQ(actual, expected) << "text \"" << text << "\" separators " << s.record << " " << s.field;
            // Cut at a record boundary found from any place, the two parts
            // read as the whole does.
            const std::size_t from = text.empty() ? 0 : nextRandom() % text.size();
            if (const std::size_t cut = recordBoundaryFrom(text, s.record, from); cut != 0) {
                std::vector<std::string_view> parts = splitRecords(std::string_view(text).substr(0, cut), s.record);
                for (auto record : splitRecords(std::string_view(text).substr(cut), s.record)) parts.push_back(record);
                ASSERT_EQ(parts, splitRecords(text, s.record)) << "text \"" << text << "\" cut at " << cut;
                ++cuts;
            }
        }
    }
    EXPECT_GT(cuts, 2000);
    // A separator found inside another one read first is no boundary.
    EXPECT_EQ(recordBoundaryFrom("$R$R$x$R$y", "$R$", 1), 9u);
    EXPECT_EQ(recordBoundaryFrom("$R$R$x$R$", "$R$", 1), 0u); // nothing would follow the cut
}
