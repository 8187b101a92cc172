// Line numbers moved by a delete or an insert: the number at the start of the
// line item changes, whatever follows it stays.
#include "lineitems/LineRows.h"

#include <gtest/gtest.h>

using zelt::LineRows;

TEST(LineRows, RenumberingChangesOnlyTheLeadingNumber)
{
    struct Case {
        const char* lineItem;
        int delta;
        const char* expected;
    } cases[] = {
        {"57", -1, "56"},        {"12N", -1, "11N"},     {"3U", 1, "4U"},       {"1", -1, "0"},
        {"0", -1, "-1"},         {"007", -1, "6"},       {"10a", -1, "9a"},     {"2each", -1, "1each"},
        {"1.5", -1, "0.5"},      {"2e3", -1, "1999e3"},    {"-4", 1, "-3"},       {"x7", -1, "-1x7"},
        {"", -1, "-1"},          {"999999999999999", 1, "1000000000000000"},
        {"1234567890123456", -1, "1.23456789012346E+15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lineItem);
        EXPECT_EQ(LineRows::renumbered(c.lineItem, c.delta), c.expected);
    }
}
