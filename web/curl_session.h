#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

// The web layer's process-wide state: libcurl's global initialisation, the
// limits every request runs under, and the shared cookie store.

struct WebSettings {
    // A connection (TLS handshake and proxy tunnel included) not established
    // within this time fails.
    std::chrono::milliseconds connect_timeout{10'000};
    // A transfer that moves no byte for this long fails. libcurl checks about
    // once a second, so a limit below that ends a stall within a second.
    std::chrono::milliseconds idle_timeout{30'000};
    // A transfer still running after this long fails: a server that drips a
    // byte now and then would otherwise hold the fetch forever.
    std::chrono::milliseconds transfer_timeout{120'000};
    // A body is read to at most this many bytes; past that the transfer stops.
    std::size_t body_limit = std::size_t{64} << 20;
    long max_redirects = 10;
    // PEM certificates to trust instead of the system's store when not empty.
    std::string trusted_certificates;
};

// Initialises libcurl and the cookie store (once per process) and puts
// `settings` in force for the requests that start after it. Call it from
// main before any thread starts a request; requests call it with the
// defaults themselves if nobody did.
void init_web(const WebSettings& settings = {});

// The settings in force; safe from any thread.
[[nodiscard]] std::shared_ptr<const WebSettings> web_settings();
