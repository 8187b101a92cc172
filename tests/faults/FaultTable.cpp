// Every web exchange of the control against every fault a network or a
// server can show: for each, the wait stays within the time-outs, the failure
// is visible (an error raised, the failure recorded and logged) and nothing of
// the order is lost. Prints the table, fault x service: held / lost; any
// "lost" fails the run.
#include "AvaTaxStandIn.h"
#include "FaultServer.h"
#include "ControlSnapshot.h"

#include "zelt/OrderedItems.h"
#include "zelt/ServiceError.h"
#include "zelt/StandIns.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace zelt;
using namespace std::chrono_literals;
using Fault = standins::FaultServer::Fault;

namespace {

constexpr auto kConnect = 300ms;
constexpr auto kTotal = 1000ms;
// The wait allowed: the time-outs of the exchanges a command makes, and slack.
constexpr auto kBound = 2 * kTotal + 1000ms;
constexpr const char* kAccount = "1100012345";
constexpr const char* kKey = "FAULTTABLESECRET";

std::string line(const char* model, const char* price, const char* exempt)
{
    return std::string("1$F$1$F$1$F$3$F$0$F$$F$2$F$EA$F$") + model + "$F$$F$$F$$F$Item$F$1$F$2024-01-05$F$" + price +
           "$F$1$F$$F$0$F$$F$" + exempt + "$F$$R$";
}

struct Cell {
    bool bounded = false, visible = false, kept = false;
    std::string why;
    bool held() const { return bounded && visible && kept; }
};

/// A control holding a small order with fees and taxes, its services bounded
/// tightly, failures going to a log the table reads.
struct Order {
    std::shared_ptr<platform::MemoryEventLog> log = std::make_shared<platform::MemoryEventLog>();
    std::shared_ptr<view::ScriptedMessageBoxes> boxes = std::make_shared<view::ScriptedMessageBoxes>();
    std::unique_ptr<OrderedItems> control;

