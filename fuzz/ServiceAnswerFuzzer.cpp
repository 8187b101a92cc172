// libFuzzer target for the text the web services and the catalogue system
// send: the freight rules page, a SOAP answer and its cleaning, the surcharge
// DiffGram, the internal tax answer, URLDecode and the freight rates. The
// first byte picks the reader; the rest is the text. Every reader must end
// with a result or a zelt::Error, never a crash, a hang or a leak.
#include "services/SoapClient.h"

#include "Tolerate.h"

#include <zelt/OrderedItems.h>
#include <zelt/StandIns.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

/// Answers every request with the fuzzer's text, as a service would.
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
    const unsigned target = data[0] % 6;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    auto service = std::make_shared<FuzzedService>();
    service->body = text;
    service->status = (data[0] & 0x80) ? 500 : 200;
    zelt::Services services;
    services.http = service;
    services.eventLog = std::make_shared<zelt::platform::MemoryEventLog>();
    services.messageBoxes = std::make_shared<zelt::view::ScriptedMessageBoxes>();
    zelt::OrderedItems control(services);
    control.setViewMode(zelt::Mode::UpdateMode);
    control.form().txtFee[4].setText("200.00");

    switch (target) {
    case 0: control.SetFreightOptionsFromMorrow(text); break;
    case 1: (void)zelt::SoapClient::cleanedAnswer(text); break;
    case 2:
        control.setUsesZeltD(true);
        control.PutServerName("http://127.0.0.1/");
        control.GetSurCharges(2, "2024-05-01");
        break;
    case 3:
        control.setInternalTaxServiceURL("http://127.0.0.1/TaxService.asmx");
        tolerate([&] { control.CalculateTaxesFromVardonInternalService("PO-1"); });
        break;
    case 4: tolerate([&] { (void)control.URLDecode(text); }); break;
    case 5: {
        auto at = text.find('\n');
        tolerate([&] {
            control.LetFreightInfo(text.substr(0, at), at == std::string::npos ? std::string() : text.substr(at + 1));
        });
        (void)control.GetFreightInfo();
        break;
    }
    }
    return 0;
}
