#pragma once

#include "zelt/text/Locale.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt {

/// The lookup tables the host hands over: each entry the fields of one record,
/// field 0 the display text and field 1 the code.
struct LookupLists {
    using Entry = std::vector<std::string>;

    std::vector<Entry> statusList;
    std::vector<Entry> unitList;
    std::vector<Entry> carrierList;
    std::vector<Entry> issueList;
    double currencyConversionRate = 0;
    double vendorConversionRate = 0;
    /// Positions in the status list of the status codes 1, 6 and 7.
    std::int16_t statusPosition1 = 0;
    std::int16_t statusPosition6 = 0;
    std::int16_t statusPosition7 = 0;
    /// Positions in the carrier list of the carrier codes 2 and 15, as decimal
    /// text; empty while unknown.
    std::string carrierPosition2;
    std::string carrierPosition15;

    static const std::string& displayText(const Entry& e);
    static const std::string& code(const Entry& e);
    /// True when the code reads as the number n.
    static bool codeIs(const Entry& e, int n, const text::Locale& locale);

    /// A Status value of a priced line: a position of code 1, 6 or 7, plus 1.
    bool isPricedStatus(double status) const
    {
        return status == statusPosition1 + 1 || status == statusPosition6 + 1 || status == statusPosition7 + 1;
    }
    /// A merchandise line: the position of code 1 or 6, plus 1.
    bool isMerchandiseStatus(double status) const
    {
        // Both compared, without a branch: loops over every line call this.
        return (status == statusPosition1 + 1) | (status == statusPosition6 + 1);
    }
    /// A rewards line: the position of code 7, plus 1.
    bool isRewardsStatus(double status) const { return status == statusPosition7 + 1; }

    /// Unit code to display text, entry by entry from the first: every entry
    /// whose code equals the text so far replaces it.
    std::string unitCodeToDisplay(std::string_view cell) const;
    /// Display text to unit code, entry by entry in the same way.
    std::string unitDisplayToCode(std::string_view cell) const;
    /// The display text of the first entry whose code equals `code`.
    std::optional<std::string> displayForCode(const std::vector<Entry>& list, std::string_view code) const;
    /// The code of the first entry whose display text equals `display`.
    std::optional<std::string> codeForDisplay(const std::vector<Entry>& list, std::string_view display) const;
};

} // namespace zelt
