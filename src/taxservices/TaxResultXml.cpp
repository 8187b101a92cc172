#include "taxservices/TaxResultXml.h"

#include "core/ControlContext.h"
#include "core/Jurisdictions.h"
#include "services/SoapClient.h"

#include "text/TextBuilder.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace zelt {

namespace {


/// Text of an enumerated value; empty outside its list.
std::string_view named(int value, std::initializer_list<const char*> names)
{
    if (value < 0 || value >= static_cast<int>(names.size())) return {};
    return *(names.begin() + value);
}

/// The result document, written into one string: amounts, rates and
/// escaped texts go in place, with no temporary per field.
class XmlText {
public:
    explicit XmlText(std::size_t expectedSize) : b(expectedSize) {}
    text::TextBuilder b;

    /// Pieces of one line, then CR LF.
    template <typename... Pieces>
    void put(const Pieces&... pieces)
    {
        (b << ... << pieces) << "\r\n";
    }
    /// A rate in the general form. An order has a handful of distinct rates
    /// repeated on every line, so the last few are kept formatted.
    void rate(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        FormattedRate& slot = rates_[(bits ^ (bits >> 29)) % rates_.size()];
        if (!slot.used || slot.bits != bits) {
            slot.length = static_cast<std::size_t>(text::generalToChars(slot.text, value) - slot.text);
            slot.bits = bits;
            slot.used = true;
        }
        b << std::string_view(slot.text, slot.length);
    }
    /// XML text: & < > " ' as entities.
    void escapedText(std::string_view value)
    {
        std::size_t run = 0;
        for (std::size_t i = 0; i < value.size(); ++i) {
            std::string_view entity;
            switch (value[i]) {
            case '&': entity = "&amp;"; break;
            case '<': entity = "&lt;"; break;
            case '>': entity = "&gt;"; break;
            case '"': entity = "&quot;"; break;
            case '\'': entity = "&apos;"; break;
            default: continue;
            }
            b << value.substr(run, i - run) << entity;
            run = i + 1;
        }
        b << value.substr(run);
    }
    /// An escaped text between its tags, then CR LF.
    template <std::size_t Open, std::size_t Close>
    void escaped(const char (&open)[Open], std::string_view value, const char (&close)[Close])
    {
        b << open;
        escapedText(value);
        b << close << "\r\n";
    }
    /// CDATA content; a "]]>" inside is split across two sections so the
    /// document stays well-formed.
    void cdata(std::string_view value)
    {
        if (value.find(']') != std::string_view::npos) {
            for (std::size_t at = value.find("]]>"); at != std::string_view::npos; at = value.find("]]>")) {
                b << value.substr(0, at) << "]]]]><![CDATA[>";
                value.remove_prefix(at + 3);
            }
        }
        b << value;
    }

private:
    struct FormattedRate {
        bool used = false;
        std::uint64_t bits = 0;
        char text[text::kMaxGeneralChars];
        std::size_t length = 0;
    };
    std::array<FormattedRate, 16> rates_{};
};

std::string rateText(double r) { return text::formatGeneral(r, text::Locale::enUS()); }

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
    const bool canadian = isCanadianShipCountry(st.ShipCountry);
    if (canadian) BuildTaxPattern(result);
    for (view::TextBox* box : {&f.txtHiddenCityTaxRate, &f.txtHiddenCountryTaxRate, &f.txtHiddenCountyTaxRate,
                               &f.txtHiddenLocalTaxInfo, &f.txtHiddenStateTaxRate})
        box->setText("");
    view::TextBox* const hiddenRate[] = {&f.txtHiddenCountryTaxRate, &f.txtHiddenStateTaxRate,
                                         &f.txtHiddenCountyTaxRate, &f.txtHiddenCityTaxRate};

    // About 260 bytes a line and 700 a detail, most of it tags and blanks.
    std::size_t details = 0;
    for (const platform::AvaTaxLine& line : result.lines) details += line.details.size();
    XmlText xml(1024 + result.lines.size() * 260 + details * 700);
    xml.put("<GetTaxResult>");
    xml.escaped("<DocCode>", result.docCode, "</DocCode>");
    xml.escaped("<DocDate>", result.docDate, "</DocDate>");
    xml.escaped("<DocId>", result.docId, "</DocId>");
    xml.put("<DocStatus>", named(result.docStatus, {"Any", "Temporary", "Saved", "Posted", "Committed", "Cancelled"}),
            "</DocStatus>");
    xml.put("<DocType>",
            named(result.docType,
                  {"SalesOrder", "SalesInvoice", "PurchaseOrder", "PurchaseInvoice", "ReturnOrder", "ReturnInvoice"}),
            "</DocType>");
    xml.put("<Messages />");
    xml.put("<Reconciled>", result.reconciled ? "True" : "False", "</Reconciled>");
    xml.put("<ResultCode>", named(result.resultCode, {"Success", "Warning", "Error", "Exception"}), "</ResultCode>");
    xml.put("<TaxLines>");

