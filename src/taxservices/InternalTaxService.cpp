#include "taxservices/InternalTaxService.h"

#include "text/TextRules.h"

#include "core/ControlContext.h"
#include "core/Field.h"
#include "core/LineColumns.h"
#include "services/SoapClient.h"
#include "core/Jurisdictions.h"
#include "totals/FeeIndex.h"
#include "totals/TotalDeposit.h"
#include "zelt/ServiceError.h"
#include "zelt/platform/HttpClient.h"
#include "zelt/text/RuntimeError.h"

#include <pugixml.hpp>

#include <array>
#include <optional>

namespace zelt {

namespace {

constexpr std::string_view kService = "RecalculateTaxes";

/// The element of each jurisdiction in the answer.
constexpr std::array<std::pair<int, const char*>, 5> kAmountElements = {{
    {TXT_COUNTRYTAX, "Country"},
    {TXT_STATETAX, "State"},
    {TXT_COUNTYTAX, "County"},
    {TXT_CITYTAX, "City"},
    {TXT_LOCALTAX, "Local"},
}};

} // namespace

std::string InternalTaxService::request(std::string_view orderID) const
{
    const view::Grid& grid = ctx_.grid();
    const view::Form& f = ctx_.form;
    std::string lines;
    for (int r = grid.fixedRows(); r < grid.rows(); ++r) {
        const std::string_view model = grid.text(r, Col::ModelNo);
        lines += "<string>" + xmlEscaped(model.empty() ? std::string_view("NotAssigned") : model) + "|False|" +
                 xmlEscaped(grid.text(r, Col::ExtPrice)) + "|" +
                 (grid.text(r, Col::Exempt) == kExemptMark ? "True" : "False") + "</string>\r\n";
    }
    std::string fees;
    const std::pair<const char*, int> feeItems[] = {{"BrokerageFee", Fee::Brokerage},
                                                    {"DutyFee", Fee::Duty},
                                                    {"Freight", Fee::Freight},
                                                    {"HandlingFee", Fee::CenterHandling},
                                                    {"VendorFee", Fee::VendorService}};
    for (auto [name, index] : feeItems) fees += std::string("<string>") + name + "|" + xmlEscaped(f.txtFee[index].text()) + "</string>";
    const bool canadian = isCanadianShipCountry(ctx_.state.ShipCountry);

    std::string out(kRequestStart);
    out += "  <soap:Body>";
    out += "      <RecalculateTaxes xmlns=\"" + std::string(kNamespace) + "\">";
    out += "          <orderId>" + xmlEscaped(orderID) + "</orderId>";
    out += "             <lineItems>" + lines + "             </lineItems>";
    out += "             <feesItems>" + fees + "             </feesItems>";
    out += std::string("          <canadianOrder>") + (canadian ? "Yes" : "No") + "</canadianOrder>";
    out += "      </RecalculateTaxes>";
    out += "  </soap:Body>";
    out += "</soap:Envelope>";
    return out;
}

void InternalTaxService::CalculateTaxesFromVardonInternalService(std::string_view orderID,
                                                                 text::Currency totalMerchCostTax)
{
    ControlState& st = ctx_.state;
    if (st.InternalTaxServiceURL.empty()) return;
    const std::string url = st.InternalTaxServiceURL;
    auto fail = [&](const std::string& reason) {
        soap_.recordFailure(kService, url, reason);
        throw ServiceError(std::string(kService), withoutCredentials(url) + ": " + reason);
    };

    platform::HttpRequest request;
    request.url = url;
    request.body = this->request(orderID);
    request.headers = {{"Host", "localhost"},
                       {"Content-Type", "text/xml"},
                       {"Content-Length", std::to_string(request.body.size())},
                       {"SOAPAction", std::string(kNamespace) + "RecalculateTaxes"}};
    request.connectTimeout = st.serviceConnectTimeout;
    request.totalTimeout = st.serviceTotalTimeout;
    request.maxAnswerBytes = st.serviceMaxAnswerBytes;
    const platform::HttpResult result = soap_.post(kService, request);
    if (!result.ok()) {
        // No request could be made at all: the clerk is told where to get
        // what is missing, as the host configured it; the host still gets why.
        if (!result.started)
            ctx_.message(st.XMLComponentDownloadMessage + "\r\n\r\n" + st.XMLComponentDownloadURL, "",
                         view::MessageBoxButtons::Ok, view::MessageBoxIcon::Information);
        fail(result.failure);
    }
    const platform::HttpResponse& response = *result.response;

    // The whole answer is read before any field changes.
    std::string answer = response.body;
    text::replaceAll(answer, "&lt;", "<");
    text::replaceAll(answer, "&gt;", ">");
    pugi::xml_document doc;
    const bool parsed = static_cast<bool>(doc.load_buffer(answer.data(), answer.size()));
    if (pugi::xpath_node fault = doc.select_node("//*[local-name()='Fault']"))
        fail("the service answered a fault: " + std::string(fault.node().child_value("faultstring")));
    if (response.status < 200 || response.status > 299) fail("the service answered HTTP " + std::to_string(response.status));
    if (!parsed) fail("the answer is not XML");
    std::array<std::string, 5> texts;
    for (std::size_t i = 0; i < kAmountElements.size(); ++i) {
        const auto [index, element] = kAmountElements[i];
        const Jurisdiction& j = jurisdiction(index);
        if (ctx_.form.chkTaxes[index].checked()) {
            texts[i] = ctx_.numberForm(st.jurisdictionOverrideAmount[static_cast<std::size_t>(j.k)], 2);
            continue;
        }
        pugi::xml_node node = doc.select_node((std::string("//") + element).c_str()).node();
        if (!node) fail(std::string("the answer has no ") + element + " amount");
        const auto amount = text::tryToNumberOrInvariant(node.text().get(), ctx_.locale);
        if (!amount) fail(std::string("the ") + element + " amount \"" + node.text().get() + "\" is not a number");
        texts[i] = ctx_.numberForm(*amount, 2);
    }

    // The totals are worked out before any box changes: taxes too large to
    // total are a refused answer, not a half-written one.
    text::Currency taxes;
    std::string salesTax;
    try {
        for (const std::string& t : texts) taxes += text::Currency::fromText(t, ctx_.locale);
        salesTax = ctx_.fixed(taxes.toDouble(), 2);
        (void)ctx_.number(TotalDeposit::with(ctx_, salesTax));
    } catch (const Error& e) {
        fail(std::string("the taxes it answers cannot be totalled: ") + e.what());
    }

    view::Form& f = ctx_.form;
    for (int index : kAmountPathOrder)
        for (std::size_t i = 0; i < kAmountElements.size(); ++i)
            if (kAmountElements[i].first == index) f.txtFieldTax[index].setText(texts[i]);
    f.txtField[Field::TotalSalesTax].setText(salesTax);
    f.txtHiddenItemTotal.setText(totalMerchCostTax.toString(ctx_.locale));
    f.txtFee[Fee::TotalDeposit].setText(TotalDeposit::of(ctx_));
    double total = ctx_.number(f.txtFee[Fee::TotalDeposit].text());
    st.taxesCurrentAt = f.clerkRevision();
    if (ctx_.events) ctx_.events->GetTotalAmount(total);
}

} // namespace zelt
