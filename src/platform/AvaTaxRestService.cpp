#include "zelt/platform/AvaTaxRestService.h"

#include "platform/AvaTaxJson.h"
#include "zelt/Version.h"

#include <curl/curl.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>
#include <optional>

#include <unistd.h>

namespace zelt::platform {

namespace {

std::string base64(std::string_view in)
{
    static constexpr char kTable[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        const unsigned n = (static_cast<unsigned char>(in[i]) << 16) | (static_cast<unsigned char>(in[i + 1]) << 8) |
                           static_cast<unsigned char>(in[i + 2]);
        for (int shift : {18, 12, 6, 0}) out += kTable[(n >> shift) & 63];
    }
    if (i + 1 == in.size()) {
        const unsigned n = static_cast<unsigned char>(in[i]) << 16;
        out += kTable[(n >> 18) & 63];
        out += kTable[(n >> 12) & 63];
        out += "==";
    } else if (i + 2 == in.size()) {
        const unsigned n = (static_cast<unsigned char>(in[i]) << 16) | (static_cast<unsigned char>(in[i + 1]) << 8);
        out += kTable[(n >> 18) & 63];
        out += kTable[(n >> 12) & 63];
        out += kTable[(n >> 6) & 63];
        out += '=';
    }
    return out;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string machineName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "unknown";
    return name;
}

/// Whether the address may carry the account's credentials: over https, or
/// to this machine (a stand-in on the loopback address). Anything else would
/// send the licence key in clear.
std::optional<std::string> credentialsRefused(const std::string& url)
{
    struct UrlFree {
        void operator()(CURLU* u) const noexcept { curl_url_cleanup(u); }
    };
    std::unique_ptr<CURLU, UrlFree> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return std::string("the address is not a URL");
    const auto part = [&](CURLUPart which) {
        char* value = nullptr;
        std::string out;
        if (curl_url_get(parsed.get(), which, &value, 0) == CURLUE_OK && value) out = value;
        curl_free(value);
        return out;
    };
    const std::string scheme = part(CURLUPART_SCHEME);
    if (scheme == "https") return std::nullopt;
    const std::string host = part(CURLUPART_HOST);
    if (scheme == "http" && (host == "localhost" || host == "[::1]" || host.rfind("127.", 0) == 0)) return std::nullopt;
    return "the credentials go only over https (or to this machine); the address is " + scheme + "://" + host;
}

} // namespace

std::string AvaTaxRestService::clientHeader() const
{
    // The profile's client names the application and, after a comma or a
    // semicolon, its version.
    std::string_view client = client_;
    std::string_view name = client, version;
    if (const auto cut = client.find_first_of(",;"); cut != std::string_view::npos) {
        name = client.substr(0, cut);
        version = client.substr(cut + 1);
        version = version.substr(0, version.find_first_of(",;"));
    }
    name = trimmed(name);
    version = trimmed(version);
    std::string out(name.empty() ? std::string_view("ZeltOrderedItems") : name);
    out += "; ";
    out += version.empty() ? std::string_view(kVersionString) : version;
    out += "; ZeltOrderedItems AvaTax REST; ";
    out += kVersionString;
    out += "; ";
    out += machineName();
    return out;
}

AvaTaxRestService::AvaTaxRestService(std::shared_ptr<HttpClient> http) : http_(std::move(http)) {}

void AvaTaxRestService::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds total)
{
    connect_ = connect;
    total_ = total;
}

void AvaTaxRestService::setLimits(std::chrono::milliseconds connect, std::chrono::milliseconds total,
                                  std::size_t maxAnswerBytes)
{
    setTimeouts(connect, total);
    maxAnswerBytes_ = maxAnswerBytes;
}

std::size_t AvaTaxRestService::answerCap(std::size_t lines) const noexcept
{
    constexpr std::size_t kPerLine = 16u << 10;
    constexpr std::size_t kCeiling = 512u << 20;
    const std::size_t allowance = lines > kCeiling / kPerLine ? kCeiling : lines * kPerLine;
    return std::max(maxAnswerBytes_, allowance);
}

HttpRequest AvaTaxRestService::request(std::string method, std::string path) const
{
    HttpRequest r;
    r.method = std::move(method);
    std::string base = url_;
    while (!base.empty() && base.back() == '/') base.pop_back();
    r.url = base + path;
    r.headers = {{"Authorization", "Basic " + base64(account_ + ":" + licenseKey_)},
                 {"Accept", "application/json"},
                 {"X-Avalara-Client", clientHeader()}};
    r.connectTimeout = connect_;
    r.totalTimeout = total_;
    r.maxAnswerBytes = maxAnswerBytes_;
    return r;
}

int AvaTaxRestService::ping(std::string_view)
{
    lastFailure_.clear();
    if (account_.empty() || licenseKey_.empty()) {
        // Without credentials the service cannot know the account: no exchange.
        lastFailure_ = "AvaTax ping: no account or licence key is set";
        return 2;
    }
    if (auto refused = credentialsRefused(url_)) {
        lastFailure_ = "AvaTax ping: " + *refused;
        return 2;
    }
    const HttpResult result = http_->post(request("GET", "/api/v2/utilities/ping"));
    if (!result.ok()) {
        lastFailure_ = "AvaTax ping: " + result.failure;
        return 2;
    }
    try {
        const auto answer = nlohmann::json::parse(result.response->body);
        if (answer.is_object() && answer.value("authenticated", false) == true) return 0;
        lastFailure_ = "AvaTax ping: the account was not authenticated";
    } catch (const nlohmann::json::exception&) {
        lastFailure_ = "AvaTax ping: the answer is not JSON (HTTP " + std::to_string(result.response->status) + ")";
    }
    return 2;
}

AvaTaxResult AvaTaxRestService::getTax(const AvaTaxRequest& taxRequest)
{
    lastFailure_.clear();
    if (auto refused = credentialsRefused(url_)) {
        lastFailure_ = "AvaTax get tax: " + *refused;
        AvaTaxResult failed;
        failed.resultCode = 3;
        failed.messages.push_back({"AvaTax was not asked", *refused, "AvaTax"});
        return failed;
    }
    HttpRequest r = request("POST", "/api/v2/transactions/create");
    r.headers.emplace_back("Content-Type", "application/json");
    r.body = zelt::avaTaxRequestJson(taxRequest);
    r.maxAnswerBytes = answerCap(taxRequest.lines.size());
    const HttpResult result = http_->post(r);
    if (!result.ok()) {
        lastFailure_ = "AvaTax get tax: " + result.failure;
        AvaTaxResult failed;
        failed.resultCode = 3;
        failed.messages.push_back(
            {result.tooLarge ? "AvaTax's answer is too large for this order" : "AvaTax could not be reached",
             result.failure, "AvaTax"});
        return failed;
    }
    return zelt::avaTaxResultFromJson(result.response->body);
}

} // namespace zelt::platform
