#pragma once

#include <string_view>

namespace zelt {

struct LookupLists;
namespace view { class Grid; }
namespace text { struct Locale; }

/// The host's purchase-order event decides whether taxes may be calculated
/// and whether the exempt box may change the tax liability.
class OrderEventRules {
public:
    static bool OrderEventAllowsTaxes(std::string_view zeltEvent);
    static bool OrderEventAllowsExemptTaxes(std::string_view zeltEvent);
    /// True when a line of status code 1 or 6 has no acknowledgement number.
    /// A Status cell that is not a number raises an InputError naming the line.
    static bool IsPendingAcknowledgement(const view::Grid& grid, const LookupLists& lists,
                                         const text::Locale& locale);
};

} // namespace zelt
