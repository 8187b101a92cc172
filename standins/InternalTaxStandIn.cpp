#include "InternalTaxStandIn.h"

#include <pugixml.hpp>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace zelt::standins {

namespace {

/// A number as either locale writes it ("1,234.50" or "1 234,50").
double amount(std::string text)
{
    std::string digits;
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == '-') digits += c;
        else if (c == '.' || c == ',') digits += '.';
    // Only the last separator is the decimal one.
    const std::size_t last = digits.rfind('.');
    std::string plain;
    for (std::size_t i = 0; i < digits.size(); ++i)
        if (digits[i] != '.' || i == last) plain += digits[i];
    return std::strtod(plain.c_str(), nullptr);
}

std::string fixed2(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

} // namespace

InternalTaxStandIn::InternalTaxStandIn(std::array<double, 5> rates) : rates_(rates)
{
    server_.server.Post("/TaxService.asmx", [this](const httplib::Request& req, httplib::Response& res) {
        received_.keep(req);
        pugi::xml_document request;
        request.load_string(req.body.c_str());
        double taxable = 0;
        for (pugi::xpath_node item : request.select_nodes("//lineItems/string")) {
            std::string entry = item.node().text().get();
            // model|False|ext price|exempt
            const std::size_t a = entry.find('|'), b = entry.find('|', a + 1), c = entry.find('|', b + 1);
            if (c == std::string::npos) continue;
            if (entry.substr(c + 1).rfind("True", 0) == 0) continue;
            taxable += amount(entry.substr(b + 1, c - b - 1));
        }
        for (pugi::xpath_node fee : request.select_nodes("//feesItems/string")) {
            std::string entry = fee.node().text().get();
            taxable += amount(entry.substr(entry.find('|') + 1));
        }
        const char* names[] = {"Country", "State", "County", "City", "Local"};
        std::string taxes = "<Taxes>";
        for (std::size_t i = 0; i < 5; ++i)
            taxes += std::string("<") + names[i] + ">" + fixed2(taxable * rates_[i]) + "</" + names[i] + ">";
        taxes += "</Taxes>";
        res.set_content("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                        "<RecalculateTaxesResponse xmlns=\"http://tempuri.org/InternalTaxService/\">"
                        "<RecalculateTaxesResult>" + escapedMarkup(taxes) +
                            "</RecalculateTaxesResult></RecalculateTaxesResponse></soap:Body></soap:Envelope>",
                        "text/xml; charset=utf-8");
    });
    server_.start();
}

std::string InternalTaxStandIn::url() const { return server_.url("/TaxService.asmx"); }

std::string InternalTaxStandIn::lastRequest() const { return received_.body(); }
std::string InternalTaxStandIn::lastAction() const { return received_.action(); }

} // namespace zelt::standins
