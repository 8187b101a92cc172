// One SOAP exchange with the loopback surcharge stand-in, beside the same POST
// sent by the curl command line; and the internal tax request of a
// 10,000-line order built, sent, answered and read.
#include "GeneratedOrder.h"
#include "InternalTaxStandIn.h"
#include "SurchargeStandIn.h"

#include <zelt/OrderedItems.h>
#include <zelt/StandIns.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const std::string kEnvelope =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
    "<soap:Body><GetSurCharges xmlns=\"http://tempuri.org/SurchargeInformation/\"><EffectiveDate>2024-05-01</EffectiveDate>"
    "<CarrierID>12</CarrierID></GetSurCharges></soap:Body></soap:Envelope>";

zelt::Services quietServices()
{
    zelt::Services services;
    services.eventLog = std::make_shared<zelt::platform::MemoryEventLog>();
    return services;
}

void BM_SoapExchange(benchmark::State& state)
{
    zelt::standins::SurchargeStandIn service({{12, 0.125}});
    zelt::OrderedItems control(quietServices());
    const std::string url = service.serverName() + "WebServices/SurchargeInformation/Service.asmx";
    for (auto _ : state) {
        std::string answer = control.ReturnWebserviceXML(url, "127.0.0.1", "http://tempuri.org/SurchargeInformation/GetSurCharges",
                                                         kEnvelope);
        if (answer.empty()) state.SkipWithError("no answer");
        benchmark::DoNotOptimize(answer.data());
    }
}

/// The baseline: the same POST by the curl program, one process per exchange.
void BM_CurlCommandLine(benchmark::State& state)
{
    zelt::standins::SurchargeStandIn service({{12, 0.125}});
    const std::string body = "/tmp/zelt-bench-envelope.xml";
    std::ofstream(body) << kEnvelope;
    const std::string command = "curl -s -o /dev/null -X POST -H 'Content-Type: text/xml; charset=utf-8' "
                                "-H 'SOAPAction: http://tempuri.org/SurchargeInformation/GetSurCharges' --data-binary @" +
                                body + " " + service.serverName() + "WebServices/SurchargeInformation/Service.asmx";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("curl failed");
    std::remove(body.c_str());
}

void BM_InternalTax10k(benchmark::State& state)
{
    zelt::standins::InternalTaxStandIn service;
    zelt::OrderedItems control(quietServices());
    control.GetComboContent(zelt::bench::generatedLookups());
    control.setViewMode(zelt::Mode::UpdateMode);
    control.setReadData(zelt::bench::generatedLines(10000));
    control.setInternalTaxServiceURL(service.url());
    for (auto _ : state) {
        control.CalculateTaxesFromVardonInternalService("PO-1");
        benchmark::DoNotOptimize(control.form().txtField[17].text().size());
    }
}

} // namespace

BENCHMARK(BM_SoapExchange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurlCommandLine)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_InternalTax10k)->Unit(benchmark::kMillisecond);
