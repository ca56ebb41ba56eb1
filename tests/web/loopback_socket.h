#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A TCP socket bound to 127.0.0.1 and an ephemeral port, closed on
// destruction. Listening without ever accepting makes a peer that completes
// the TCP handshake and then never says a word; closing it at once leaves a
// port that refuses.
class LoopbackSocket {
  public:
    explicit LoopbackSocket(bool listening) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
            (listening && ::listen(fd_, 16) != 0)) {
            return;
        }
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackSocket() {
        if (fd_ >= 0) ::close(fd_);
    }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    // 0 when the socket could not be set up.
    [[nodiscard]] int port() const { return port_; }

  private:
    int fd_;
    int port_ = 0;
};
