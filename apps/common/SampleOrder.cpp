#include "SampleOrder.h"

#include "EmbeddedSample.h"

#include <zelt/text/Split.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace zelt::demo {

namespace {

std::string withoutLineBreaks(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
    return text;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Display width of UTF-8 text: one column per code point.
std::size_t width(std::string_view s)
{
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string pad(const std::string& s, std::size_t w, bool right)
{
    std::size_t n = width(s);
    std::string fill(w > n ? w - n : 0, ' ');
    return right ? fill + s : s + fill;
}

} // namespace

SampleOrder SampleOrder::embedded()
{
    return {withoutLineBreaks(kEmbedded_lookups), withoutLineBreaks(kEmbedded_lines), withoutLineBreaks(kEmbedded_fees),
            withoutLineBreaks(kEmbedded_salestax), withoutLineBreaks(kEmbedded_brackets)};
}

SampleOrder SampleOrder::fromFolder(const std::string& folder)
{
    auto read = [&folder](const char* name) { return withoutLineBreaks(readFile(folder + "/" + name)); };
    return {read("lookups.txt"), read("lines.txt"), read("fees.txt"), read("salestax.txt"), read("brackets.txt")};
}

namespace {

/// Rewrites the decimal numbers between the exchange separators.
std::string localized(const std::string& text, const std::string& point)
{
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t next = text.find('$', start);
        // A separator is "$F$", "$R$" or "$T$"; the field runs up to it.
        while (next != std::string::npos &&
               !(next + 2 < text.size() && text[next + 2] == '$' &&
                 (text[next + 1] == 'F' || text[next + 1] == 'R' || text[next + 1] == 'T')))
            next = text.find('$', next + 1);
        std::string field = text.substr(start, next == std::string::npos ? std::string::npos : next - start);
        const bool decimal = !field.empty() && field.find('.') != std::string::npos &&
                             field.find_first_not_of("-0123456789.") == std::string::npos;
        if (decimal) field.replace(field.find('.'), 1, point);
        out += field;
        if (next == std::string::npos) break;
        out += text.substr(next, 3);
        start = next + 3;
    }
    return out;
}

} // namespace

SampleOrder SampleOrder::inLocale(const text::Locale& locale) const
{
    const std::string& point = locale.decimalSeparator;
    SampleOrder out = *this;
    for (std::string* text : {&out.lookups, &out.lines, &out.fees, &out.salesTax, &out.brackets, &out.freightRates,
                              &out.surcharges})
        *text = localized(*text, point);
    return out;
}

void loadSampleOrder(OrderedItems& control, const SampleOrder& order, Mode mode, const ServiceAddresses& services)
{
    control.setZeltEvent("PurchaseOrder");
    control.setPersonType("1");
    control.setCenterID("7");
    control.CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::CANADA));
    control.GetComboContent(order.lookups);
    control.fGetOderIDStatus(true);
    control.setViewMode(mode);
    control.setAllowFreightOverride(true);
    // In View Mode the host hands over only the saved tax and fee record, with
    // the EHD override flag in field 29.
    std::string fees = order.fees;
    if (mode == Mode::ViewMode) {
        auto records = text::splitRecords(order.fees, "$R$");
        fees = records.size() > 2 ? std::string(records[2]) + "$F$False$R$" : std::string();
    }
    control.setUsesZeltD(true);
    // The tax document: shipped from the vendor in Albany to the member in Toronto.
    control.setCompanyCode("ZELT");
    // Exempt lines go to AvaTax with the non-taxable code.
    control.setTaxLineExemptedCode("NT");
    control.setCustomerCode("M-70412");
    control.setDocCode("PO-70412");
    control.setCustomerOrderedDate("2024-05-01");
    control.setFromStreet1("100 State St");
    control.setFromCity("Albany");
    control.setFromState("NY");
    control.setFromZip("12207");
    control.setFromCountry("US");
    control.setShipStreet1("100 Queen St W");
    control.setShipCity("Toronto");
    control.setShipState("ON");
    control.setShipZip("M5H 2N2");
    control.setShipCountry("CANADA");
    if (!services.avaTaxUrl.empty()) {
        control.setUrl(services.avaTaxUrl);
        control.setAccount(services.avaTaxAccount);
        control.setLicenseKey(services.avaTaxLicenseKey);
    }
    control.LetSalesTaxesNFees(fees, order.salesTax, order.brackets);
    control.setReadData(order.lines);
    // Delivery options from the catalogue system, freight by weight, then the
    // carrier's surcharge on it.
    control.SetFreightOptionsFromMorrow(order.freightRulesPage);
    control.LetFreightInfo(order.freightRates, order.surcharges);
    askSurcharge(control, services);
    // The taxes: from the internal tax service when there is one, otherwise
    // the host's amounts, shown by SetTaxNFees with the total deposit.
    bool taxed = false;
    if (!services.internalTaxUrl.empty() && mode != Mode::ViewMode) {
        control.setInternalTaxServiceURL(services.internalTaxUrl);
        try {
            control.CalculateTaxesFromVardonInternalService("70412");
            keepShownTaxes(control);
            taxed = true;
        } catch (const ServiceError&) {
            // LastServiceFailure says why; the host's amounts stand in.
        }
    }
    if (!taxed) {
        control.setCountryTaxableAmount(text::formatFixed(412.69, 2, control.locale()));
        control.setStateTaxableAmount(text::formatFixed(577.76, 2, control.locale()));
        control.SetTaxNFees();
    }
    // Loading is not an edit: the host starts the clerk's session clean.
    control.setIsDirty(false);
}

