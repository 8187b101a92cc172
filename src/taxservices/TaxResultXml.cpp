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

namespace {

/// One result written as the document, with the totals and hidden rates it
/// fills on the way.
class ResultDocument {
public:
    ResultDocument(ControlContext& ctx, const platform::AvaTaxResult& result, bool canadian)
        : ctx_(ctx), result_(result), canadian_(canadian), xml_(expectedSize(result)),
          indent_(std::string_view("               ").substr(0, canadian ? 11 : 15))
    {
    }

    std::string write()
    {
        header();
        for (std::size_t i = 0; i < result_.lines.size(); ++i) line(i);
        trailer();
        if (!specialMet_) ctx_.form.txtHiddenLocalTaxInfo.setText("");
        return xml_.b.take();
    }

private:
    // About 260 bytes a line and 700 a detail, most of it tags and blanks.
    static std::size_t expectedSize(const platform::AvaTaxResult& result)
    {
        std::size_t details = 0;
        for (const platform::AvaTaxLine& line : result.lines) details += line.details.size();
        return 1024 + result.lines.size() * 260 + details * 700;
    }

    void header()
    {
        xml_.put("<GetTaxResult>");
        xml_.escaped("<DocCode>", result_.docCode, "</DocCode>");
        xml_.escaped("<DocDate>", result_.docDate, "</DocDate>");
        xml_.escaped("<DocId>", result_.docId, "</DocId>");
        xml_.put("<DocStatus>",
                 named(result_.docStatus, {"Any", "Temporary", "Saved", "Posted", "Committed", "Cancelled"}),
                 "</DocStatus>");
        xml_.put("<DocType>",
                 named(result_.docType,
                       {"SalesOrder", "SalesInvoice", "PurchaseOrder", "PurchaseInvoice", "ReturnOrder", "ReturnInvoice"}),
                 "</DocType>");
        xml_.put("<Messages />");
        xml_.put("<Reconciled>", result_.reconciled ? "True" : "False", "</Reconciled>");
        xml_.put("<ResultCode>", named(result_.resultCode, {"Success", "Warning", "Error", "Exception"}), "</ResultCode>");
        xml_.put("<TaxLines>");
    }

    void line(std::size_t i)
    {
        const platform::AvaTaxLine& line = result_.lines[i];
        if (line.boundaryLevel >= 0 && line.boundaryLevel <= 2)
            boundary_ = named(line.boundaryLevel, {"Address", "Zip9", "Zip5"});
        xml_.b << "<TaxLine>\r\n     <BoundaryLevel>" << boundary_ << "</BoundaryLevel>\r\n     <Discount>";
        xml_.b.amount(line.discount) << "</Discount>\r\n     <Exemption>";
        xml_.b.amount(line.exemption) << "</Exemption>\r\n";
        if (!line.no.empty()) xml_.escaped("  <No>", line.no, "</No>");
        xml_.b << "     <Rate>";
        xml_.rate(line.rate);
        xml_.b << "</Rate>\r\n     <Tax>";
        xml_.b.amount(line.tax) << "</Tax>\r\n     <Taxability>" << (line.taxability ? "True" : "False")
                                << "</Taxability>\r\n     <Taxable>";
        xml_.b.amount(line.taxable) << "</Taxable>\r\n";
        if (!line.taxCode.empty()) xml_.escaped("     <TaxCode>", line.taxCode, "</TaxCode>");
        xml_.b << "         <TaxDetails>\r\n";
        firstSpecialOfLine_ = true;
        for (const platform::AvaTaxDetail& d : line.details) detail(i, d);
        xml_.put("         </TaxDetails>");
        xml_.put("</TaxLine>");
    }

    /// Which of the control's jurisdictions a detail counts for, and its name;
    /// -1 for a detail that is skipped. Canadian lines are remapped by their
    /// tax pattern.
    std::pair<int, std::string_view> jurisdictionOf(std::size_t i, const platform::AvaTaxDetail& d) const
    {
        if (!canadian_) {
            if (d.jurisType < 0 || d.jurisType > 4) return {-1, {}};
            return {d.jurisType, named(d.jurisType, {"Country", "State", "County", "City", "Special"})};
        }
        const udtTaxPattern& p = ctx_.state.taxPattern[i];
        if (!p.StateFound && p.CountyFound) return d.jurisType == 2 ? std::pair<int, std::string_view>{Country, "Country"}
                                                                    : std::pair<int, std::string_view>{-1, {}};
        if (d.jurisType == 1) return {Country, "Country"};
        if (d.jurisType == 2) return {State, "State"};
        return {-1, {}};
    }

