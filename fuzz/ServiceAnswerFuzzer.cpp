// libFuzzer target for the text the web services and the catalogue system
// send: the freight rules page, a SOAP answer and its cleaning, the surcharge
// DiffGram, the internal tax answer, URLDecode, the freight rates, an AvaTax
// answer (mapped and written as TaxDataXML by the tax command) and a freight
// rules file. The
// first byte picks the reader; the rest is the text. Every reader must end
// with a result or a zelt::Error, never a crash, a hang or a leak; where the
// answer reaches the order it is held to its guarantee: an answer that cannot
// be used leaves the order byte for byte as it was, one that is used leaves
// it consistent (the freight is the base freight plus the surcharge).
#include "platform/AvaTaxJson.h"
#include "services/SoapClient.h"

#include "ControlSnapshot.h"
#include "Tolerate.h"

#include <zelt/OrderedItems.h>
#include <zelt/StandIns.h>
#include <zelt/platform/RuleTableFreightCalculator.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void broken(const char* what, const std::string& answer)
{
    std::fprintf(stderr, "guarantee broken: %s\nanswer: %s\n", what, answer.c_str());
    std::abort();
}

/// A failed exchange or refused answer: recorded, and the order untouched.
void expectHeld(zelt::OrderedItems& control, const std::string& before, const std::string& answer)
{
    if (control.LastServiceFailure().empty()) broken("a refused answer is not recorded", answer);
    if (controlSnapshot(control) != before) broken("a refused answer changed the order", answer);
}

/// Answers every request with the fuzzer's text, as a service would.
/// AvaTax answering the fuzzer's text, mapped as the REST client maps it.
class FuzzedAvaTax : public zelt::platform::AvaTaxService {
public:
    explicit FuzzedAvaTax(std::string answer) : answer_(std::move(answer)) {}
    void setProfileClient(const std::string&) override {}
    void setUrl(const std::string&) override {}
    void setAccount(const std::string&) override {}
    void setLicenseKey(const std::string&) override {}
    int ping(std::string_view) override { return 0; }
    zelt::platform::AvaTaxResult getTax(const zelt::platform::AvaTaxRequest&) override
    {
        return zelt::avaTaxResultFromJson(answer_);
    }

private:
    std::string answer_;
};

class FuzzedService : public zelt::platform::HttpClient {
public:
    std::string body;
    long status = 200;
    zelt::platform::HttpResult post(const zelt::platform::HttpRequest&) override
    {
        return {zelt::platform::HttpResponse{status, body}, {}};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const unsigned target = data[0] % 8;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    auto service = std::make_shared<FuzzedService>();
    service->body = text;
    service->status = (data[0] & 0x80) ? 500 : 200;
    zelt::Services services;
    services.http = service;
    services.eventLog = std::make_shared<zelt::platform::MemoryEventLog>();
    services.messageBoxes = std::make_shared<zelt::view::ScriptedMessageBoxes>();
    services.avaTax = [text] { return std::make_shared<FuzzedAvaTax>(text); };
    zelt::OrderedItems control(services);
    control.setViewMode(zelt::Mode::UpdateMode);
    control.form().txtFee[4].setText("200.00");

    switch (target) {
    case 0: control.SetFreightOptionsFromMorrow(text); break;
    case 1: (void)zelt::SoapClient::cleanedAnswer(text); break;
    case 2: {
        control.setUsesZeltD(true);
        control.PutServerName("http://127.0.0.1/");
        const std::string before = controlSnapshot(control);
        control.GetSurCharges(2, "2024-05-01");
        if (!control.LastServiceFailure().empty()) {
            expectHeld(control, before, text);
            break;
        }
        // Used: the freight is the base freight plus the surcharge, both as shown.
        const auto amount = [&](int i) { return std::strtod(control.form().txtFee[i].text().c_str(), nullptr); };
        const double freight = amount(4), surcharge = amount(7);
        if (std::abs(freight - (200.0 + surcharge)) > 0.0051) broken("the freight is not the base plus the surcharge", text);
        break;
    }
    case 3: {
        control.setInternalTaxServiceURL("http://127.0.0.1/TaxService.asmx");
        control.setShipCountry("Canada");
        const std::string before = controlSnapshot(control);
        try {
            control.CalculateTaxesFromVardonInternalService("PO-1");
        } catch (const zelt::Error&) {
            expectHeld(control, before, text);
        }
        break;
    }
    case 4: tolerate([&] { (void)control.URLDecode(text); }); break;
    case 5: {
        auto at = text.find('\n');
        tolerate([&] {
            control.LetFreightInfo(text.substr(0, at), at == std::string::npos ? std::string() : text.substr(at + 1));
        });
        (void)control.GetFreightInfo();
        break;
    }
    case 6:
        control.setZeltEvent("PurchaseOrder");
        control.setCustomerOrderedDate("2024-05-01");
        control.setReadData("9$F$1$F$1$F$1$F$0$F$$F$2$F$EA$F$M-1$F$$F$$F$$F$Desk$F$1.5$F$2024-01-05$F$10$F$1$F$$F$0$F$$F$0$F$$R$");
        control.form().cboFreightOptions[0].addItem("Home Delivery", 7);
        control.form().cboFreightOptions[0].setListIndex(0);
        tolerate([&] { control.UpdateTaxes(); });
        break;
    case 7: tolerate([&] { (void)zelt::platform::RuleTableFreightCalculator::fromJson(text); }); break;
    }
    return 0;
}
