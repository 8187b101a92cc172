#pragma once

#include <zelt/OrderedItems.h>

#include <string>

namespace zelt::demo {

/// The sample order shipped in examples/, compiled into the demo so that it
/// runs with no files around it.
struct SampleOrder {
    std::string lookups;
    std::string lines;
    std::string fees;
    std::string salesTax;
    std::string brackets;

    static SampleOrder embedded();
    /// Reads lookups.txt, lines.txt, fees.txt, salestax.txt and brackets.txt
    /// from a folder; line breaks in the files only lay the records out and
    /// are dropped.
    static SampleOrder fromFolder(const std::string& folder);
    /// The same order as a host in that locale hands it over: every decimal
    /// number written with the locale's decimal separator.
    SampleOrder inLocale(const text::Locale& locale) const;
};

/// Configures a control as a host would for the sample order and loads it.
void loadSampleOrder(OrderedItems& control, const SampleOrder& order, Mode mode = Mode::UpdateMode);

/// The grid as an aligned table, the fees, taxes and totals, the tax and fee
/// summary and the button states.
std::string orderSummary(const OrderedItems& control);

} // namespace zelt::demo
