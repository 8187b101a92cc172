#include "taxservices/TaxResultXml.h"

#include "core/ControlContext.h"
#include "services/SoapClient.h"
#include "taxes/TaxFields.h"

#include <array>

namespace zelt {

namespace {

constexpr std::string_view kCrLf = "\r\n";

/// Text of an enumerated value; empty outside its list.
std::string named(int value, std::initializer_list<const char*> names)
{
    if (value < 0 || value >= static_cast<int>(names.size())) return {};
    return *(names.begin() + value);
}

std::string amount(const text::Currency& c) { return c.toString(text::Locale::enUS()); }
std::string rateText(double r) { return text::formatGeneral(r, text::Locale::enUS()); }

std::string cdata(std::string_view value)
{
    std::string out(value);
    for (std::size_t at = out.find("]]>"); at != std::string::npos; at = out.find("]]>", at + 15))
        out.replace(at, 3, "]]]]><![CDATA[>");
    return out;
}

// Positions of the per-jurisdiction totals.
enum Total { Country = 0, State = 1, County = 2, City = 3, Special = 4 };

} // namespace

void TaxResultXml::BuildTaxPattern(const platform::AvaTaxResult& result)
{
    auto& pattern = ctx_.state.taxPattern;
    pattern.assign(1, udtTaxPattern{});
    for (std::size_t i = 0; i < result.lines.size(); ++i) {
        for (const platform::AvaTaxDetail& d : result.lines[i].details) {
            if (d.jurisType == 1) {
                pattern[i].StateFound = d.rate > 0;
                pattern[i].Exempted = !(d.rate > 0);
            } else if (d.jurisType == 2) {
                pattern[i].CountyFound = d.rate > 0;
                pattern[i].Exempted = !(d.rate > 0);
            }
        }
        pattern.emplace_back();
    }
}

std::string TaxResultXml::GetTaxResultToXML(const platform::AvaTaxResult& result)
{
    ControlState& st = ctx_.state;
    view::Form& f = ctx_.form;
    const bool canadian = TaxFields::isCanadianShipCountry(st.ShipCountry);
    if (canadian) BuildTaxPattern(result);
    for (view::TextBox* box : {&f.txtHiddenCityTaxRate, &f.txtHiddenCountryTaxRate, &f.txtHiddenCountyTaxRate,
                               &f.txtHiddenLocalTaxInfo, &f.txtHiddenStateTaxRate})
        box->setText("");
    view::TextBox* const hiddenRate[] = {&f.txtHiddenCountryTaxRate, &f.txtHiddenStateTaxRate,
                                         &f.txtHiddenCountyTaxRate, &f.txtHiddenCityTaxRate};

    std::string x;
    // Each line is appended piece by piece: no temporary strings per field.
    auto put = [&x](const auto&... pieces) {
        (x.append(std::string_view(pieces)), ...);
        x.append(kCrLf);
    };
    // About 600 bytes a line and 700 a detail: one allocation for the whole text.
    std::size_t details = 0;
    for (const platform::AvaTaxLine& line : result.lines) details += line.details.size();
    x.reserve(1024 + result.lines.size() * 640 + details * 720);
    put("<GetTaxResult>");
    put("<DocCode>", xmlEscaped(result.docCode), "</DocCode>");
    put("<DocDate>", xmlEscaped(result.docDate), "</DocDate>");
    put("<DocId>", xmlEscaped(result.docId), "</DocId>");
    put("<DocStatus>", named(result.docStatus, {"Any", "Temporary", "Saved", "Posted", "Committed", "Cancelled"}), "</DocStatus>");
    put("<DocType>", named(result.docType,
              {"SalesOrder", "SalesInvoice", "PurchaseOrder", "PurchaseInvoice", "ReturnOrder", "ReturnInvoice"}), "</DocType>");
    put("<Messages />");
    put(std::string("<Reconciled>"), (result.reconciled ? "True" : "False"), "</Reconciled>");
    put("<ResultCode>", named(result.resultCode, {"Success", "Warning", "Error", "Exception"}), "</ResultCode>");
    put("<TaxLines>");

    std::array<bool, 4> rateSet{};
    bool specialMet = false;
    double localRate = 0;
    std::string boundary;
    std::string taxType;
    const std::string indent(canadian ? 11 : 15, ' ');
    const std::string inner(21, ' ');
    for (std::size_t i = 0; i < result.lines.size(); ++i) {
        const platform::AvaTaxLine& line = result.lines[i];
        if (line.boundaryLevel >= 0 && line.boundaryLevel <= 2) boundary = named(line.boundaryLevel, {"Address", "Zip9", "Zip5"});
        put("<TaxLine>");
        put("     <BoundaryLevel>", boundary, "</BoundaryLevel>");
        put("     <Discount>", amount(line.discount), "</Discount>");
        put("     <Exemption>", amount(line.exemption), "</Exemption>");
        if (!line.no.empty()) put("  <No>", xmlEscaped(line.no), "</No>");
        put("     <Rate>", rateText(line.rate), "</Rate>");
        put("     <Tax>", amount(line.tax), "</Tax>");
        put(std::string("     <Taxability>"), (line.taxability ? "True" : "False"), "</Taxability>");
        put("     <Taxable>", amount(line.taxable), "</Taxable>");
        if (!line.taxCode.empty()) put("     <TaxCode>", xmlEscaped(line.taxCode), "</TaxCode>");
        put("         <TaxDetails>");
        bool firstSpecialOfLine = true;
        for (const platform::AvaTaxDetail& d : line.details) {
            if (d.taxType == 1 || d.taxType == 2) taxType = named(d.taxType, {"", "Sales", "Use"});
            std::string juris;
            int total = -1;
            if (!canadian) {
                if (d.jurisType < 0 || d.jurisType > 4) continue;
                juris = named(d.jurisType, {"Country", "State", "County", "City", "Special"});
                total = d.jurisType;
            } else {
                const udtTaxPattern& p = st.taxPattern[i];
                if (!p.StateFound && p.CountyFound) {
                    if (d.jurisType != 2) continue;
                    juris = "Country";
                    total = Country;
                } else if (d.jurisType == 1) {
                    juris = "Country";
                    total = Country;
                } else if (d.jurisType == 2) {
                    juris = "State";
                    total = State;
                } else {
                    continue;
                }
            }
            const double share = d.taxable.toDouble() * d.rate;
            if (total == Special) {
                specialMet = true;
                if (firstSpecialOfLine) st.jurisdictionTaxTotal[Special] += d.taxable.toDouble();
                firstSpecialOfLine = false;
                if (i == 0) {
                    localRate += d.rate;
                    f.txtHiddenLocalTaxInfo.setText(f.txtHiddenLocalTaxInfo.text() + "<TaxLocalDetail>\r\n     <TaxLocalJurisCode>\r\n" +
                                                    d.jurisCode + "\r\n     </TaxLocalJurisCode>\r\n     <TaxLocalRate>\r\n" +
                                                    rateText(d.rate) + "\r\n     </TaxLocalRate>\r\n</TaxLocalDetail>\r\n");
                    f.txtHiddenLocalTaxRate.setText(ctx_.general(localRate));
                }
            } else {
                st.jurisdictionTaxTotal[static_cast<std::size_t>(total)] += share;
                // Canadian details set the rate every time (the last wins); the others only once.
                if (canadian || !rateSet[static_cast<std::size_t>(total)]) {
                    hiddenRate[total]->setText(ctx_.general(d.rate));
                    rateSet[static_cast<std::size_t>(total)] = true;
                }
            }
            put(indent, "<TaxDetail>");
            put(inner, "<Base><![CDATA[", amount(d.base), "]]></Base>");
            put(inner, "<Exemption><![CDATA[", amount(d.exemption), "]]></Exemption>");
            put(inner, "<JurisCode><![CDATA[", cdata(d.jurisCode), "]]></JurisCode>");
            put(inner, "<JurisName><![CDATA[", cdata(d.jurisName), "]]></JurisName>");
            put(inner, "<JurisType><![CDATA[", juris, "]]></JurisType>");
            put(inner, "<NonTaxable><![CDATA[", amount(d.nonTaxable), "]]></NonTaxable>");
            put(inner, "<Rate><![CDATA[", rateText(d.rate), "]]></Rate>");
            put(inner, "<Tax><![CDATA[", amount(d.tax), "]]></Tax>");
            put(inner, "<Taxable><![CDATA[", amount(d.taxable), "]]></Taxable>");
            put(inner, "<TaxType>", taxType, "</TaxType>");
            put(indent, "</TaxDetail>");
        }
        put("         </TaxDetails>");
        put("</TaxLine>");
    }
    put("</TaxLines>");
    const std::pair<const char*, std::string> trailer[] = {
        {"Timestamp", result.timestamp},           {"TotalAmount", amount(result.totalAmount)},
        {"TotalExemption", amount(result.totalExemption)}, {"TotalTax", amount(result.totalTax)},
        {"TotalTaxable", amount(result.totalTaxable)}, {"TransactionId", result.transactionId}};
    for (const auto& [name, value] : trailer) {
        put(std::string("<"), name, "><![CDATA[");
        put(cdata(value));
        put(std::string("]]></"), name, ">");
    }
    put("</GetTaxResult>");
    if (!specialMet) f.txtHiddenLocalTaxInfo.setText("");
    return x;
}

} // namespace zelt
