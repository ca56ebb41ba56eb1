#pragma once

#include <atomic>
#include <cstddef>
#include <string_view>

#include "tls_context.h"

namespace test_site::detail {

// One accepted connection, plain or TLS. It owns the socket and closes it.
class Stream {
  public:
    // With a TLS context the handshake runs in `handshake`.
    Stream(int fd, SSL_CTX* tls);
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    // True for a plain connection; for TLS, whether the handshake succeeded.
    [[nodiscard]] bool handshake();
    // Up to `size` bytes; 0 when the peer has closed or the read failed.
    [[nodiscard]] std::size_t read_some(char* buffer, std::size_t size);
    [[nodiscard]] bool write_all(std::string_view bytes);
    // Holds the connection open without a byte until the peer closes it or
    // `stopping` turns true.
    void wait_for_close(const std::atomic<bool>& stopping);
    [[nodiscard]] int fd() const { return fd_; }

  private:
    int fd_;
    SslHandle ssl_;
};

}  // namespace test_site::detail
