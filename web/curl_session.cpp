#include "web/curl_session.h"

#include <curl/curl.h>

#include <mutex>

#include "web/cookie_store.h"

namespace {

std::once_flag global_init;
std::mutex settings_lock;
std::shared_ptr<const WebSettings> settings_in_force;

}  // namespace

void init_web(const WebSettings& settings) {
    std::call_once(global_init, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) create_cookie_store();
    });
    auto fresh = std::make_shared<const WebSettings>(settings);
    std::lock_guard lock(settings_lock);
    settings_in_force = std::move(fresh);
}

std::shared_ptr<const WebSettings> web_settings() {
    {
        std::lock_guard lock(settings_lock);
        if (settings_in_force) return settings_in_force;
    }
    init_web();
    std::lock_guard lock(settings_lock);
    return settings_in_force;
}
