#pragma once

#include "zelt/platform/HttpClient.h"

namespace zelt::platform {

/// HTTP over libcurl, one handle per exchange: http and https only, no
/// redirects followed, TLS peers and host names verified against the system's
/// certificates, the request's time-outs and answer cap enforced.
class CurlHttpClient : public HttpClient {
public:
    CurlHttpClient();

protected:
    HttpResult exchange(const HttpRequest& request) override;
};

} // namespace zelt::platform
