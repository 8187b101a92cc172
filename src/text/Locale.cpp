#include "zelt/text/Locale.h"

namespace zelt::text {

namespace {

Locale makeFrCA()
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

} // namespace

const Locale& Locale::enUS()
{
    static const Locale loc{};
    return loc;
}

const Locale& Locale::frCA()
{
    static const Locale loc = makeFrCA();
    return loc;
}

} // namespace zelt::text
