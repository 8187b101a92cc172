// A host without a window: opens the sample order, adds and changes a line as
// a script would, asks the AvaTax stand-in for the taxes and exports the order.
#include <zelt/OrderedItems.h>
#include <zelt/StandIns.h>
#include <zelt/platform/RuleTableFreightCalculator.h>
#include <zelt/standins/AvaTaxStandIn.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#ifndef ZELT_SAMPLE_ORDER
#define ZELT_SAMPLE_ORDER "/usr/share/doc/zelt-ordered-items-dev/examples/sample-order"
#endif

namespace {

// The catalogue system's page of delivery options, and the freight rate component's rule for the one option.
constexpr const char* kDeliveryPage =
    "<script>var page;</script>&lt;FreightRules&gt;&lt;DeliveryOption&gt;&lt;VendorFreightMethodID&gt;3&lt;/"
    "VendorFreightMethodID&gt;&lt;VendorDeliveryTypeDescription&gt;Delivery To Club&lt;/VendorDeliveryTypeDescription"
    "&gt;&lt;/DeliveryOption&gt;&lt;/FreightRules&gt;</div><html xmlns=\"http://www.w3.org/1999/xhtml\"></html>";
constexpr const char* kFreightRules =
    R"({"methods": [{"vendorFreightMethodID": 3, "minimumCharge": 35, "brackets": [{"upToPounds": null, "ratePerPound": 0.3}]}]})";

// An exchange file of the order's folder; its line breaks only lay the records out.
std::string exchangeFile(const std::string& folder, const std::string& name)
{
    std::ifstream in(folder + "/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + folder + "/" + name);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
    return text;
}

} // namespace

int main(int argc, char** argv)
try {
    const std::string folder = argc > 1 ? argv[1] : ZELT_SAMPLE_ORDER;
    auto boxes = std::make_shared<zelt::view::ScriptedMessageBoxes>();
    zelt::Services services;
    services.messageBoxes = boxes;
    services.eventLog = std::make_shared<zelt::platform::MemoryEventLog>();
    services.freight = std::make_shared<zelt::platform::RuleTableFreightCalculator>(
        zelt::platform::RuleTableFreightCalculator::fromJson(kFreightRules));
    zelt::OrderedItems control(services);
    zelt::standins::AvaTaxStandIn avaTax("host-account", "host-licence-key");
    control.setZeltEvent("PurchaseOrder"), control.setCenterID("7");
    control.CountryID(zelt::COUNTRY::CANADA, static_cast<std::int16_t>(zelt::COUNTRY::CANADA));
    control.GetComboContent(exchangeFile(folder, "lookups.txt"));
    control.fGetOderIDStatus(true), control.setViewMode(zelt::Mode::UpdateMode);
    // The tax document, from the vendor in Albany to the member in Toronto, goes to the stand-in.
    control.setUrl(avaTax.url()), control.setAccount("host-account"), control.setLicenseKey("host-licence-key");
    control.setCompanyCode("ZELT"), control.setDocCode("PO-70412"), control.setCustomerCode("M-70412");
    control.setCustomerOrderedDate("2024-05-01");
    control.setTaxLineExemptedCode(zelt::standins::AvaTaxStandIn::kNonTaxableCode);
    control.setFromCity("Albany"), control.setFromState("NY"), control.setFromZip("12207"), control.setFromCountry("US");
    control.setShipCity("Toronto"), control.setShipState("ON"), control.setShipZip("M5H 2N2"), control.setShipCountry("CANADA");
    control.LetSalesTaxesNFees(exchangeFile(folder, "fees.txt"), exchangeFile(folder, "salestax.txt"),
                               exchangeFile(folder, "brackets.txt"));
    control.setReadData(exchangeFile(folder, "lines.txt"));
    control.SetFreightOptionsFromMorrow(kDeliveryPage);
    control.UpdateFreightComboBox(false);

    // A new line from tab-separated cells, and a new quantity for line 1 typed as the clerk would.
    const int added = control.PasteLines("Desk organiser\tDO-3\t3\tEA\t14.50\t1.2\tUPS Ground\t14.50\tACK-9001\n");
    zelt::view::Form& form = control.form();
    control.SelectLine(1);
    form.cmdEdit.userClick();
    form.txtField[3].selectAll();
    form.txtField[3].typeText("3");
    form.cmdAdd.userClick();

    // "Calculate Taxes & Fees". A line goes by member factory pickup: let every line go that way.
    boxes->answerNext(zelt::view::MessageBoxAnswer::Yes);
    control.UpdateTaxes();
    for (const auto& box : boxes->shown()) std::cout << "The control said: " << box.text << "\n";
    std::cout << "Lines: " << form.grdOrdItems.rows() - 1 << " (" << added << " added; line 1 quantity "
              << form.grdOrdItems.text(1, 6) << ")\nAvaTax transactions: " << avaTax.transactions()
              << "\nTotal sales tax: " << form.txtField[17].text() << "\nMerchandise total: " << form.txtField[18].text()
              << "\nTotal deposit: " << form.txtFee[6].text() << "\n\nreadData:\n" << control.readData()
              << "\n\nGetSalesTaxesNFees:\n" << control.GetSalesTaxesNFees() << "\n";
    if (!control.LastServiceFailure().empty()) throw std::runtime_error(control.LastServiceFailure());
    return added == 1 && avaTax.transactions() == 1 ? 0 : 1;
} catch (const std::exception& e) {
    std::cerr << "console-host: " << e.what() << "\n";
    return 1;
}
