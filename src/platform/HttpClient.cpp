#include "zelt/platform/HttpClient.h"

namespace zelt::platform {

namespace {

constexpr std::string_view kLineBreaks("\r\n\0", 3);

bool breaksLine(std::string_view text) { return text.find_first_of(kLineBreaks) != std::string_view::npos; }

} // namespace

HttpResult HttpClient::post(const HttpRequest& request)
{
    if (breaksLine(request.url)) return HttpResult::failed("refused: the address holds a line break or a NUL");
    for (const auto& [name, value] : request.headers) {
        if (!breaksLine(name) && !breaksLine(value)) continue;
        // Named up to the break; the value is never shown (it may be a credential).
        const std::string shown = name.substr(0, name.find_first_of(kLineBreaks));
        return HttpResult::failed("refused: the header \"" + shown + "\" holds a line break or a NUL in its " +
                                  (breaksLine(name) ? "name" : "value"));
    }
    return exchange(request);
}

} // namespace zelt::platform
