#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <type_traits>

class QObject;
class QThread;

// Carries calls from any thread to the window's thread.
//
// A call made on the window's thread runs at once. A call from another thread
// is queued; the window's thread runs the queue in order from its event loop,
// and the calling thread blocks until its call has run. Since every caller
// waits for its own call, one thread's calls take effect in the order issued.
//
// While the window's thread is inside run_exclusive, queued calls stay queued
// even if the steps let events through (a wait with events, a message box):
// the steps see no other thread's operation in between.
class WindowThread {
  public:
    // `context` lives on the window's thread; the queue is run in its name.
    explicit WindowThread(QObject& context);
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    [[nodiscard]] bool is_current() const;

    // Runs `call` on the window's thread and returns when it has run.
    void call(const std::function<void()>& call);

    template <class Call>
    auto call_for_result(Call&& call) -> std::invoke_result_t<Call&> {
        std::invoke_result_t<Call&> result{};
        this->call([&] { result = call(); });
        return result;
    }

    void run_exclusive(const std::function<void()>& steps);

  private:
    void run_queue();
    void post_run_queue();

    QObject& context_;
    QThread* thread_;
    std::mutex queue_mutex_;
    // Each entry belongs to a caller that blocks until it has run, so it stays
    // valid while queued.
    std::deque<const std::function<void()>*> queue_;
    // Touched on the window's thread only.
    int exclusive_depth_ = 0;
};
