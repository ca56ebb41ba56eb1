#include "web/cookie_store.h"

#include <array>
#include <mutex>

#include "web/curl_handles.h"

namespace {

// One lock per kind of shared data, so that a cookie lookup never waits on
// the connection cache of another transfer.
std::array<std::mutex, CURL_LOCK_DATA_LAST> share_locks;

void lock_share(CURL*, curl_lock_data data, curl_lock_access, void*) {
    share_locks[static_cast<std::size_t>(data)].lock();
}

void unlock_share(CURL*, curl_lock_data data, void*) {
    share_locks[static_cast<std::size_t>(data)].unlock();
}

CURLSH* store = nullptr;

}  // namespace

void create_cookie_store() {
    CurlShare share(curl_share_init());
    if (!share) return;
    bool ok =
        curl_share_setopt(share.get(), CURLSHOPT_LOCKFUNC, lock_share) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_UNLOCKFUNC, unlock_share) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT) == CURLSHE_OK;
    // Kept for the whole run on purpose: see the header.
    if (ok) store = share.release();
}

CURLSH* cookie_store() { return store; }

void clear_cookie_store() {
    if (store == nullptr) return;
    CurlEasy easy(curl_easy_init());
    if (!easy) return;
    // A handle joined to the share reaches the shared jar itself.
    if (curl_easy_setopt(easy.get(), CURLOPT_SHARE, store) == CURLE_OK) {
        curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
    }
}
