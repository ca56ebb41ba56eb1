#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "test_site.h"
#include "text/text.h"

// Loopback server behaviours that a site out of our control might show, and
// the bounds every workflow must keep against them.
namespace hostile {

// The limits put in force for the whole test program (see the environment).
inline constexpr std::chrono::milliseconds connect_timeout{1'000};
inline constexpr std::chrono::milliseconds idle_timeout{2'000};
inline constexpr std::chrono::milliseconds transfer_timeout{5'000};
// libcurl checks the idle limit about once a second; the slack is wide since
// this bounds a hang, it does not time the code.
inline constexpr std::chrono::seconds slack{10};
// The longest one fetch may take against any server.
inline constexpr std::chrono::seconds fetch_limit =
    std::chrono::duration_cast<std::chrono::seconds>(connect_timeout + transfer_timeout) +
    std::chrono::seconds(1);
inline constexpr std::size_t body_limit = std::size_t{64} << 20;
// A search holds several decoded copies of a body cut at the cap, its
// matches and the rows they give (over 10 times the body under the address
// sanitizer); growth without a cap would pass any such multiple.
inline constexpr std::size_t memory_bound = 16 * body_limit;

// Builds the reply to one request; `base` is "http://127.0.0.1:PORT".
using Behaviour =
    std::function<test_site::Reply(const test_site::Request&, const std::string& base)>;
// The same reply to every request.
[[nodiscard]] Behaviour always(test_site::Reply reply);

// The behaviours every workflow meets, each serving `good` (a page the
// workflow understands) in its own hostile way.
struct NamedBehaviour {
    std::string name;
    Behaviour behaviour;
    // Cookies set by one request only show in the next one.
    int runs = 1;
};
[[nodiscard]] std::vector<NamedBehaviour> common_behaviours(const std::string& good);

// Serves `behaviour` on a loopback site for as long as it lives.
class Server {
  public:
    explicit Server(Behaviour behaviour);
    [[nodiscard]] std::string url(const std::string& path = "/") const { return site_.url(path); }
    // Ends every connection, stalled ones included.
    void stop();

  private:
    Behaviour behaviour_;
    test_site::TestSite site_;
};

// A text that a file the client is redirected to holds; seeing it anywhere
// means the file was read.
[[nodiscard]] const std::string& file_marker();
[[nodiscard]] const std::string& marker_file_path();
// Writes the marker file holding `contents` (plus the marker).
void write_marker_file(const std::string& contents);

// Peak resident memory since the last reset, and the reset.
struct Memory {
    std::size_t resident = 0;
    std::size_t peak = 0;
};
[[nodiscard]] Memory read_memory();
void reset_peak_memory();

// Runs `call` on a thread of its own, then checks it returned within `limit`
// (else runs `release` to end the hang) and that the peak resident memory
// grew by at most memory_bound; prints one table row with the outcome that
// `call` describes.
// The last of `statuses` for a table row, as UTF-8; "no status" when none.
[[nodiscard]] std::string last_status(const std::vector<Text>& statuses);

void run_bounded(const std::string& table, const std::string& name, std::chrono::seconds limit,
                 const std::function<std::string()>& call, const std::function<void()>& release);

}  // namespace hostile
