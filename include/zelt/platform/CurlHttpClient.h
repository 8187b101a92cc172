#pragma once

#include "zelt/platform/HttpClient.h"

#include <cstdint>
#include <memory>
#include <string>

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
    /// How the client makes its exchanges.
    struct Settings {
        /// A PEM file of the certificate authorities to trust in place of the
        /// system's (a company's own, say); empty for the system's.
        std::string certificateAuthorities;
        /// False: a new connection for every exchange, closed after it.
        bool keepConnections = true;
        /// False: answers are asked for uncompressed.
        bool compressedAnswers = true;
    };
    /// What the exchanges so far cost on the wire: the connections opened,
    /// and the bytes of the requests sent and answers received, headers and
    /// bodies as they travelled (compressed answers as compressed; the TLS
    /// records around them not counted).
    struct Traffic {
        /// Connections opened.
        std::int64_t connections = 0;
        /// Bytes of the requests sent.
        std::int64_t bytesSent = 0;
        /// Bytes of the answers received.
        std::int64_t bytesReceived = 0;
    };

    /// A client with the default settings (the system's certificate
    /// authorities, connections kept, compressed answers).
    CurlHttpClient();
    /// A client with these settings.
    explicit CurlHttpClient(Settings settings);
    /// Closes the kept connections.
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    /// The traffic of every exchange so far (safe from any thread).
    Traffic traffic() const;

protected:
    HttpResult exchange(const HttpRequest& request) override;

private:
    struct Kept;
    /// Adds the transfer just ended to the traffic.
    void count(void* curl);
    std::unique_ptr<Kept> kept_;
};

} // namespace zelt::platform