    std::array<bool, 4> rateSet{};
    bool specialMet = false;
    double localRate = 0;
    std::string_view boundary;
    std::string_view taxType;
    constexpr std::string_view blanks = "               ";
    const std::string_view indent = blanks.substr(0, canadian ? 11 : 15);
    for (std::size_t i = 0; i < result.lines.size(); ++i) {
        const platform::AvaTaxLine& line = result.lines[i];
        if (line.boundaryLevel >= 0 && line.boundaryLevel <= 2) boundary = named(line.boundaryLevel, {"Address", "Zip9", "Zip5"});
        xml.b << "<TaxLine>\r\n     <BoundaryLevel>" << boundary << "</BoundaryLevel>\r\n     <Discount>";
        xml.b.amount(line.discount) << "</Discount>\r\n     <Exemption>";
        xml.b.amount(line.exemption) << "</Exemption>\r\n";
        if (!line.no.empty()) xml.escaped("  <No>", line.no, "</No>");
        xml.b << "     <Rate>";
        xml.rate(line.rate);
        xml.b << "</Rate>\r\n     <Tax>";
        xml.b.amount(line.tax) << "</Tax>\r\n     <Taxability>" << (line.taxability ? "True" : "False")
                               << "</Taxability>\r\n     <Taxable>";
        xml.b.amount(line.taxable) << "</Taxable>\r\n";
        if (!line.taxCode.empty()) xml.escaped("     <TaxCode>", line.taxCode, "</TaxCode>");
        xml.b << "         <TaxDetails>\r\n";
        bool firstSpecialOfLine = true;
        for (const platform::AvaTaxDetail& d : line.details) {
            if (d.taxType == 1 || d.taxType == 2) taxType = named(d.taxType, {"", "Sales", "Use"});
            else if (!d.taxTypeName.empty()) taxType = d.taxTypeName;
            std::string_view juris;
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
            // The detail's fixed text in as few pieces as possible: its
            // fields are indented by 21 blanks.
            xml.b << indent << "<TaxDetail>\r\n" "                     " "<Base><![CDATA[";
            xml.b.amount(d.base) << "]]></Base>\r\n" "                     " "<Exemption><![CDATA[";
            xml.b.amount(d.exemption) << "]]></Exemption>\r\n" "                     " "<JurisCode><![CDATA[";
            xml.cdata(d.jurisCode);
            xml.b << "]]></JurisCode>\r\n" "                     " "<JurisName><![CDATA[";
            xml.cdata(d.jurisName);
            xml.b << "]]></JurisName>\r\n" "                     " "<JurisType><![CDATA[" << juris
                  << "]]></JurisType>\r\n" "                     " "<NonTaxable><![CDATA[";
            xml.b.amount(d.nonTaxable) << "]]></NonTaxable>\r\n" "                     " "<Rate><![CDATA[";
            xml.rate(d.rate);
            xml.b << "]]></Rate>\r\n" "                     " "<Tax><![CDATA[";
            xml.b.amount(d.tax) << "]]></Tax>\r\n" "                     " "<Taxable><![CDATA[";
            xml.b.amount(d.taxable) << "]]></Taxable>\r\n" "                     " "<TaxType>";
            xml.escapedText(taxType);
            xml.b << "</TaxType>\r\n" << indent << "</TaxDetail>\r\n";
        }
        xml.put("         </TaxDetails>");
        xml.put("</TaxLine>");
    }
    xml.put("</TaxLines>");
    const std::pair<const char*, std::string> trailer[] = {
        {"Timestamp", result.timestamp},           {"TotalAmount", result.totalAmount.toString(text::Locale::enUS())},
        {"TotalExemption", result.totalExemption.toString(text::Locale::enUS())},
        {"TotalTax", result.totalTax.toString(text::Locale::enUS())},
        {"TotalTaxable", result.totalTaxable.toString(text::Locale::enUS())}, {"TransactionId", result.transactionId}};
    for (const auto& [name, value] : trailer) {
        xml.put("<", name, "><![CDATA[");
        xml.cdata(value);
        xml.b << "\r\n";
        xml.put("]]></", name, ">");
    }
    xml.put("</GetTaxResult>");
    if (!specialMet) f.txtHiddenLocalTaxInfo.setText("");
    return xml.b.take();
}

} // namespace zelt
