// From launch to the window shown: the real program, started as a process
// against a loopback notice page that answers at once, beside the least Qt
// program that shows a window of the same size. A probe loaded into each
// (startup_probe) says when the first window has been painted.
//
//   startup_bench    (offscreen unless QT_QPA_PLATFORM says otherwise)

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "demo_pages.h"
#include "test_site.h"

extern char** environ;

namespace {

constexpr int probe_descriptor = 100;
constexpr int give_up_milliseconds = 10000;

struct Site {
    Site()
        : server([this](const test_site::Request& request) {
              if (request.target == "/notice") ++notices;
              return test_site::page(demo_pages::notice_page(server.url(""), "1.5"));
          }) {
        server.start();
    }
    test_site::TestSite server;
    std::atomic<int> notices{0};
};

Site& site() {
    static Site instance;
    return instance;
}

// Starts `program` with the probe and waits for its line; the seconds from
// launch to the window shown, or a negative number when it never came.
double launch_until_shown(const char* program) {
    int channel[2];
    if (pipe(channel) != 0) return -1;

    std::vector<std::string> settings = {
        std::string("LD_PRELOAD=") + CHENGLAN_STARTUP_PROBE,
        "CHENGLAN_PROBE_FD=" + std::to_string(probe_descriptor),
        "CHENGLAN_NOTICE_URL=" + site().server.url("/notice"),
        "CHENGLAN_SEARCH_ROOT=" + site().server.url("/"),
    };
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    settings.push_back(std::string("QT_QPA_PLATFORM=") + (platform ? platform : "offscreen"));
    std::vector<char*> environment;
    for (auto& setting : settings) environment.push_back(setting.data());
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view name(*entry);
        if (!name.starts_with("LD_PRELOAD=") && !name.starts_with("QT_QPA_PLATFORM=") &&
            !name.starts_with("CHENGLAN_")) {
            environment.push_back(*entry);
        }
    }
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], probe_descriptor);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    // Qt's notes about the session (no runtime folder and the like) are not results.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* arguments[] = {const_cast<char*>(program), nullptr};

    const auto launched = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program, &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    if (spawned != 0) {
        close(channel[0]);
        return -1;
    }

    double seconds = -1;
    pollfd ready{channel[0], POLLIN, 0};
    char line[16];
    if (poll(&ready, 1, give_up_milliseconds) == 1 && read(channel[0], line, sizeof line) > 0) {
        seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - launched).count();
    } else {
        kill(child, SIGKILL);
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return seconds;
}

void measure_start_up(benchmark::State& state, const char* program, bool reads_notice) {
    for (auto _ : state) {
        const int notices_before = site().notices;
        const double seconds = launch_until_shown(program);
        if (seconds < 0) {
            state.SkipWithError("the window was never shown");
            return;
        }
        if (reads_notice && site().notices == notices_before) {
            state.SkipWithError("the program showed its window without reading the notice page");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_StartUpToWindowShown(benchmark::State& state) {
    measure_start_up(state, CHENGLAN_PROGRAM, true);
}

void BM_StartUpBareQtWindow(benchmark::State& state) {
    measure_start_up(state, CHENGLAN_BARE_WINDOW, false);
}

BENCHMARK(BM_StartUpToWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartUpBareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
