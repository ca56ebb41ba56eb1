#pragma once

#include <openssl/ssl.h>

#include <memory>
#include <string>

namespace test_site::detail {

struct SslCtxFree {
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
using SslContext = std::unique_ptr<SSL_CTX, SslCtxFree>;

struct SslFree {
    void operator()(SSL* ssl) const { SSL_free(ssl); }
};
using SslHandle = std::unique_ptr<SSL, SslFree>;

// The process's one test certificate and its key, both PEM, made on first use.
struct Credentials {
    std::string certificate_pem;
    std::string key_pem;
};
[[nodiscard]] const Credentials& test_credentials();

// A server context that presents the test certificate; throws
// std::runtime_error when OpenSSL refuses.
[[nodiscard]] SslContext make_server_context();

}  // namespace test_site::detail
