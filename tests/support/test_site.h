#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A real HTTP/1.x server on 127.0.0.1 and an ephemeral port, run inside the
// calling process, for tests, benchmarks and the demo site. Every request is
// recorded byte for byte; every answer comes from a handler that scripts it,
// faults included.
//
// Threads: one thread accepts, one thread per connection reads requests and
// calls the handler, so the handler runs on many threads at once and must be
// thread-safe. Connections are kept alive between requests unless the client
// asks otherwise or the reply says `close`.
//
// start() sets SIGPIPE to be ignored for the whole process: a client that
// goes away while a TLS reply is written would otherwise end the process.

namespace test_site {

struct Request {
    // The request line and header lines as received, each with its line end,
    // and the empty line that closes them: the exact bytes on the wire.
    std::string head;
    // The body, as framed by Content-Length.
    std::string body;

    // The three parts of the request line.
    std::string method;
    std::string target;
    std::string version;
    // Header lines in order: the name as sent, the value without the blanks
    // around it.
    std::vector<std::pair<std::string, std::string>> headers;

    // The value of the first header line with that name, letter case ignored.
    [[nodiscard]] std::optional<std::string> header(std::string_view name) const;
    // The header lines without the request line and without the closing empty
    // line, joined by "\r\n" with none at the end: the form of a header text.
    [[nodiscard]] std::string header_text() const;
};

enum class Fault {
    none,
    close_before_reply,  // read the request, then close without sending a byte
    stall_before_reply,  // read the request, then hold the connection silent
    close_mid_body,      // send the head and `fault_after` bytes of the body, then close
    stall_mid_body,      // send the head and `fault_after` bytes of the body, then go silent
    endless_body,        // send the head, then `body` again and again until the client goes
};

struct Reply {
    int status = 200;
    // Empty: the usual phrase for the status.
    std::string reason;
    // Header lines without line ends, sent as given and in this order.
    std::vector<std::string> headers;
    std::string body;
    // Adds "Content-Length:" with the size of `body` after `headers`.
    bool content_length = true;
    // With a piece size above 0 the body goes out in pieces of that size with
    // `piece_delay` before each one: a slow server.
    std::size_t piece_size = 0;
    std::chrono::milliseconds piece_delay{0};
    Fault fault = Fault::none;
    std::size_t fault_after = 0;
    // Close the connection once the reply is out.
    bool close = false;
    // For a CONNECT request with a 2xx status: after the reply, relay bytes
    // between the client and the target of the request, which must be a port
    // on 127.0.0.1 or localhost.
    bool tunnel = false;
};

// A 200 (or `status`) reply with that body and a text/html content type.
[[nodiscard]] Reply page(std::string body, int status = 200);
// A redirect to `location`.
[[nodiscard]] Reply redirect(std::string location, int status = 302);

// A reply that a test changes between requests while the site's threads
// read it. The socket orders the two, but nothing a race detector can see
// does; the lock makes the order visible.
class SharedReply {
  public:
    explicit SharedReply(Reply reply = {}) : reply_(std::move(reply)) {}
    void set(Reply reply) {
        std::lock_guard lock(mutex_);
        reply_ = std::move(reply);
    }
    [[nodiscard]] Reply get() const {
        std::lock_guard lock(mutex_);
        return reply_;
    }

  private:
    mutable std::mutex mutex_;
    Reply reply_;
};

using Handler = std::function<Reply(const Request&)>;

class TestSite {
  public:
    // With `tls` on, every connection is TLS with `certificate_pem()`.
    explicit TestSite(Handler handler, bool tls = false);
    ~TestSite();
    TestSite(const TestSite&) = delete;
    TestSite& operator=(const TestSite&) = delete;

    // Listens on 127.0.0.1 and an ephemeral port; throws std::runtime_error
    // when it cannot.
    void start();
    // Ends every connection, stalled ones included, and joins every thread.
    // The destructor calls it.
    void stop();

    [[nodiscard]] int port() const { return port_; }
    // "http://127.0.0.1:PORT" (or https) followed by `path`.
    [[nodiscard]] std::string url(std::string_view path = "/") const;
    // "127.0.0.1:PORT", the form a proxy setting takes.
    [[nodiscard]] std::string authority() const;

    // Every request received so far, in the order they were complete.
    [[nodiscard]] std::vector<Request> requests() const;
    void clear_requests();

    // The self-signed certificate (PEM) that TLS sites present, made once per
    // process for 127.0.0.1 and localhost: what a client must trust.
    [[nodiscard]] static const std::string& certificate_pem();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int port_ = 0;
};

}  // namespace test_site
