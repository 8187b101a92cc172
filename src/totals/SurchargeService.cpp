#include "totals/SurchargeService.h"

#include "core/ControlContext.h"
#include "services/SoapClient.h"
#include "totals/FeeIndex.h"
#include "zelt/text/RuntimeError.h"

#include <pugixml.hpp>

namespace zelt {

namespace {

constexpr std::string_view kServicePath = "WebServices/SurchargeInformation/Service.asmx";

void removeAll(std::string& text, std::string_view piece)
{
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at)) text.erase(at, piece.size());
}

} // namespace

void SurchargeService::PutServerName(std::string_view serverName)
{
    ControlState& st = ctx_.state;
    st.surchargeServerName = serverName;
    st.surchargeServiceAddress = std::string(serverName) + std::string(kServicePath);
    st.surchargeSoapAction = std::string(kNamespace) + "GetSurCharges";
}

std::string SurchargeService::envelope(std::int16_t carrierID, std::string_view effectiveDate)
{
    std::string out(kRequestStart);
    out += "  <soap:Body>";
    out += "    <GetSurCharges xmlns=\"" + std::string(kNamespace) + "\">";
    out += "      <EffectiveDate>" + xmlEscaped(effectiveDate) + "</EffectiveDate>";
    out += "      <CarrierID>" + std::to_string(carrierID) + "</CarrierID>";
    out += "    </GetSurCharges>";
    out += "  </soap:Body>";
    out += "</soap:Envelope>";
    return out;
}

std::string SurchargeService::withoutResponseTags(std::string_view answer)
{
    std::string text(answer);
    if (text.empty()) return text;
    for (std::string_view tag : {std::string_view("<GetSurChargesResponse xmlns=\"http://tempuri.org/SurchargeInformation/\">"),
                                 std::string_view("<GetSurChargesResult>"), std::string_view("</GetSurChargesResult>"),
                                 std::string_view("</GetSurChargesResponse>")})
        removeAll(text, tag);
    return text;
}

double SurchargeService::percentage(std::string_view dataDocument) const
{
    pugi::xml_document doc;
    if (!doc.load_buffer(dataDocument.data(), dataDocument.size())) return 0;
    double percent = 0;
    for (pugi::xml_node root : doc.children("Root"))
        for (pugi::xml_node dataSet : root.children("DataSet"))
            for (pugi::xml_node diffgram : dataSet.children("diffgr:diffgram"))
                for (pugi::xml_node newDataSet : diffgram.children("NewDataSet"))
                    for (pugi::xml_node table : newDataSet.children("Table"))
                        for (pugi::xml_node field : table.children()) {
                            const std::string_view name = field.name();
                            // A DataSet writes its numbers invariantly ("0.05"), whatever
                            // the clerk's locale: read them so, or fr-CA never gets a surcharge.
                            const auto invariant = [&] { return text::toNumber(field.text().get(), text::Locale::enUS()); };
                            if (name == "Total_CarrierSurchargeAmount") invariant();
                            else if (name == "Total_CarrierSurchargePercentage") percent = invariant();
                        }
    return percent;
}

void SurchargeService::GetSurCharges(std::int16_t carrierID, std::string_view effectiveDate)
{
    const ControlState& st = ctx_.state;
    view::Form& f = ctx_.form;
    if (!st.UsesZeltD) return;
    if (f.chkAppFreight.checked() || st.mode == Mode::ViewMode) return;
    // A failed exchange (recorded, with its reason) is not an answer of no
    // surcharge: the surcharge and the freight stay as they were.
    const std::optional<std::string> answer = soap_.call(st.surchargeServiceAddress, st.surchargeServerName,
                                                         st.surchargeSoapAction, envelope(carrierID, effectiveDate),
                                                         false, true);
    if (!answer) return;
    try {
        const double percent = percentage(withoutResponseTags(*answer));
        view::TextBox& surcharge = f.txtFee[Fee::Surcharge];
        view::TextBox& freight = f.txtFee[Fee::Freight];
        // Both amounts are worked out before either box changes: a percentage
        // that cannot be applied leaves them as they were.
        const double base = ctx_.number(freight.text());
        const std::string surchargeText = ctx_.fixed(text::checked(base * percent), 2);
        const std::string freightText = ctx_.fixed(text::checked(base + ctx_.number(surchargeText)), 2);
        surcharge.setText("0");
        surcharge.setText(surchargeText);
        freight.setText(freightText);
    } catch (const text::RuntimeError& e) {
        // Ends where it failed, as described; the host can still see why.
        soap_.recordFailure("GetSurCharges", st.surchargeServiceAddress, e.description());
    }
}

} // namespace zelt
