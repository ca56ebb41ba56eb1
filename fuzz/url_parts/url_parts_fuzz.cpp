#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_input.h"
#include "web/url_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input(data, size);
    const Text url = input.part(0);

    const Text host = url_host(url);
    const Text host_and_port = url_host(url, true);
    // Letters are lower-cased; a trail byte of a GBK character is no letter.
    for (std::size_t at = 0; at < host.size(); at += host.byte(at) >= 0x80 ? 2 : 1) {
        fuzz_require(host.byte(at) < 'A' || host.byte(at) > 'Z', "the host is lower-cased");
    }
    fuzz_require(host_and_port.view().starts_with(host.view()),
                 "the host and port begin with the host");
    fuzz_require(contains(url, url_user(url)) && contains(url, url_password(url)),
                 "user and password are pieces of the address");

    const Text path = url_path(url);
    fuzz_require(path.view().starts_with("/"), "the path begins with a slash");
    fuzz_require(
        path.size() == 1 || contains(url, path) || contains(url, Text(path.view().substr(1))),
        "the path comes from the address");

    // A port text may carry a sign, so any value can come back; only the
    // reading itself is under test.
    (void)url_port(url);
    (void)is_secure_address(url);
    return 0;
}
