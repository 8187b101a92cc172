#include "zelt/platform/CurlHttpClient.h"

#include "platform/CurlHandle.h"

#include "zelt/platform/ServiceActivity.h"

#include <mutex>

namespace zelt::platform {

namespace {

struct Answer {
    std::string body;
    std::size_t cap = 0;
    bool overflowed = false;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* answer = static_cast<Answer*>(user);
    const std::size_t n = size * count;
    if (answer->body.size() + n > answer->cap) {
        answer->overflowed = true;
        return 0; // stops the transfer
    }
    answer->body.append(data, n);
    return n;
}

} // namespace

/// The handle kept between exchanges: its connection cache outlives each
/// exchange, its options do not (each exchange starts from a reset handle).
struct CurlHttpClient::Kept {
    std::mutex busy;
    CurlHandle curl;
    CurlMulti multi;
    Settings settings;
    mutable std::mutex counting;
    Traffic traffic;
};

namespace {

/// Runs the transfer of `h` in `multi`, looking at the clerk's cancel at
/// least every 25 ms. Cancelled: the transfer is dropped, nothing is read.
struct Transfer {
    CURLcode code = CURLE_OK;
    bool cancelled = false;
};

Transfer perform(CURLM* multi, CURL* h)
{
    Transfer out;
    if (curl_multi_add_handle(multi, h) != CURLM_OK) {
        out.code = CURLE_FAILED_INIT;
        return out;
    }
    for (int running = 1;;) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            out.code = CURLE_FAILED_INIT;
            break;
        }
        if (!running) {
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &left))
                if (message->msg == CURLMSG_DONE && message->easy_handle == h) out.code = message->data.result;
            break;
        }
        if (ServiceActivity::cancelRequested()) {
            out.cancelled = true;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, 25, nullptr);
    }
    curl_multi_remove_handle(multi, h);
    return out;
}

} // namespace

CurlHttpClient::CurlHttpClient() : CurlHttpClient(Settings{}) {}

CurlHttpClient::CurlHttpClient(Settings settings)
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    kept_ = std::make_unique<Kept>();
    kept_->settings = std::move(settings);
}

CurlHttpClient::Traffic CurlHttpClient::traffic() const
{
    const std::lock_guard<std::mutex> lock(kept_->counting);
    return kept_->traffic;
}

CurlHttpClient::~CurlHttpClient() = default;

void CurlHttpClient::count(void* h)
{
    long connections = 0, requestBytes = 0, headerBytes = 0;
    curl_off_t bodySent = 0, bodyReceived = 0;
    curl_easy_getinfo(h, CURLINFO_NUM_CONNECTS, &connections);
    curl_easy_getinfo(h, CURLINFO_REQUEST_SIZE, &requestBytes);
    curl_easy_getinfo(h, CURLINFO_SIZE_UPLOAD_T, &bodySent);
    curl_easy_getinfo(h, CURLINFO_HEADER_SIZE, &headerBytes);
    curl_easy_getinfo(h, CURLINFO_SIZE_DOWNLOAD_T, &bodyReceived);
    const std::lock_guard<std::mutex> lock(kept_->counting);
    kept_->traffic.connections += connections;
    kept_->traffic.bytesSent += requestBytes + bodySent;
    kept_->traffic.bytesReceived += headerBytes + bodyReceived;
}

HttpResult CurlHttpClient::exchange(const HttpRequest& request)
{
    const std::lock_guard<std::mutex> lock(kept_->busy);
    if (!kept_->curl || !kept_->multi) return HttpResult::notStarted("libcurl could not start an exchange");
    CURL* h = kept_->curl.get();
    CurlHeaders headers;
    for (const auto& [name, value] : request.headers) headers.append((name + ": " + value).c_str());
    headers.append("Expect:"); // no 100-continue round trip for large envelopes

    Answer answer;
    answer.cap = request.maxAnswerBytes;
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
    if (request.method == "GET") {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &answer);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(request.totalTimeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    // gzip and deflate, which every server offers; a server that compresses
    // brotli at its highest quality spends more time on it than the wire saves.
    const Settings& settings = kept_->settings;
    if (settings.compressedAnswers) curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    if (!settings.certificateAuthorities.empty())
        curl_easy_setopt(h, CURLOPT_CAINFO, settings.certificateAuthorities.c_str());
    if (!settings.keepConnections) {
        curl_easy_setopt(h, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    }

    // The handle outlives this exchange's header list, answer and error
    // buffer: it forgets them (and every option) when the exchange is over.
    struct ForgetOptions {
        CURL* h;
        ~ForgetOptions() { curl_easy_reset(h); }
    } const forget{h};
    const Transfer transfer = perform(kept_->multi.get(), h);
    count(h);
    const CURLcode code = transfer.code;
    if (transfer.cancelled) return HttpResult::failed("cancelled by the clerk");
    if (answer.overflowed) return HttpResult::answerTooLarge(request.maxAnswerBytes);
    if (code != CURLE_OK)
        return HttpResult::failed(std::string(curl_easy_strerror(code)) + (error[0] ? std::string(": ") + error : ""));
    HttpResponse response;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &response.status);
    response.body = std::move(answer.body);
    return {std::move(response), {}};
}

} // namespace zelt::platform
