// The tax command on a 10,000-line order against the loopback AvaTax
// stand-in, beside the AvaTax exchange alone for the same order (request
// written as JSON, posted, answered and mapped): the difference is the
// control's own share, building the request and reading the result into
// TaxDataXML and the tax fields.
#include "AvaTaxStandIn.h"
#include "GeneratedOrder.h"
#include "control/ControlAccess.h"
#include "core/ControlContext.h"
#include "taxes/TaxCommand.h"
#include "taxes/TaxFields.h"
#include "taxservices/TaxResultXml.h"
#include "totals/TotalsRecalculation.h"

#include <zelt/OrderedItems.h>
#include <zelt/StandIns.h>
#include <zelt/platform/AvaTaxRestService.h>
#include <zelt/platform/CurlHttpClient.h>
#include <zelt/platform/RuleTableFreightCalculator.h>

#include <benchmark/benchmark.h>

namespace {

constexpr const char* kAccount = "1100000000";
constexpr const char* kKey = "BENCH0LICENCE0KEY";

zelt::Services benchServices()
{
    zelt::Services services;
    services.eventLog = std::make_shared<zelt::platform::MemoryEventLog>();
    services.freight = std::make_shared<zelt::platform::RuleTableFreightCalculator>(
        zelt::platform::RuleTableFreightCalculator::fromJson(
            R"({"methods": [{"vendorFreightMethodID": 7, "brackets": [{"ratePerPound": 0.3}]}]})"));
    return services;
}

zelt::platform::AvaTaxRestService clientOf(const zelt::standins::AvaTaxStandIn& service)
{
    zelt::platform::AvaTaxRestService client(std::make_shared<zelt::platform::CurlHttpClient>());
    client.setUrl(service.url());
    client.setAccount(kAccount);
    client.setLicenseKey(kKey);
    return client;
}

/// A 10,000-line request as the command sends it for the generated order.
zelt::platform::AvaTaxRequest request10k()
{
    zelt::platform::AvaTaxRequest request;
    request.docDate = "2024-05-01";
    request.destination = {"5 Broadway", "", "", "New York", "NY", "10004", "US"};
    for (int i = 1; i <= 10000; ++i)
        request.lines.push_back({"Merch" + std::to_string(i), "M-" + std::to_string(i), 2,
                                 zelt::text::Currency::fromUnits(125000 + i), ""});
    return request;
}

/// The generated 10,000-line order, ready for the tax command.
void loadOrder(zelt::OrderedItems& control)
{
    control.GetComboContent(zelt::bench::generatedLookups());
    control.setViewMode(zelt::Mode::UpdateMode);
    control.setZeltEvent("PurchaseOrder");
    control.setCustomerOrderedDate("2024-05-01");
    control.setCenterID("12");
    control.setShipState("NY");
    control.setReadData(zelt::bench::generatedLines(10000));
    control.form().cboFreightOptions[0].addItem("Home Delivery", 7);
    control.form().cboFreightOptions[0].setListIndex(0);
}

void BM_TaxCommand10k(benchmark::State& state)
{
    zelt::standins::AvaTaxStandIn service(kAccount, kKey);
    zelt::OrderedItems control(benchServices());
    loadOrder(control);
    control.setUrl(service.url());
    control.setAccount(kAccount);
    control.setLicenseKey(kKey);
    for (auto _ : state) {
        control.UpdateTaxes();
        if (control.TaxDataXML().empty()) state.SkipWithError("no tax result");
        benchmark::DoNotOptimize(control.form().txtField[17].text().size());
    }
}

/// AvaTax answering at once with one canned result: what is left of the
/// command is the control's own work, building the request and reading the
/// result.
struct CannedAvaTax : zelt::platform::AvaTaxService {
    zelt::platform::AvaTaxResult result;
    void setProfileClient(const std::string&) override {}
    void setUrl(const std::string&) override {}
    void setAccount(const std::string&) override {}
    void setLicenseKey(const std::string&) override {}
    int ping(std::string_view) override { return 0; }
    zelt::platform::AvaTaxResult getTax(const zelt::platform::AvaTaxRequest& request) override
    {
        benchmark::DoNotOptimize(request.lines.size());
        return result;
    }
};

void BM_TaxCommand10kOwnShare(benchmark::State& state)
{
    zelt::standins::AvaTaxStandIn service(kAccount, kKey);
    auto canned = std::make_shared<CannedAvaTax>();
    {
        // The canned result is the stand-in's own answer to the order.
        canned->result = clientOf(service).getTax(request10k());
    }
    zelt::Services services = benchServices();
    services.avaTax = [canned] { return canned; };
    zelt::OrderedItems control(services);
    loadOrder(control);
    for (auto _ : state) {
        control.UpdateTaxes();
        if (control.TaxDataXML().empty()) state.SkipWithError("no tax result");
        benchmark::DoNotOptimize(control.form().txtField[17].text().size());
    }
}

/// The control's own share, part one: the request built from the order's
/// lines and fees.
void BM_TaxRequestBuild10k(benchmark::State& state)
{
    zelt::OrderedItems control(benchServices());
    loadOrder(control);
    zelt::ControlContext& ctx = zelt::ControlAccess::context(control);
    zelt::TotalsRecalculation totals(ctx);
    zelt::TaxFields taxes(ctx, totals, [] {});
    const zelt::TaxCommand command(ctx, totals, taxes);
    for (auto _ : state) {
        std::string why;
        auto request = command.buildRequest(why);
        if (!request) state.SkipWithError(why.c_str());
        benchmark::DoNotOptimize(request->lines.size());
    }
}

/// Part two: the answer read into TaxDataXML, the jurisdiction totals and
/// the hidden rates.
void BM_TaxResultXml10k(benchmark::State& state)
{
    zelt::standins::AvaTaxStandIn service(kAccount, kKey);
    const zelt::platform::AvaTaxResult result = clientOf(service).getTax(request10k());
    zelt::OrderedItems control(benchServices());
    loadOrder(control);
    zelt::ControlContext& ctx = zelt::ControlAccess::context(control);
    for (auto _ : state) {
        ctx.state.jurisdictionTaxTotal = {};
        ctx.state.TaxDataXML = zelt::TaxResultXml(ctx).GetTaxResultToXML(result);
        benchmark::DoNotOptimize(ctx.state.TaxDataXML.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ctx.state.TaxDataXML.size()));
}

/// The baseline: the exchange alone, with the request the command sends.
void BM_AvaTaxExchange10k(benchmark::State& state)
{
    zelt::standins::AvaTaxStandIn service(kAccount, kKey);
    zelt::platform::AvaTaxRestService client = clientOf(service);
    const zelt::platform::AvaTaxRequest request = request10k();
    for (auto _ : state) {
        if (client.ping("") != 0) state.SkipWithError("ping failed");
        auto result = client.getTax(request);
        if (result.resultCode != 0) state.SkipWithError("no tax result");
        benchmark::DoNotOptimize(result.lines.size());
    }
}

/// A tax calculation's exchanges with AvaTax over TLS (ping, the transaction
/// and its retry after an address the service could not place) for 10,000
/// lines: each exchange on a new connection with plain answers (0, how the
/// client worked before), then on one kept connection with compressed
/// answers (1). Counted per calculation: connections opened and kilobytes
/// on the wire each way.
void BM_AvaTaxTls10k(benchmark::State& state)
{
    zelt::standins::AvaTaxStandIn service(kAccount, kKey, ZELT_TEST_CERT, ZELT_TEST_KEY);
    const bool kept = state.range(0) != 0;
    auto http = std::make_shared<zelt::platform::CurlHttpClient>(
        zelt::platform::CurlHttpClient::Settings{ZELT_TEST_CERT, kept, kept});
    zelt::platform::AvaTaxRestService client(http);
    client.setUrl(service.url());
    client.setAccount(kAccount);
    client.setLicenseKey(kKey);
    const zelt::platform::AvaTaxRequest request = request10k();
    for (auto _ : state) {
        if (client.ping("") != 0) state.SkipWithError("ping failed");
        for (int exchange = 0; exchange < 2; ++exchange)
            if (client.getTax(request).resultCode != 0) state.SkipWithError("no tax result");
    }
    const auto traffic = http->traffic();
    const auto per = [&state](std::int64_t n) {
        return benchmark::Counter(static_cast<double>(n) / static_cast<double>(state.iterations()));
    };
    state.counters["connections"] = per(traffic.connections);
    state.counters["sent_kB"] = per(traffic.bytesSent / 1000);
    state.counters["received_kB"] = per(traffic.bytesReceived / 1000);
}

} // namespace

BENCHMARK(BM_TaxCommand10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaxCommand10kOwnShare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaxRequestBuild10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaxResultXml10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AvaTaxExchange10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AvaTaxTls10k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
