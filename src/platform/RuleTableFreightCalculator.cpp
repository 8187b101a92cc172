#include "zelt/platform/RuleTableFreightCalculator.h"

#include "zelt/text/Currency.h"
#include "zelt/text/NumberText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

namespace zelt::platform {

namespace {

using nlohmann::json;

/// A number of 0 or more; an amount or a rate must also stay inside the
/// currency range, or no freight it gives could be written.
double number(const json& object, const char* key, const std::string& where, bool required = true,
              bool amount = true)
{
    auto it = object.find(key);
    if (it == object.end()) {
        if (required) throw FreightRulesError(where + ": \"" + key + "\" is missing");
        return 0;
    }
    if (!it->is_number()) throw FreightRulesError(where + ": \"" + key + "\" is not a number");
    const double v = it->get<double>();
    if (!std::isfinite(v) || v < 0) throw FreightRulesError(where + ": \"" + key + "\" must be a number of 0 or more");
    if (amount && !text::isAmountInRange(v))
        throw FreightRulesError(where + ": \"" + key + "\" is beyond the currency range");
    return v;
}

std::string twoDecimals(double v) { return text::formatFixed(v, 2, text::Locale::enUS()); }

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
        // A method identifier is a 32-bit integer: a larger one would wrap onto another method.
        const bool fits = id->is_number_unsigned() ? id->get<std::uint64_t>() <= std::numeric_limits<std::int32_t>::max()
                                                   : id->get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                                                         id->get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
        if (!fits) throw FreightRulesError(where + ": \"vendorFreightMethodID\" " + id->dump() + " is beyond 32 bits");
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
            if (upTo != bracket.end() && !upTo->is_null()) out.upToPounds = number(bracket, "upToPounds", at, true, false);
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
    // Only a regular file of a bounded size: a device or a pipe ("/dev/zero")
    // would be read for ever.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        throw FreightRulesError("freight rules: " + path + " is not a regular file");
    const auto size = std::filesystem::file_size(path, error);
    if (error) throw FreightRulesError("freight rules: cannot read " + path);
    if (size > kMaxFileBytes)
        throw FreightRulesError("freight rules: " + path + " holds " + std::to_string(size) + " bytes; at most " +
                                std::to_string(kMaxFileBytes) + " are read");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FreightRulesError("freight rules: cannot read " + path);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return fromJson(text);
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
