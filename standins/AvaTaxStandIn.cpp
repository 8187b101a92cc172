#include "AvaTaxStandIn.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <thread>

namespace zelt::standins {

namespace {

using nlohmann::json;

struct Jurisdiction {
    const char* type;
    const char* code;
    const char* name;
    double rate;
};

std::vector<Jurisdiction> jurisdictionsFor(const std::string& region)
{
    if (region == "NY")
        return {{"State", "36", "NEW YORK", 0.04}, {"City", "51000", "NEW YORK CITY", 0.045},
                {"Special", "359071", "METROPOLITAN COMMUTER TRANSPORTATION DISTRICT", 0.00375}};
    // Canada one level down, as the control's Canadian handling reads it:
    // GST at the state level, the provincial tax at the county level.
    if (region == "ON") return {{"State", "CA", "CANADA GST", 0.05}, {"County", "ON", "ONTARIO PST", 0.08}};
    return {{"State", region.c_str(), region.c_str(), 0.06}};
}

} // namespace

AvaTaxStandIn::AvaTaxStandIn(std::string account, std::string licenseKey)
    : authorization_(httplib::make_basic_authentication_header(account, licenseKey).second)
{
    route();
}

AvaTaxStandIn::AvaTaxStandIn(std::string account, std::string licenseKey, const std::string& certificate,
                             const std::string& key)
    : server_(certificate, key), authorization_(httplib::make_basic_authentication_header(account, licenseKey).second)
{
    route();
}

void AvaTaxStandIn::route()
{
    server_.server.Get("/api/v2/utilities/ping", [this](const httplib::Request& req, httplib::Response& res) {
        const bool known = req.get_header_value("Authorization") == authorization_;
        res.set_content(json{{"version", "24.5.0"}, {"authenticated", known}, {"authenticationType", "UsernamePassword"}}
                            .dump(),
                        "application/json");
    });
    server_.server.Post("/api/v2/transactions/create", [this](const httplib::Request& req, httplib::Response& res) {
        received_.keep(req);
        ++transactions_;
        if (req.get_header_value("Authorization") != authorization_) {
            res.status = 401;
            res.set_content(R"({"error":{"code":"AuthenticationException","message":"Authentication failed."}})",
                            "application/json");
            return;
        }
        const Fault fault = fault_;
        if (fault == Fault::Silence) {
            std::this_thread::sleep_for(std::chrono::seconds(2));
            return;
        }
        if (fault == Fault::Garbage) {
            res.set_content("<html>gateway timeout</html>", "text/html");
            return;
        }
        const json request = json::parse(req.body, nullptr, false);
        const json to = request.is_object() ? request["addresses"]["shipTo"] : json::object();
        const bool streets = to.is_object() && !to.value("line1", std::string()).empty();
        if (fault == Fault::ErrorAnswer || (fault == Fault::AddressErrorFirst && streets)) {
            res.status = 400;
            res.set_content(json{{"error",
                                  {{"code", "AddressRangeError"},
                                   {"message", "Address not found"},
                                   {"details",
                                    {{{"code", "AddressRangeError"},
                                      {"message", "The address number is out of range"},
                                      {"description", "The street number is out of range."},
                                      {"refersTo", "Addresses[1]"},
                                      {"severity", "Error"}}}}}}}
                                .dump(),
                            "application/json");
            return;
        }
        const auto taxes = jurisdictionsFor(to.is_object() ? to.value("region", std::string()) : std::string());
        json lines = json::array();
        double totalTax = 0, totalAmount = 0;
        for (const json& line : request.value("lines", json::array())) {
            // A line with the non-taxable code is exempt: its amount is taxed nowhere.
            const bool exempt = line.value("taxCode", std::string()) == kNonTaxableCode;
            const double amount = line.value("amount", 0.0);
            const double taxable = exempt ? 0 : amount;
            json details = json::array();
            double lineTax = 0;
            for (const Jurisdiction& j : taxes) {
                details.push_back({{"jurisdictionType", j.type}, {"jurisCode", j.code}, {"jurisName", j.name},
                                   {"rate", j.rate}, {"taxableAmount", taxable}, {"tax", taxable * j.rate},
                                   {"nonTaxableAmount", 0}, {"exemptAmount", amount - taxable}, {"taxType", "Sales"}});
                lineTax += taxable * j.rate;
            }
            lines.push_back({{"lineNumber", line.value("number", std::string())}, {"taxCode", line.value("taxCode", std::string())},
                             {"taxableAmount", taxable}, {"exemptAmount", amount - taxable}, {"tax", lineTax},
                             {"isItemTaxable", !exempt}, {"details", details}});
            totalTax += lineTax;
            totalAmount += amount;
        }
        const std::string answer = json{{"id", 1000 + transactions_}, {"code", request.value("code", std::string())},
                                        {"date", request.value("date", std::string())}, {"status", "Saved"},
                                        {"type", "PurchaseInvoice"}, {"reconciled", false}, {"totalAmount", totalAmount},
                                        {"totalTax", totalTax}, {"totalTaxable", totalAmount}, {"totalExempt", 0},
                                        {"modifiedDate", "2024-05-01T10:15:00"}, {"lines", lines}}
                                       .dump();
        lastAnswerBytes_ = answer.size();
        res.set_content(answer, "application/json");
    });
    server_.start();
}

std::string AvaTaxStandIn::url() const { return server_.url(""); }

} // namespace zelt::standins