void askSurcharge(OrderedItems& control, const ServiceAddresses& services)
{
    if (services.surchargeServer.empty()) return;
    control.PutServerName(services.surchargeServer);
    control.GetSurCharges(3, "2024-05-01");
}

void keepShownTaxes(OrderedItems& control)
{
    const auto& tax = control.form().txtFieldTax;
    control.setCountryTaxableAmount(tax[12].text());
    control.setStateTaxableAmount(tax[13].text());
    control.setCountyTaxableAmount(tax[14].text());
    control.setCityTaxableAmount(tax[15].text());
    control.setLocalTaxableAmount(tax[16].text());
}

std::string orderSummary(const OrderedItems& control)
{
    const view::Form& f = control.form();
    const view::Grid& grid = f.grdOrdItems;
    // The visible columns of the grid plus the line number and status.
    const std::vector<std::pair<int, bool>> columns = {{1, true},   {2, true},   {6, true},   {7, false},
                                                       {8, false},  {12, false}, {15, true},  {18, true},
                                                       {20, true},  {21, false}};
    std::vector<std::size_t> widths;
    for (auto [col, right] : columns) {
        std::size_t w = 0;
        for (int r = 0; r < grid.rows(); ++r) w = std::max(w, width(grid.text(r, col)));
        widths.push_back(w);
    }
    std::ostringstream out;
    for (int r = 0; r < grid.rows(); ++r) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            auto [col, right] = columns[i];
            std::string text(grid.text(r, col));
            out << (i ? " | " : "") << pad(text, widths[i], right && r > 0);
        }
        bool greyed = r > 0 && grid.background(r, 6) == view::Color::buttonFace();
        out << (greyed ? "   (not priced: greyed)" : "") << "\n";
    }
    auto row = [&out](const std::string& label, const std::string& value, const std::string& note = "") {
        out << "  " << pad(label, 28, false) << pad(value, 12, true) << (note.empty() ? "" : "  " + note) << "\n";
    };
    auto overridden = [](const view::CheckBox& box) {
        return !box.visible() ? std::string() : box.checked() ? "over ridden" : "computed";
    };
    out << "\nFees:\n";
    row("Brokerage Fee ($)", f.txtFee[0].text(), overridden(f.chkDutyBrokerageFee));
    row("Duty ($)", f.txtFee[1].text(), overridden(f.chkDutyFee));
    row("Enhanced/Home Delivery ($)", f.txtFee[2].text(), overridden(f.chkAppEHD));
    row("Vendor Service Fee ($)", f.txtFee[3].text(), overridden(f.chkServiceFee));
    row("Freight ($)", f.txtFee[4].text(), overridden(f.chkAppFreight));
    row("Center Handling Fee ($)", f.txtFee[5].text(), overridden(f.chkCentrHandlingFee));
    // The recalculation leaves the surcharge box "0": shown as the amount it is.
    const auto surcharge = text::tryToNumber(f.txtFee[7].text(), control.locale());
    row("Sur Charge ($)", surcharge ? text::formatFixed(*surcharge, 2, control.locale()) : f.txtFee[7].text());
    out << "Taxes:\n";
    for (int i : {12, 13, 14, 15, 16}) {
        const int label = i == 16 ? 17 : i;
        row(f.lblField[label].caption(), f.txtFieldTax[i].text(), f.chkTaxes[i].checked() ? "over ridden" : "");
    }
    out << "Totals:\n";
    row("Total Sales Tax ($)", f.txtField[17].text());
    row("Merchandise Total ($)", f.txtField[18].text());
    row("Total Weight (lbs)", f.txtField[19].text());
    row("Total Deposit ($)", f.txtFee[6].text());
    row("Conversion rate", f.txtCurrConversionRate.text());
    row("Exempt rows", control.ExemptItems());
    out << "Delivery:\n";
    const view::ComboBox& options = f.cboFreightOptions[0];
    for (int i = 0; i < options.listCount(); ++i)
        row(options.itemText(i), std::to_string(options.itemData(i)), i == options.listIndex() ? "selected" : "");
    row("Freight rates", control.GetFreightInfo());
    if (!control.LastServiceFailure().empty()) row("Last service failure", control.LastServiceFailure());
    try {
        out << "\nGetSalesTaxesNFees:\n  " << control.GetSalesTaxesNFees() << "\n";
    } catch (const std::exception& e) {
        out << "\nGetSalesTaxesNFees refused: " << e.what() << "\n";
    }
    out << "\nButtons:\n";
    for (const view::CommandButton* b : {&f.cmdAdd, &f.cmdEdit, &f.cmdDelete, &f.cmdLineItemCan, &f.cmdUpdateTaxes}) {
        out << "  " << pad(b->name(), 16, false) << pad("\"" + b->caption() + "\"", 28, false)
            << (b->visible() ? "shown" : "hidden") << ", " << (b->enabled() ? "enabled" : "disabled") << "\n";
    }
    out << "\n" << f.lblVersionNumber.caption() << "\n";
    return out.str();
}

} // namespace zelt::demo
