#include "services/SoapClient.h"

#include "text/TextRules.h"

#include "core/ControlContext.h"
#include "zelt/platform/HttpClient.h"
#include "zelt/text/RuntimeError.h"

#include <pugixml.hpp>

#include <array>
#include <sstream>

namespace zelt {

namespace {

constexpr std::string_view kEnvelopeStart =
    "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">";

/// A parsed document written back as the platform's document object writes
/// it: no indentation, the declaration without its encoding.
std::string written(std::string_view xml)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8))
        return {};
    for (pugi::xml_node node : doc.children())
        if (node.type() == pugi::node_declaration) node.remove_attribute("encoding");
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

/// Windows-1252 for 0x80-0x9F; the rest of 0xA0-0xFF is Latin-1.
constexpr std::array<char32_t, 32> kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string SoapClient::serializedEnvelope(std::string_view envelope) { return written(envelope); }

std::string SoapClient::cleanedAnswer(std::string_view body)
{
    std::string text = written(written(body));
    text::replaceAll(text, "&lt;", "<");
    text::replaceAll(text, "&gt;", ">");
    text::replaceAll(text, "<?xml version=\"1.0\"?>", "<?xml version=\"1.0\" encoding=\"utf-8\" ?>");
    if (!text.empty())
        for (std::string_view tag : {kEnvelopeStart, std::string_view("<soap:Body>"), std::string_view("</soap:Body>"),
                                     std::string_view("</soap:Envelope>")})
            text::replaceAll(text, tag, "");
    return text;
}

std::string SoapClient::ReturnWebserviceXML(std::string_view AsmxUrl, std::string_view Host, std::string_view SOAPAction,
                                            std::string_view SOAPEnvelope, bool UpdateAddDeleteOnly)
{
    return call(AsmxUrl, Host, SOAPAction, SOAPEnvelope, UpdateAddDeleteOnly, false).value_or(std::string());
}

std::optional<std::string> SoapClient::call(std::string_view AsmxUrl, std::string_view Host, std::string_view SOAPAction,
                                            std::string_view SOAPEnvelope, bool UpdateAddDeleteOnly, bool successOnly)
{
    platform::HttpRequest request;
    request.url = AsmxUrl;
    request.body = serializedEnvelope(SOAPEnvelope);
    request.headers = {{"Host", std::string(Host)},
                       {"Content-Type", "text/xml; charset=utf-8"},
                       {"Content-Length", std::to_string(request.body.size())},
                       {"SOAPAction", std::string(SOAPAction)}};
    const ControlState& st = ctx_.state;
    request.connectTimeout = st.serviceConnectTimeout;
    request.totalTimeout = st.serviceTotalTimeout;
    request.maxAnswerBytes = st.serviceMaxAnswerBytes;
    const platform::HttpResult result = post("ReturnWebserviceXML", request);
    if (!result.ok()) {
        recordFailure("ReturnWebservice Method could not load XML data", AsmxUrl, result.failure);
        return std::nullopt;
    }
    const long status = result.response->status;
    if (successOnly && (status < 200 || status > 299)) {
        recordFailure("ReturnWebserviceXML", AsmxUrl, "the service answered HTTP " + std::to_string(status));
        return std::nullopt;
    }
    if (UpdateAddDeleteOnly) return std::string();
    std::string answer = cleanedAnswer(result.response->body);
    if (answer.empty()) {
        recordFailure("ReturnWebserviceXML", AsmxUrl, "the answer (HTTP " + std::to_string(status) + ") is not XML");
        return std::nullopt;
    }
    return answer;
}

platform::HttpResult SoapClient::post(std::string_view service, const platform::HttpRequest& request)
{
    platform::HttpClient& http = *ctx_.services.http;
    return ctx_.services.activity->run(service, [&http, &request] { return http.post(request); });
}

void SoapClient::recordFailure(std::string_view service, std::string_view url, std::string_view reason)
{
    ctx_.recordServiceFailure(std::string(service) + ": " + withoutCredentials(url) + ": " + std::string(reason));
}

std::string withoutCredentials(std::string_view url)
{
    const std::size_t scheme = url.find("://");
    const std::size_t start = scheme == std::string_view::npos ? 0 : scheme + 3;
    const std::size_t end = url.find_first_of("/?#", start);
    const std::size_t at = url.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start).rfind('@');
    if (at == std::string_view::npos) return std::string(url);
    return std::string(url.substr(0, start)) + std::string(url.substr(start + at + 1));
}

std::string URLDecode(std::string_view what)
{
    std::string text(what);
    for (char& c : text)
        if (c == '+') c = ' ';
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            out += text[i++];
            continue;
        }
        int value = 0;
        std::size_t digits = 0;
        for (; digits < 2 && i + 1 + digits < text.size(); ++digits) {
            const int d = hexValue(text[i + 1 + digits]);
            if (d < 0) break;
            value = value * 16 + d;
        }
        // Up to two characters are read as one hexadecimal number: all of
        // them must be digits, and there must be one at least.
        const std::size_t available = std::min<std::size_t>(2, text.size() - i - 1);
        if (digits == 0 || digits < available) throw text::RuntimeError::typeMismatch();
        const auto code = static_cast<unsigned>(value);
        appendUtf8(out, code >= 0x80 && code < 0xA0 ? kWindows1252[code - 0x80] : static_cast<char32_t>(code));
        i += 1 + digits;
    }
    return out;
}

std::string xmlEscaped(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace zelt