    explicit Order(std::shared_ptr<platform::ServiceActivity> activity = nullptr)
    {
        Services services;
        services.eventLog = log;
        services.messageBoxes = boxes;
        services.activity = std::move(activity);
        control = std::make_unique<OrderedItems>(services);
        control->setServiceTimeouts(kConnect, kTotal);
        control->setServiceMaxAnswerBytes(100000);
        control->setZeltEvent("PurchaseOrder");
        control->GetComboContent("Open$F$1$R$$T$Each$F$EA$R$$T$FedEx$F$3$R$$T$$T$1$R$$T$");
        control->setViewMode(Mode::UpdateMode);
        control->setUsesZeltD(true);
        control->setReadData(line("A&B-1", "100", "0") + line("", "50", "-1"));
        control->form().txtFee[4].setText("200.00");
        control->form().txtFee[7].setText("12.00");
        control->setShipCountry("Canada");
        control->setShipStreet1("5 Broadway");
        control->setShipState("NY");
        control->setCustomerOrderedDate("2024-05-01");
        control->setCenterID("12");
        control->setAccount(kAccount);
        control->setLicenseKey(kKey);
        view::Form& f = control->form();
        for (auto [box, rate] : {std::pair{&f.txtHiddenCountryTaxRate, "0"}, {&f.txtHiddenStateTaxRate, "0.05"},
                                 {&f.txtHiddenCountyTaxRate, "0"}, {&f.txtHiddenLocalTaxRate, "0"}, {&f.txtHiddenCityTaxRate, "0.01"}})
            box->setText(rate);
        control->form().cboFreightOptions[0].addItem("Curbside", 7);
        control->form().cboFreightOptions[0].setListIndex(0);
    }
};

/// The clerk's Cancel, 100 ms into every exchange, which runs off this thread.
constexpr auto kCancelAfter = 100ms;
struct CancellingActivity : platform::ServiceActivity {
    void wait(std::string_view, const std::function<void()>& exchange) override
    {
        std::atomic<bool> cancel{false};
        std::thread worker([&] {
            CancelScope scope(cancel);
            exchange();
        });
        std::this_thread::sleep_for(kCancelAfter);
        cancel = true;
        worker.join();
    }
};

struct Service {
    const char* name;
    /// Points the control at the service's address under `base`.
    std::function<void(OrderedItems&, const std::string& base)> aim;
    std::function<void(OrderedItems&)> call;
    /// Points it there with a line break and a header of its own in a text
    /// the host gives the exchange (an address, a server name, a client name).
    std::function<void(OrderedItems&, const std::string& base)> inject;
};

constexpr const char* kInjected = "\r\nX-Injected: 1";

const Service kServices[] = {
    {"surcharge", [](OrderedItems& c, const std::string& base) { c.PutServerName(base); },
     [](OrderedItems& c) { c.GetSurCharges(3, "2024-05-01"); },
     [](OrderedItems& c, const std::string& base) { c.PutServerName(base + kInjected); }},
    {"internal tax", [](OrderedItems& c, const std::string& base) { c.setInternalTaxServiceURL(base + "TaxService.asmx"); },
     [](OrderedItems& c) { c.CalculateTaxesFromVardonInternalService("PO-7"); },
     [](OrderedItems& c, const std::string& base) { c.setInternalTaxServiceURL(base + "TaxService.asmx" + kInjected); }},
    {"AvaTax", [](OrderedItems& c, const std::string& base) { c.setUrl(base); },
     [](OrderedItems& c) { c.UpdateTaxes(); },
     [](OrderedItems& c, const std::string& base) {
         c.setUrl(base);
         c.setProfileClient(std::string("Desk") + kInjected);
     }},
};

/// What the order must look like after a failed exchange: for the SOAP
/// services the order as it was; for AvaTax the taxes from the order's stored
/// rates, as when AvaTax turns the account away.
std::string expectedAfterFailure(const Service& service, const std::string& before)
{
    if (std::string(service.name) != "AvaTax") return before;
    standins::AvaTaxStandIn refusing(kAccount, "not the key");
    Order order;
    order.control->setLicenseKey("WRONGKEY");
    service.aim(*order.control, refusing.url() + "/");
    service.call(*order.control);
    return controlSnapshot(*order.control);
}

enum class Twist { None, Injecting, Cancelling };

/// One exchange against a server failing with `fault`. Injecting: the
/// exchange carries a line break in a header and must be refused before
/// anything reaches the server. Cancelling: the clerk cancels the exchange,
/// which must end within 100 ms of it and say so.
Cell run(const Service& service, Fault fault, const std::string& expected, const std::string& before,
         Twist twist = Twist::None)
{
    standins::FaultServer server(fault, ZELT_TEST_CERT, ZELT_TEST_KEY);
    const bool injecting = twist == Twist::Injecting;
    Order order(twist == Twist::Cancelling ? std::make_shared<CancellingActivity>() : nullptr);
    service.aim(*order.control, server.base());
    if (controlSnapshot(*order.control) != before) return {false, false, false, "the set-up differs"};
    if (injecting) service.inject(*order.control, server.base());
    const auto start = std::chrono::steady_clock::now();
    bool raised = false;
    try {
        service.call(*order.control);
    } catch (const ServiceError&) {
        raised = true;
    }
    const auto took = std::chrono::steady_clock::now() - start;
    const std::string& failure = order.control->LastServiceFailure();
    Cell cell{took < kBound, (raised || !failure.empty()) && !order.log->entries().empty(),
              controlSnapshot(*order.control) == expected, ""};
    if (std::getenv("ZELT_FAULT_DEBUG")) std::cerr << service.name << " / " << standins::FaultServer::name(fault) << ": " << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms, raised " << raised << ", \"" << failure << "\", log " << order.log->entries().size() << ", avatax \"" << order.control->AvalavaErrorMessage() << "\", box \"" << (order.boxes->shown().empty() ? std::string() : order.boxes->shown().back().text) << "\"\n";
    for (const std::string& entry : order.log->entries())
        if (entry.find(kKey) != std::string::npos) cell.visible = false; // credentials never reach the log
    if (!cell.bounded) cell.why += " took " + std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()) + " ms;";
    if (!cell.visible) cell.why += " failure not visible (\"" + failure + "\");";
    if (!cell.kept) cell.why += " the order changed;";
    if (twist == Twist::Cancelling && (took > kCancelAfter + 100ms || failure.find("cancelled by the clerk") == std::string::npos)) {
        cell.bounded = false;
        cell.why += " the cancel was not taken at once (\"" + failure + "\");";
    }
    if (injecting && (server.requests() > 0 || failure.find("refused") == std::string::npos)) {
        cell.visible = false;
        cell.why += " the injected header was not refused (" + std::to_string(server.requests()) + " requests);";
    }
    return cell;
}

} // namespace

int main()
{
    std::vector<std::string> problems;
    std::string table = "| fault |", rule = "|---|";
    for (const Service& s : kServices) {
        table += std::string(" ") + s.name + " |";
        rule += "---|";
    }
    table += "\n" + rule + "\n";
    std::vector<std::string> before, expected;
    for (const Service& s : kServices) {
        Order order;
        s.aim(*order.control, "http://127.0.0.1:1/");
        before.push_back(controlSnapshot(*order.control));
        expected.push_back(expectedAfterFailure(s, before.back()));
    }
    // One row per fault, then the two twists.
    auto row = [&](const std::string& name, Fault fault, Twist twist) {
        table += "| " + name + " |";
        for (std::size_t i = 0; i < std::size(kServices); ++i) {
            const Cell cell = run(kServices[i], fault, expected[i], before[i], twist);
            table += cell.held() ? " held |" : " LOST |";
            if (!cell.held()) problems.push_back(std::string(kServices[i].name) + " / " + name + ":" + cell.why);
        }
        table += "\n";
    };
    for (const Fault fault : standins::FaultServer::kAll) row(standins::FaultServer::name(fault), fault, Twist::None);
    row("header injection refused", Fault::Garbage, Twist::Injecting);
    row("cancelled by the clerk", Fault::Silent, Twist::Cancelling);
    std::cout << table;
    for (const std::string& p : problems) std::cout << p << "\n";
    return problems.empty() ? 0 : 1;
}
