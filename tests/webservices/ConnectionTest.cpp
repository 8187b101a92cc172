// What the HTTP client does for exchanges at scale: one kept connection for
// the exchanges with one host, compressed answers asked for and capped as
// decoded, and an AvaTax cap that grows with the order.
#include "AvaTaxStandIn.h"
#include "LoopbackServer.h"

#include "zelt/platform/AvaTaxRestService.h"
#include "zelt/platform/CurlHttpClient.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <set>

using namespace zelt;

namespace {

std::string deflated(const std::string& text)
{
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
              static_cast<uLong>(text.size()), 9);
    out.resize(size);
    return out;
}

/// Keeps the cap of each request and answers as if the answer had passed it.
struct CapRecorder : platform::HttpClient {
    std::size_t cap = 0;
    platform::HttpResult exchange(const platform::HttpRequest& request) override
    {
        cap = request.maxAnswerBytes;
        return platform::HttpResult::answerTooLarge(cap);
    }
};

class Connections : public ::testing::Test {
protected:
    Connections()
    {
        server.server.Post("/echo", [this](const httplib::Request& req, httplib::Response& res) {
            const std::lock_guard lock(mutex);
            ports.insert(req.remote_port);
            offered = req.get_header_value("Accept-Encoding");
            res.set_content(req.body, "text/plain");
        });
        // The answer the request names, sent deflated.
        server.server.Post("/deflated", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(deflated(std::string(std::stoul(req.body), 'z')), "text/plain");
            res.set_header("Content-Encoding", "deflate");
        });
        server.start();
    }
    platform::HttpResult post(const std::string& path, const std::string& body, std::size_t cap = 8u << 20)
    {
        platform::HttpRequest request;
        request.url = server.url(path);
        request.body = body;
        request.maxAnswerBytes = cap;
        return http.post(request);
    }

    standins::LoopbackServer server;
    platform::CurlHttpClient http;
    std::mutex mutex;
    std::set<int> ports;
    std::string offered;
};

} // namespace

TEST_F(Connections, ExchangesWithOneHostShareOneConnectionCompressedAnswersAreCappedAsDecodedAndAvaTaxsCapGrowsWithTheOrder)
{
    for (const char* body : {"ping", "create", "retry"}) {
        const auto result = post("/echo", body);
        ASSERT_TRUE(result.ok()) << result.failure;
        EXPECT_EQ(result.response->body, body);
    }
    EXPECT_EQ(ports.size(), 1u);
    // A refused exchange in between leaves the kept connection usable.
    EXPECT_FALSE(post("/echo", "x", 0).ok());
    EXPECT_TRUE(post("/echo", "again").ok());
    // Compressed answers are asked for, decoded and capped as decoded.
    EXPECT_NE(offered.find("deflate"), std::string::npos) << offered;
    const auto small = post("/deflated", "5000", 10'000);
    ASSERT_TRUE(small.ok()) << small.failure;
    EXPECT_EQ(small.response->body, std::string(5000, 'z'));
    // 300 kB that come as a few hundred bytes are still 300 kB for the cap.
    const auto large = post("/deflated", "300000", 100'000);
    EXPECT_FALSE(large.ok());
    EXPECT_TRUE(large.tooLarge);
    EXPECT_NE(large.failure.find("larger than 100000 bytes"), std::string::npos) << large.failure;
    // AvaTax's answer cap grows with the order and says when it was the reason.
    auto recorder = std::make_shared<CapRecorder>();
    platform::AvaTaxRestService service(recorder);
    service.setUrl("https://avatax.example");
    service.setAccount("1");
    service.setLicenseKey("k");
    service.setLimits(std::chrono::seconds(1), std::chrono::seconds(1), 1u << 20);
    struct Case { std::size_t lines, cap; } cases[] = {{1, 1u << 20}, {10'000, 10'000u * (16u << 10)}, {40'000, 512u << 20}};
    for (const Case& c : cases) {
        platform::AvaTaxRequest request;
        request.lines.resize(c.lines);
        const platform::AvaTaxResult result = service.getTax(request);
        EXPECT_EQ(recorder->cap, c.cap) << c.lines << " lines";
        ASSERT_FALSE(result.messages.empty());
        EXPECT_EQ(result.messages.front().summary, "AvaTax's answer is too large for this order");
        EXPECT_NE(service.lastFailure().find("larger than"), std::string::npos) << service.lastFailure();
    }
}

// Over TLS, a ping, a transaction and its retry open one connection between
// them, and the answers travel compressed: fewer bytes on the wire than the
// client reads once decoded.
TEST(TlsConnections, PingCreateAndRetryShareOneConnectionAndTravelCompressed)
{
    standins::AvaTaxStandIn service("1100000000", "KEY", ZELT_TEST_CERT, ZELT_TEST_KEY);
    auto http = std::make_shared<platform::CurlHttpClient>(platform::CurlHttpClient::Settings{ZELT_TEST_CERT});
    platform::AvaTaxRestService client(http);
    client.setUrl(service.url());
    client.setAccount("1100000000");
    client.setLicenseKey("KEY");
    platform::AvaTaxRequest request;
    request.docDate = "2024-05-01";
    request.destination = {"5 Broadway", "", "", "New York", "NY", "10004", "US"};
    for (int i = 1; i <= 500; ++i) request.lines.push_back({"L" + std::to_string(i), "M", 2, text::Currency::fromUnits(12500), ""});
    ASSERT_EQ(client.ping(""), 0) << client.lastFailure();
    std::size_t decoded = 0;
    for (int exchange = 0; exchange < 2; ++exchange) {
        const platform::AvaTaxResult result = client.getTax(request);
        ASSERT_EQ(result.resultCode, 0) << client.lastFailure();
        ASSERT_EQ(result.lines.size(), 500u);
        decoded += service.lastAnswerBytes();
    }
    EXPECT_EQ(service.connections(), 1u);
    const platform::CurlHttpClient::Traffic traffic = http->traffic();
    EXPECT_EQ(traffic.connections, 1);
    EXPECT_GT(traffic.bytesSent, static_cast<std::int64_t>(2 * service.lastBody().size()));
    EXPECT_LT(traffic.bytesReceived * 4, static_cast<std::int64_t>(decoded)) << traffic.bytesReceived << " of " << decoded;
}
