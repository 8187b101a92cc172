#include "platform/AvaTaxJson.h"

#include "zelt/text/RuntimeError.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <stdexcept>

namespace zelt {

namespace {

using nlohmann::json;

constexpr std::array<const char*, 6> kDocTypes = {"SalesOrder",      "SalesInvoice", "PurchaseOrder",
                                                  "PurchaseInvoice", "ReturnOrder",  "ReturnInvoice"};
constexpr std::array<const char*, 6> kDocStatuses = {"Any", "Temporary", "Saved", "Posted", "Committed", "Cancelled"};

int indexOf(const std::string& name, const auto& names, int otherwise)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (name == names[i]) return static_cast<int>(i);
    return otherwise;
}

std::string textOf(const json& object, const char* key)
{
    auto it = object.find(key);
    if (it == object.end() || it->is_null()) return {};
    if (it->is_string()) return it->get<std::string>();
    return it->dump();
}

double numberOf(const json& object, const char* key)
{
    auto it = object.find(key);
    return it != object.end() && it->is_number() ? it->get<double>() : 0.0;
}

/// An amount the answer gives that no currency value holds: the answer is
/// refused, never read as 0.
struct AmountOutOfRange : std::runtime_error {
    using std::runtime_error::runtime_error;
};

text::Currency currencyOf(const json& object, const char* key)
{
    const double v = numberOf(object, key);
    try {
        if (std::isfinite(v)) return text::Currency::fromDouble(v);
    } catch (const text::RuntimeError&) {
    }
    throw AmountOutOfRange(std::string("\"") + key + "\" is " + object.at(key).dump());
}

int jurisdictionOf(const json& detail)
{
    const std::string name = textOf(detail, "jurisdictionType");
    const int byName = indexOf(name, std::array<const char*, 5>{"Country", "State", "County", "City", "Special"}, -1);
    if (byName >= 0) return byName;
    return indexOf(textOf(detail, "jurisType"), std::array<const char*, 5>{"CNT", "STA", "CTY", "CIT", "STJ"}, 5);
}

json address(const platform::AvaTaxAddress& a)
{
    return {{"line1", a.line1}, {"line2", a.line2}, {"line3", a.line3},           {"city", a.city},
            {"region", a.region}, {"postalCode", a.postalCode}, {"country", a.country}};
}

} // namespace

std::string avaTaxRequestJson(const platform::AvaTaxRequest& request)
{
    json lines = json::array();
    for (const platform::AvaTaxRequestLine& l : request.lines)
        lines.push_back({{"number", l.number},
                         {"itemCode", l.itemCode},
                         {"quantity", l.quantity},
                         {"amount", l.amount.toDouble()},
                         {"taxCode", l.taxCode}});
    json body = {{"type", request.docType >= 0 && request.docType < 6 ? kDocTypes[static_cast<std::size_t>(request.docType)]
                                                                      : "PurchaseInvoice"},
                 {"companyCode", request.companyCode},
                 {"customerCode", request.customerCode},
                 {"entityUseCode", request.customerUsageType},
                 {"code", request.docCode},
                 {"date", request.docDate},
                 {"discount", request.discount.toDouble()},
                 {"addresses", {{"shipFrom", address(request.origin)}, {"shipTo", address(request.destination)}}},
                 {"lines", lines}};
    return body.dump();
}

namespace {
platform::AvaTaxResult mapped(const json& answer);
}

platform::AvaTaxResult avaTaxResultFromJson(std::string_view body)
{
    // An answer the control cannot use is an Exception result saying why.
    auto unusable = [](std::string summary, std::string details) {
        platform::AvaTaxResult result;
        result.resultCode = 3;
        result.messages.push_back({std::move(summary), std::move(details), "AvaTax"});
        return result;
    };
    json answer;
    try {
        answer = json::parse(body);
    } catch (const json::exception&) {
        // Not JSON, or a number no double holds ("1e99999"): both unusable.
        return unusable("The AvaTax answer is not JSON", "");
    }
    if (!answer.is_object()) return unusable("The AvaTax answer is not an object", "");
    try {
        return mapped(answer);
    } catch (const json::exception& e) {
        return unusable("The AvaTax answer has a field of an unexpected kind", e.what());
    } catch (const AmountOutOfRange& e) {
        return unusable("The AvaTax answer has an amount beyond the currency range", e.what());
    }
}

namespace {

platform::AvaTaxResult mapped(const json& answer)
{
    platform::AvaTaxResult result;
    if (auto error = answer.find("error"); error != answer.end() && error->is_object()) {
        result.resultCode = 2;
        const json details = error->value("details", json::array());
        if (details.is_array() && !details.empty()) {
            for (const json& d : details)
                if (d.is_object()) result.messages.push_back({textOf(d, "message"), textOf(d, "description"), textOf(d, "refersTo")});
        } else {
            result.messages.push_back({textOf(*error, "message"), textOf(*error, "code"), textOf(*error, "target")});
        }
        return result;
    }
    result.docCode = textOf(answer, "code");
    result.docDate = textOf(answer, "date");
    result.docId = textOf(answer, "id");
    result.docStatus = indexOf(textOf(answer, "status"), kDocStatuses, -1);
    result.docType = indexOf(textOf(answer, "type"), kDocTypes, -1);
    result.reconciled = answer.value("reconciled", false);
    result.timestamp = textOf(answer, "modifiedDate");
    result.totalAmount = currencyOf(answer, "totalAmount");
    result.totalExemption = currencyOf(answer, "totalExempt");
    result.totalTax = currencyOf(answer, "totalTax");
    result.totalTaxable = currencyOf(answer, "totalTaxable");
    result.transactionId = textOf(answer, "id");
    for (const json& l : answer.value("lines", json::array())) {
        if (!l.is_object()) continue;
        platform::AvaTaxLine line;
        line.no = textOf(l, "lineNumber");
        line.taxCode = textOf(l, "taxCode");
        line.tax = currencyOf(l, "tax");
        line.taxable = currencyOf(l, "taxableAmount");
        line.exemption = currencyOf(l, "exemptAmount");
        line.discount = currencyOf(l, "discountAmount");
        line.taxability = l.value("isItemTaxable", false);
        line.rate = line.taxable.toDouble() != 0 ? line.tax.toDouble() / line.taxable.toDouble() : 0;
        for (const json& d : l.value("details", json::array())) {
            if (!d.is_object()) continue;
            platform::AvaTaxDetail detail;
            detail.jurisType = jurisdictionOf(d);
            detail.jurisCode = textOf(d, "jurisCode");
            detail.jurisName = textOf(d, "jurisName");
            detail.rate = numberOf(d, "rate");
            detail.tax = currencyOf(d, "tax");
            detail.taxable = currencyOf(d, "taxableAmount");
            detail.base = detail.taxable;
            detail.nonTaxable = currencyOf(d, "nonTaxableAmount");
            detail.exemption = currencyOf(d, "exemptAmount");
            const std::string taxType = textOf(d, "taxType");
            detail.taxType = indexOf(taxType, std::array<const char*, 3>{"", "Sales", "Use"}, 0);
            if (detail.taxType == 0) detail.taxTypeName = taxType;
            line.details.push_back(detail);
        }
        result.lines.push_back(std::move(line));
    }
    // Warnings of a taxed transaction.
    for (const json& m : answer.value("messages", json::array()))
        if (m.is_object()) result.messages.push_back({textOf(m, "summary"), textOf(m, "details"), textOf(m, "refersTo")});
    return result;
}

} // namespace

} // namespace zelt
