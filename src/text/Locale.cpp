#include "zelt/text/Locale.h"

namespace zelt::text {

Locale Locale::enUS() { return Locale{}; }

Locale Locale::frCA()
{
    Locale loc;
    loc.name = "fr-CA";
    loc.decimalSeparator = ",";
    loc.groupSeparator = "\u202F";                       // narrow no-break space
    loc.alternativeGroupSeparators = {" ", "\u00A0"};    // space, no-break space
    loc.currencySymbol = "$";
    loc.currencySymbolAfter = true;
    loc.negativeCurrencyInParentheses = true;
    loc.defaultDecimals = 2;
    loc.shortDateMonthFirst = false;
    return loc;
}

} // namespace zelt::text
