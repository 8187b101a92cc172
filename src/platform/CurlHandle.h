#pragma once

#include <curl/curl.h>

#include <memory>

namespace zelt::platform {

/// Owns one libcurl handle made by `Init` and freed by `Cleanup`.
template <typename T, auto Init, auto Cleanup>
class CurlOwned {
public:
    CurlOwned() : handle_(Init()) {}
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    T* get() const noexcept { return handle_.get(); }

private:
    struct Free {
        void operator()(T* h) const noexcept { Cleanup(h); }
    };
    std::unique_ptr<T, Free> handle_;
};

/// One easy handle: one exchange at a time.
using CurlHandle = CurlOwned<CURL, &curl_easy_init, &curl_easy_cleanup>;
/// One multi handle, and so the connections it keeps.
using CurlMulti = CurlOwned<CURLM, &curl_multi_init, &curl_multi_cleanup>;

/// Owns a libcurl header list.
class CurlHeaders {
public:
    void append(const char* line) { list_.reset(curl_slist_append(list_.release(), line)); }
    curl_slist* get() const noexcept { return list_.get(); }

private:
    struct Free {
        void operator()(curl_slist* l) const noexcept { curl_slist_free_all(l); }
    };
    std::unique_ptr<curl_slist, Free> list_;
};

} // namespace zelt::platform
