// One small libFuzzer target per reader of outside text that needs no control:
// the build picks the reader (ZELT_FUZZ_URL_DECODE, ...). Each checks its guarantee,
// not only the absence of a crash:
//   url-decode     a malformed escape is a type mismatch (text::RuntimeError 13);
//                  ASCII text decodes to valid UTF-8; text without escapes
//                  decodes to itself with plus signs as blanks.
//   soap-answer    cleaning any answer ends with a text, never an exception.
//   avatax-json    reading any answer ends with a result (failures are results),
//                  its result code one of Success, Warning, Error, Exception.
//   freight-rules  a rules file is read or refused with FreightRulesError.
//   http-headers   a request whose address or a header holds CR, LF or NUL is
//                  refused, naming what, before the exchange; any other goes out.
#include "platform/AvaTaxJson.h"
#include "services/SoapClient.h"

#include <zelt/platform/HttpClient.h>
#include <zelt/platform/RuleTableFreightCalculator.h>
#include <zelt/text/RuntimeError.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void broken(const char* what, std::string_view input)
{
    std::fprintf(stderr, "guarantee broken: %s\ninput: %.*s\n", what, static_cast<int>(input.size()), input.data());
    std::abort();
}

bool validUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        i += n;
    }
    return true;
}

/// Keeps the requests that reached the exchange.
class RecordingHttp : public zelt::platform::HttpClient {
public:
    int sent = 0;

protected:
    zelt::platform::HttpResult exchange(const zelt::platform::HttpRequest&) override
    {
        ++sent;
        return zelt::platform::HttpResult::failed("sent");
    }
};

bool breaksLine(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
#if defined(ZELT_FUZZ_URL_DECODE)
    std::string decoded;
    try {
        decoded = zelt::URLDecode(text);
    } catch (const zelt::text::RuntimeError& e) {
        if (e.number() != 13) broken("a refused escape is not a type mismatch", text);
        if (text.find('%') == std::string_view::npos) broken("text without escapes was refused", text);
        return 0;
    }
    bool ascii = true;
    for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && !validUtf8(decoded)) broken("ASCII text decoded to invalid UTF-8", text);
    if (text.find('%') == std::string_view::npos) {
        std::string expected(text);
        for (char& c : expected)
            if (c == '+') c = ' ';
        if (decoded != expected) broken("text without escapes changed beyond its plus signs", text);
    }
#elif defined(ZELT_FUZZ_SOAP_ANSWER)
    try {
        (void)zelt::SoapClient::cleanedAnswer(text);
    } catch (...) {
        broken("cleaning an answer threw", text);
    }
#elif defined(ZELT_FUZZ_AVATAX_JSON)
    zelt::platform::AvaTaxResult result;
    try {
        result = zelt::avaTaxResultFromJson(text);
    } catch (...) {
        broken("reading an AvaTax answer threw", text);
    }
    if (result.resultCode < 0 || result.resultCode > 3) broken("a result code outside Success..Exception", text);
#elif defined(ZELT_FUZZ_FREIGHT_RULES)
    try {
        (void)zelt::platform::RuleTableFreightCalculator::fromJson(text);
    } catch (const zelt::platform::FreightRulesError&) {
    } catch (...) {
        broken("a rules file was refused with something other than FreightRulesError", text);
    }
#elif defined(ZELT_FUZZ_HTTP_HEADERS)
    // The address, a header name and its value, cut at the first two 0x1F bytes.
    const std::size_t a = text.find('\x1f');
    const std::size_t b = a == std::string_view::npos ? a : text.find('\x1f', a + 1);
    if (b == std::string_view::npos) return 0;
    zelt::platform::HttpRequest request;
    request.url = std::string(text.substr(0, a));
    request.headers = {{"Accept", "text/xml"}, {std::string(text.substr(a + 1, b - a - 1)), std::string(text.substr(b + 1))}};
    RecordingHttp http;
    const zelt::platform::HttpResult result = http.post(request);
    const bool unsafe = breaksLine(request.url) || breaksLine(request.headers[1].first) || breaksLine(request.headers[1].second);
    if (unsafe && (http.sent != 0 || result.failure.rfind("refused: ", 0) != 0))
        broken("a line break in the address or a header went out", text);
    if (!unsafe && http.sent != 1) broken("a request without line breaks was refused", text);
#else
#error "define the reader to fuzz, e.g. ZELT_FUZZ_URL_DECODE"
#endif
    return 0;
}
