#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelt::platform {

/// One exchange: the method (POST with the body, or GET), the address, the
/// headers in the order they are sent, and the bounds of the exchange.
struct HttpRequest {
    /// "POST" (the body is sent) or "GET".
    std::string method = "POST";
    /// The address: http or https.
    std::string url;
    /// The headers, name and value, in the order they are sent.
    std::vector<std::pair<std::string, std::string>> headers;
    /// The body of a POST.
    std::string body;
    /// The longest wait for the connection.
    std::chrono::milliseconds connectTimeout{10'000};
    /// The longest time the whole exchange takes.
    std::chrono::milliseconds totalTimeout{30'000};
    /// An answer larger than this (as decoded, when it came compressed) is
    /// cut off and the exchange fails.
    std::size_t maxAnswerBytes = 8u << 20;
};

/// An answer: its HTTP status and body (decoded when it came compressed).
struct HttpResponse {
    /// The HTTP status code.
    long status = 0;
    /// The body of the answer.
    std::string body;
};

/// What an exchange gave: the answer, or why there is none. Network faults,
/// time-outs and refused answers are values, not exceptions.
struct HttpResult {
    /// The answer, whatever its status; none when the exchange failed.
    std::optional<HttpResponse> response;
    /// Why there is no answer (no credentials in it).
    std::string failure;
    /// False when no exchange could even be set up (the HTTP library could
    /// not make a request): the clerk is then told where to get the component.
    bool started = true;
    /// True when the answer was refused for being larger than the request's cap.
    bool tooLarge = false;

    /// True when there is an answer.
    bool ok() const noexcept { return response.has_value(); }
    /// An exchange that failed for `why`.
    static HttpResult failed(std::string why) { return {std::nullopt, std::move(why)}; }
    /// An exchange that could not be set up at all.
    static HttpResult notStarted(std::string why) { return {std::nullopt, std::move(why), false}; }
    /// An answer refused for being larger than `cap` bytes.
    static HttpResult answerTooLarge(std::size_t cap)
    {
        return {std::nullopt, "the answer is larger than " + std::to_string(cap) + " bytes", true, true};
    }
};

/// A synchronous HTTP client. The control posts its web-service requests
/// through the one its host hands it (libcurl by default). A host's own
/// client implements exchange(); post() guards every exchange first.
class HttpClient {
public:
    /// Destroys the client.
    virtual ~HttpClient() = default;
    /// Sends the request, unless its address or a header name or value holds
    /// a CR, LF or NUL (which would end the line and start a header of its
    /// own): that is a failed exchange naming what was refused, and nothing
    /// is sent.
    HttpResult post(const HttpRequest& request);

protected:
    /// The exchange itself, for a request that passed post()'s checks.
    virtual HttpResult exchange(const HttpRequest& request) = 0;
};

} // namespace zelt::platform
