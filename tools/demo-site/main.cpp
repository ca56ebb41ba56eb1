// The bundled demo site: a search site, its detail pages and a notice page on
// 127.0.0.1, for running the program without the internet.
//
//   demo-site [--new-version]
//
// Listens on an ephemeral port, prints "http://127.0.0.1:PORT" on its first
// line once it listens, then serves until it is ended (SIGINT or SIGTERM).
// With --new-version the notice page announces version 1.6.

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>

#include "demo_pages.h"
#include "test_site.h"

namespace {

volatile std::sig_atomic_t stop_requested = 0;

void request_stop(int) { stop_requested = 1; }

}  // namespace

int main(int argc, char** argv) {
    std::string version = "1.5";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--new-version") {
            version = "1.6";
        } else {
            std::cerr << "usage: demo-site [--new-version]\n";
            return 2;
        }
    }

    test_site::TestSite site([&version](const test_site::Request& request) {
        // Links point back at whichever address the client used.
        const std::string site_address = "http://" + request.header("Host").value_or("127.0.0.1");
        std::string body = demo_pages::page_for(site_address, request.target, version);
        if (body.empty()) return test_site::page("<h1>404</h1>", 404);
        return test_site::page(std::move(body));
    });
    try {
        site.start();
    } catch (const std::exception& error) {
        std::cerr << "demo-site: " << error.what() << "\n";
        return 1;
    }
    std::cout << site.url("") << std::endl;

    std::signal(SIGINT, request_stop);
    std::signal(SIGTERM, request_stop);
    while (!stop_requested) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    site.stop();
    return 0;
}
