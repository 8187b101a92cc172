#include "zelt/platform/RuleTableFreightCalculator.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace zelt::platform {

namespace {

using nlohmann::json;

double number(const json& object, const char* key, const std::string& where, bool required = true)
{
    auto it = object.find(key);
    if (it == object.end()) {
        if (required) throw FreightRulesError(where + ": \"" + key + "\" is missing");
        return 0;
    }
    if (!it->is_number()) throw FreightRulesError(where + ": \"" + key + "\" is not a number");
    const double v = it->get<double>();
    if (!std::isfinite(v) || v < 0) throw FreightRulesError(where + ": \"" + key + "\" must be a number of 0 or more");
    return v;
}

std::string twoDecimals(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

} // namespace

RuleTableFreightCalculator RuleTableFreightCalculator::fromJson(std::string_view text)
{
    json root;
    try {
        root = json::parse(text);
    } catch (const json::exception& e) {
        // Not JSON, or a number no double holds ("1e99999").
        throw FreightRulesError(std::string("freight rules: not JSON: ") + e.what());
    }
    if (!root.is_object() || !root.contains("methods") || !root["methods"].is_array())
        throw FreightRulesError("freight rules: an object with a \"methods\" array is needed");
    std::map<std::int32_t, Rule> rules;
    std::size_t index = 0;
    for (const json& method : root["methods"]) {
        const std::string where = "freight rules: method " + std::to_string(index++);
        if (!method.is_object()) throw FreightRulesError(where + ": not an object");
        auto id = method.find("vendorFreightMethodID");
        if (id == method.end() || !id->is_number_integer())
            throw FreightRulesError(where + ": \"vendorFreightMethodID\" must be a whole number");
        Rule rule;
        rule.minimumCharge = number(method, "minimumCharge", where, false);
        rule.ehdFee = number(method, "ehdFee", where, false);
        auto brackets = method.find("brackets");
        if (brackets == method.end() || !brackets->is_array() || brackets->empty())
            throw FreightRulesError(where + ": \"brackets\" must be a non-empty array");
        std::size_t b = 0;
        for (const json& bracket : *brackets) {
            const std::string at = where + ", bracket " + std::to_string(b++);
            if (!bracket.is_object()) throw FreightRulesError(at + ": not an object");
            Bracket out;
            auto upTo = bracket.find("upToPounds");
            if (upTo != bracket.end() && !upTo->is_null()) out.upToPounds = number(bracket, "upToPounds", at);
            out.ratePerPound = number(bracket, "ratePerPound", at);
            rule.brackets.push_back(out);
        }
        if (!rules.emplace(id->get<std::int32_t>(), std::move(rule)).second)
            throw FreightRulesError(where + ": method " + std::to_string(id->get<std::int32_t>()) + " is given twice");
    }
    return RuleTableFreightCalculator(std::move(rules));
}

RuleTableFreightCalculator RuleTableFreightCalculator::fromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FreightRulesError("freight rules: cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return fromJson(text.str());
}

std::string RuleTableFreightCalculator::calculate(const FreightRequest& request, std::string_view, std::int32_t,
                                                  std::string_view, std::int32_t vendorFreightMethodID)
{
    auto rule = rules_.find(vendorFreightMethodID);
    if (rule == rules_.end()) return {};
    for (const Bracket& bracket : rule->second.brackets) {
        if (bracket.upToPounds && request.totalWeight > *bracket.upToPounds) continue;
        const double freight = std::max(rule->second.minimumCharge, request.totalWeight * bracket.ratePerPound);
        return twoDecimals(freight) + "|" + twoDecimals(rule->second.ehdFee);
    }
    return {};
}

} // namespace zelt::platform
