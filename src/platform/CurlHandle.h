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

/// Owns one libcurl multi handle (and so the connections it keeps).
class CurlMulti {
public:
    CurlMulti() : handle_(curl_multi_init()) {}
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    CURLM* get() const noexcept { return handle_.get(); }

private:
    struct Cleanup {
        void operator()(CURLM* m) const noexcept { curl_multi_cleanup(m); }
    };
    std::unique_ptr<CURLM, Cleanup> handle_;
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
