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
    /// The vendor's freight rates by weight, the carrier surcharge records and
    /// the catalogue system's freight rules page.
    std::string freightRates = "0.25$F$0.2$F$0.18$F$0.15$F$0$F$$R$";
    std::string surcharges = "1$F$2.5$R$";
    std::string freightRulesPage =
        "<html><head><script type=\"text/javascript\">var page;</script>"
        "&lt;FreightRules&gt;&lt;DeliveryOption&gt;&lt;VendorFreightMethodID&gt;3&lt;/VendorFreightMethodID&gt;"
        "&lt;VendorDeliveryTypeDescription&gt;Delivery To Club&lt;/VendorDeliveryTypeDescription&gt;"
        "&lt;VendorDeliveryAgentID&gt;41&lt;/VendorDeliveryAgentID&gt;&lt;/DeliveryOption&gt;"
        "&lt;DeliveryOption&gt;&lt;VendorFreightMethodID&gt;7&lt;/VendorFreightMethodID&gt;"
        "&lt;VendorDeliveryTypeDescription&gt;Home Delivery&lt;/VendorDeliveryTypeDescription&gt;"
        "&lt;/DeliveryOption&gt;&lt;/FreightRules&gt;</div><html xmlns=\"http://www.w3.org/1999/xhtml\"></html>";

    /// The freight rate component's rules for the two delivery options.
    std::string freightRules =
        R"({"methods": [{"vendorFreightMethodID": 3, "minimumCharge": 35, "brackets": [{"upToPounds": null, "ratePerPound": 0.3}]},)"
        R"( {"vendorFreightMethodID": 7, "minimumCharge": 45, "ehdFee": 60, "brackets": [{"upToPounds": 500, "ratePerPound": 0.4}, {"upToPounds": null, "ratePerPound": 0.3}]}]})";

    static SampleOrder embedded();
    /// Reads lookups.txt, lines.txt, fees.txt, salestax.txt and brackets.txt
    /// from a folder; line breaks in the files only lay the records out and
    /// are dropped.
    static SampleOrder fromFolder(const std::string& folder);
    /// The same order as a host in that locale hands it over: every decimal
    /// number written with the locale's decimal separator.
    SampleOrder inLocale(const text::Locale& locale) const;
};

/// Where the order's web services answer; empty: the host's own tax amounts
/// and no surcharge.
struct ServiceAddresses {
    std::string surchargeServer;
    std::string internalTaxUrl;
    /// The AvaTax service and account the tax command uses.
    std::string avaTaxUrl, avaTaxAccount, avaTaxLicenseKey;
};

/// Configures a control as a host would for the sample order and loads it:
/// lookups, fees, lines, delivery options, freight by weight, the carrier
/// surcharge and the taxes (from the internal tax service when one is given).
void loadSampleOrder(OrderedItems& control, const SampleOrder& order, Mode mode = Mode::UpdateMode,
                     const ServiceAddresses& services = {});

/// Asks the surcharge service, when `services` names one, for the sample
/// carrier's surcharge on the freight as it stands.
void askSurcharge(OrderedItems& control, const ServiceAddresses& services);

/// The grid as an aligned table, the fees, taxes and totals, the tax and fee
/// summary and the button states.
std::string orderSummary(const OrderedItems& control);

/// Hands the taxes the control shows back to it as the order's amounts, as a
/// host that keeps its order's taxes does whenever the control reports a new
/// total. A tax the clerk overrides afterwards then changes only its own box:
/// the control fills the other boxes from these amounts.
void keepShownTaxes(OrderedItems& control);

} // namespace zelt::demo
