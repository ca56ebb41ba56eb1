#pragma once

#include <curl/curl.h>

#include <memory>

// Owners for libcurl's C handles: each is freed on every path by its owner.

struct CurlEasyFree {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyFree>;

struct CurlListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlList = std::unique_ptr<curl_slist, CurlListFree>;

struct CurlShareFree {
    void operator()(CURLSH* share) const { curl_share_cleanup(share); }
};
using CurlShare = std::unique_ptr<CURLSH, CurlShareFree>;

struct CurlUrlFree {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using CurlUrl = std::unique_ptr<CURLU, CurlUrlFree>;

struct CurlStringFree {
    void operator()(char* text) const { curl_free(text); }
};
using CurlString = std::unique_ptr<char, CurlStringFree>;

// Appends one line to `list`; false (and `list` as it was) when libcurl
// could not allocate.
[[nodiscard]] inline bool append_line(CurlList& list, const char* line) {
    curl_slist* longer = curl_slist_append(list.get(), line);
    if (longer == nullptr) return false;
    static_cast<void>(list.release());
    list.reset(longer);
    return true;
}
