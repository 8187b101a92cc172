#pragma once

#include <curl/curl.h>

#include <memory>

namespace zelt::platform {

/// Owns one libcurl easy handle.
class CurlHandle {
public:
    CurlHandle() : handle_(curl_easy_init()) {}
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    CURL* get() const noexcept { return handle_.get(); }

private:
    struct Cleanup {
        void operator()(CURL* h) const noexcept { curl_easy_cleanup(h); }
    };
    std::unique_ptr<CURL, Cleanup> handle_;
};

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