    /// Adds the detail to its jurisdiction's total and rate.
    void count(std::size_t i, const platform::AvaTaxDetail& d, int total)
    {
        ControlState& st = ctx_.state;
        view::Form& f = ctx_.form;
        if (total != Special) {
            st.jurisdictionTaxTotal[static_cast<std::size_t>(total)] += d.taxable.toDouble() * d.rate;
            // Canadian details set the rate every time (the last wins); the others only once.
            if (canadian_ || !rateSet_[static_cast<std::size_t>(total)]) {
                view::TextBox* const hiddenRate[] = {&f.txtHiddenCountryTaxRate, &f.txtHiddenStateTaxRate,
                                                     &f.txtHiddenCountyTaxRate, &f.txtHiddenCityTaxRate};
                hiddenRate[total]->setText(ctx_.general(d.rate));
                rateSet_[static_cast<std::size_t>(total)] = true;
            }
            return;
        }
        specialMet_ = true;
        if (firstSpecialOfLine_) st.jurisdictionTaxTotal[Special] += d.taxable.toDouble();
        firstSpecialOfLine_ = false;
        if (i != 0) return;
        localRate_ += d.rate;
        f.txtHiddenLocalTaxInfo.setText(f.txtHiddenLocalTaxInfo.text() + "<TaxLocalDetail>\r\n     <TaxLocalJurisCode>\r\n" +
                                        d.jurisCode + "\r\n     </TaxLocalJurisCode>\r\n     <TaxLocalRate>\r\n" +
                                        rateText(d.rate) + "\r\n     </TaxLocalRate>\r\n</TaxLocalDetail>\r\n");
        f.txtHiddenLocalTaxRate.setText(ctx_.general(localRate_));
    }

    void detail(std::size_t i, const platform::AvaTaxDetail& d)
    {
        if (d.taxType == 1 || d.taxType == 2) taxType_ = named(d.taxType, {"", "Sales", "Use"});
        else if (!d.taxTypeName.empty()) taxType_ = d.taxTypeName;
        const auto [total, juris] = jurisdictionOf(i, d);
        if (total < 0) return;
        count(i, d, total);
        // The detail's fixed text in as few pieces as possible: its fields are
        // indented by 21 blanks.
        xml_.b << indent_ << "<TaxDetail>\r\n" "                     " "<Base><![CDATA[";
        xml_.b.amount(d.base) << "]]></Base>\r\n" "                     " "<Exemption><![CDATA[";
        xml_.b.amount(d.exemption) << "]]></Exemption>\r\n" "                     " "<JurisCode><![CDATA[";
        xml_.cdata(d.jurisCode);
        xml_.b << "]]></JurisCode>\r\n" "                     " "<JurisName><![CDATA[";
        xml_.cdata(d.jurisName);
        xml_.b << "]]></JurisName>\r\n" "                     " "<JurisType><![CDATA[" << juris
               << "]]></JurisType>\r\n" "                     " "<NonTaxable><![CDATA[";
        xml_.b.amount(d.nonTaxable) << "]]></NonTaxable>\r\n" "                     " "<Rate><![CDATA[";
        xml_.rate(d.rate);
        xml_.b << "]]></Rate>\r\n" "                     " "<Tax><![CDATA[";
        xml_.b.amount(d.tax) << "]]></Tax>\r\n" "                     " "<Taxable><![CDATA[";
        xml_.b.amount(d.taxable) << "]]></Taxable>\r\n" "                     " "<TaxType>";
        xml_.escapedText(taxType_);
        xml_.b << "</TaxType>\r\n" << indent_ << "</TaxDetail>\r\n";
    }

    void trailer()
    {
        xml_.put("</TaxLines>");
        const text::Locale& invariant = text::Locale::enUS();
        const std::pair<const char*, std::string> fields[] = {
            {"Timestamp", result_.timestamp},
            {"TotalAmount", result_.totalAmount.toString(invariant)},
            {"TotalExemption", result_.totalExemption.toString(invariant)},
            {"TotalTax", result_.totalTax.toString(invariant)},
            {"TotalTaxable", result_.totalTaxable.toString(invariant)},
            {"TransactionId", result_.transactionId}};
        for (const auto& [name, value] : fields) {
            xml_.put("<", name, "><![CDATA[");
            xml_.cdata(value);
            xml_.b << "\r\n";
            xml_.put("]]></", name, ">");
        }
        xml_.put("</GetTaxResult>");
    }

    ControlContext& ctx_;
    const platform::AvaTaxResult& result_;
    const bool canadian_;
    XmlText xml_;
    const std::string_view indent_;
    std::array<bool, 4> rateSet_{};
    bool specialMet_ = false;
    bool firstSpecialOfLine_ = true;
    double localRate_ = 0;
    std::string_view boundary_;
    std::string_view taxType_;
};

} // namespace

std::string TaxResultXml::GetTaxResultToXML(const platform::AvaTaxResult& result)
{
    view::Form& f = ctx_.form;
    const bool canadian = isCanadianShipCountry(ctx_.state.ShipCountry);
    if (canadian) BuildTaxPattern(result);
    for (view::TextBox* box : {&f.txtHiddenCityTaxRate, &f.txtHiddenCountryTaxRate, &f.txtHiddenCountyTaxRate,
                               &f.txtHiddenLocalTaxInfo, &f.txtHiddenStateTaxRate})
        box->setText("");
    return ResultDocument(ctx_, result, canadian).write();
}

} // namespace zelt
