#include "site_stream.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace test_site::detail {

Stream::Stream(int fd, SSL_CTX* tls) : fd_(fd) {
    if (tls != nullptr) {
        ssl_.reset(SSL_new(tls));
        if (ssl_) SSL_set_fd(ssl_.get(), fd_);
    }
}

Stream::~Stream() {
    if (ssl_) SSL_shutdown(ssl_.get());
    ssl_.reset();
    ::close(fd_);
}

bool Stream::handshake() {
    if (!ssl_) return true;
    return SSL_accept(ssl_.get()) == 1;
}

std::size_t Stream::read_some(char* buffer, std::size_t size) {
    if (ssl_) {
        std::size_t got = 0;
        return SSL_read_ex(ssl_.get(), buffer, size, &got) == 1 ? got : 0;
    }
    for (;;) {
        ssize_t got = ::recv(fd_, buffer, size, 0);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) return 0;
    }
}

bool Stream::write_all(std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t sent = 0;
        if (ssl_) {
            if (SSL_write_ex(ssl_.get(), bytes.data(), bytes.size(), &sent) != 1) return false;
        } else {
            ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            sent = static_cast<std::size_t>(n);
        }
        bytes.remove_prefix(sent);
    }
    return true;
}

void Stream::wait_for_close(const std::atomic<bool>& stopping) {
    // Polls rather than blocks so that stop() never waits on a client that
    // keeps the connection open.
    while (!stopping) {
        pollfd watch{fd_, POLLIN, 0};
        int ready = ::poll(&watch, 1, 50);
        if (ready < 0 && errno != EINTR) return;
        if (ready <= 0) continue;
        if (watch.revents & (POLLHUP | POLLERR | POLLNVAL)) return;
        char sink[4096];
        if (::recv(fd_, sink, sizeof sink, 0) <= 0) return;
    }
}

}  // namespace test_site::detail
