#include "test_site.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <list>
#include <set>
#include <stdexcept>
#include <thread>

#include "site_messages.h"
#include "site_stream.h"

namespace test_site {

using detail::Stream;

struct TestSite::Impl {
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    Handler handler;
    detail::SslContext tls;
    int listen_fd = -1;
    std::atomic<bool> stopping{false};
    std::thread acceptor;

    mutable std::mutex mutex;  // guards everything below
    std::vector<Request> requests;
    std::list<Worker> workers;
    std::set<int> open_fds;

    void accept_loop();
    void serve(int fd);
    void run_connection(Stream& stream);
    [[nodiscard]] bool send_reply(Stream& stream, const Request& request, const Reply& reply);
    [[nodiscard]] bool send_body(Stream& stream, const Reply& reply);
    void relay(Stream& stream, const Request& request);
    // Sleeps in short steps so that stop() is not held up; false once stopping.
    [[nodiscard]] bool pause(std::chrono::milliseconds delay) const;
    void reap_finished_workers();
};

namespace {

bool wants_close(const Request& request) {
    std::optional<std::string> connection = request.header("Connection");
    auto is = [&](std::string_view word) {
        return connection && connection->size() == word.size() &&
               std::equal(word.begin(), word.end(), connection->begin(),
                          [](char a, char b) { return std::tolower(a) == std::tolower(b); });
    };
    if (request.version == "HTTP/1.0") return !is("keep-alive");
    return is("close");
}

// "127.0.0.1:PORT" or "localhost:PORT" to a loopback address; nothing else,
// so that a tunnel can never leave the machine.
std::optional<sockaddr_in> loopback_target(std::string_view authority) {
    std::size_t colon = authority.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    std::string_view host = authority.substr(0, colon);
    std::string_view port_text = authority.substr(colon + 1);
    if (host != "127.0.0.1" && host != "localhost") return std::nullopt;
    int port = 0;
    auto [end, error] =
        std::from_chars(port_text.data(), port_text.data() + port_text.size(), port);
    if (error != std::errc() || end != port_text.data() + port_text.size() || port <= 0 ||
        port > 65535) {
        return std::nullopt;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

TestSite::TestSite(Handler handler, bool tls) : impl_(std::make_unique<Impl>()) {
    impl_->handler = std::move(handler);
    if (tls) impl_->tls = detail::make_server_context();
}

TestSite::~TestSite() { stop(); }

void TestSite::start() {
    if (impl_->listen_fd >= 0) return;
    ::signal(SIGPIPE, SIG_IGN);
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("test site: socket");
    int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 128) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::close(fd);
        throw std::runtime_error("test site: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    impl_->listen_fd = fd;
    impl_->stopping = false;
    impl_->acceptor = std::thread([impl = impl_.get()] { impl->accept_loop(); });
}

void TestSite::stop() {
    if (impl_->listen_fd < 0) return;
    impl_->stopping = true;
    ::shutdown(impl_->listen_fd, SHUT_RDWR);
    impl_->acceptor.join();
    ::close(impl_->listen_fd);
    impl_->listen_fd = -1;

    std::list<Impl::Worker> workers;
    {
        std::lock_guard lock(impl_->mutex);
        for (int fd : impl_->open_fds) ::shutdown(fd, SHUT_RDWR);
        workers.swap(impl_->workers);
    }
    for (Impl::Worker& worker : workers) worker.thread.join();
}

std::string TestSite::url(std::string_view path) const {
    return std::string(impl_->tls ? "https://" : "http://") + authority() + std::string(path);
}

std::string TestSite::authority() const { return "127.0.0.1:" + std::to_string(port_); }

std::vector<Request> TestSite::requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

void TestSite::clear_requests() {
    std::lock_guard lock(impl_->mutex);
    impl_->requests.clear();
}

const std::string& TestSite::certificate_pem() {
    return detail::test_credentials().certificate_pem;
}

void TestSite::Impl::accept_loop() {
    while (!stopping) {
        int fd = ::accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;  // the listening socket was shut down
        }
        reap_finished_workers();
        std::lock_guard lock(mutex);
        if (stopping) {
            ::close(fd);
            return;
        }
        open_fds.insert(fd);
        auto done = std::make_shared<std::atomic<bool>>(false);
        workers.push_back({std::thread([this, fd, done] {
                               serve(fd);
                               *done = true;
                           }),
                           done});
    }
}

void TestSite::Impl::reap_finished_workers() {
    std::list<Worker> finished;
    {
        std::lock_guard lock(mutex);
        for (auto it = workers.begin(); it != workers.end();) {
            auto next = std::next(it);
            if (*it->done) finished.splice(finished.end(), workers, it);
            it = next;
        }
    }
    for (Worker& worker : finished) worker.thread.join();
}

void TestSite::Impl::serve(int fd) {
    Stream stream(fd, tls.get());
    run_connection(stream);
    // Forget the socket before the stream closes it, so that stop() never
    // shuts down a number the system has handed out again.
    std::lock_guard lock(mutex);
    open_fds.erase(fd);
}

void TestSite::Impl::run_connection(Stream& stream) {
    if (!stream.handshake()) return;
    std::string buffer;
    char chunk[16384];
    while (!stopping) {
        std::optional<Request> request = detail::take_request(buffer);
        if (!request) {
            if (buffer.size() > detail::max_head) return;
            std::size_t got = stream.read_some(chunk, sizeof chunk);
            if (got == 0) return;
            buffer.append(chunk, got);
            continue;
        }
        {
            std::lock_guard lock(mutex);
            requests.push_back(*request);
        }
        Reply reply;
        try {
            reply = handler(*request);
        } catch (...) {
            reply = page("handler failed", 500);
            reply.close = true;
        }
        if (!send_reply(stream, *request, reply)) return;
    }
}

bool TestSite::Impl::send_reply(Stream& stream, const Request& request, const Reply& reply) {
    switch (reply.fault) {
        case Fault::close_before_reply:
            return false;
        case Fault::stall_before_reply:
            stream.wait_for_close(stopping);
            return false;
        default:
            break;
    }
    if (!stream.write_all(detail::reply_head(reply))) return false;
    if (request.method == "CONNECT" && reply.tunnel && reply.status / 100 == 2) {
        relay(stream, request);
        return false;
    }
    if (request.method != "HEAD" && !send_body(stream, reply)) return false;
    switch (reply.fault) {
        case Fault::close_mid_body:
            return false;
        case Fault::stall_mid_body:
            stream.wait_for_close(stopping);
            return false;
        default:
            break;
    }
    return !reply.close && !wants_close(request);
}

bool TestSite::Impl::send_body(Stream& stream, const Reply& reply) {
    if (reply.fault == Fault::endless_body) {
        const std::string filler(65536, 'x');
        const std::string& piece = reply.body.empty() ? filler : reply.body;
        while (!stopping) {
            if (!pause(reply.piece_delay) || !stream.write_all(piece)) return false;
        }
        return false;
    }
    std::string_view body = reply.body;
    if (reply.fault == Fault::close_mid_body || reply.fault == Fault::stall_mid_body) {
        body = body.substr(0, reply.fault_after);
    }
    std::size_t piece = reply.piece_size > 0 ? reply.piece_size : body.size();
    while (!body.empty()) {
        std::string_view next = body.substr(0, piece);
        if (!pause(reply.piece_delay) || !stream.write_all(next)) return false;
        body.remove_prefix(next.size());
    }
    return true;
}

bool TestSite::Impl::pause(std::chrono::milliseconds delay) const {
    auto until = std::chrono::steady_clock::now() + delay;
    while (!stopping) {
        auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::milliseconds(0)) return true;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(20)));
    }
    return false;
}

void TestSite::Impl::relay(Stream& stream, const Request& request) {
    std::optional<sockaddr_in> target = loopback_target(request.target);
    if (!target || tls) return;
    int upstream = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (upstream < 0) return;
    if (::connect(upstream, reinterpret_cast<const sockaddr*>(&*target), sizeof *target) == 0) {
        pollfd ends[2] = {{stream.fd(), POLLIN, 0}, {upstream, POLLIN, 0}};
        char chunk[16384];
        while (!stopping) {
            int ready = ::poll(ends, 2, 50);
            if (ready < 0 && errno != EINTR) break;
            if (ready <= 0) continue;
            bool open = true;
            for (int from = 0; from < 2 && open; ++from) {
                if (!(ends[from].revents & (POLLIN | POLLHUP | POLLERR))) continue;
                ssize_t got = ::recv(ends[from].fd, chunk, sizeof chunk, 0);
                open = got > 0 && ::send(ends[1 - from].fd, chunk, static_cast<std::size_t>(got),
                                         MSG_NOSIGNAL) == got;
            }
            if (!open) break;
        }
    }
    ::close(upstream);
}

}  // namespace test_site
