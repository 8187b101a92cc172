#pragma once

#include "zelt/platform/HttpClient.h"

#include <memory>

namespace zelt::platform {

/// HTTP over libcurl: http and https only, no redirects followed, TLS peers
/// and host names verified against the system's certificates, the request's
/// time-outs and answer cap enforced, compressed answers asked for (the cap
/// holds for the answer as decoded). The client keeps its connections open
/// between exchanges, so the exchanges of one tax calculation with one host
/// pay the TCP and TLS handshakes once; exchanges through one client run one
/// at a time.
class CurlHttpClient : public HttpClient {
public:
    CurlHttpClient();
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

protected:
    HttpResult exchange(const HttpRequest& request) override;

private:
    struct Kept;
    std::unique_ptr<Kept> kept_;
};

} // namespace zelt::platform
