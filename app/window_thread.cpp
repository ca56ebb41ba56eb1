#include "app/window_thread.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <future>

WindowThread::WindowThread(QObject& context) : context_(context), thread_(context.thread()) {}

bool WindowThread::is_current() const { return QThread::currentThread() == thread_; }

void WindowThread::call(const std::function<void()>& call) {
    if (is_current()) {
        call();
        return;
    }
    std::promise<void> done;
    const std::function<void()> queued = [&] {
        call();
        done.set_value();
    };
    {
        const std::lock_guard lock(queue_mutex_);
        queue_.push_back(&queued);
    }
    post_run_queue();
    // At shut-down the loop may never run this call; the process then ends
    // with the caller still waiting here, which is harmless.
    done.get_future().wait();
}

void WindowThread::run_exclusive(const std::function<void()>& steps) {
    call([this, &steps] {
        ++exclusive_depth_;
        steps();
        --exclusive_depth_;
        // Calls that arrived meanwhile waited; let the loop run them now.
        if (exclusive_depth_ == 0) post_run_queue();
    });
}

// Window's thread.
void WindowThread::run_queue() {
    while (exclusive_depth_ == 0) {
        const std::function<void()>* next = nullptr;
        {
            const std::lock_guard lock(queue_mutex_);
            if (queue_.empty()) return;
            next = queue_.front();
            queue_.pop_front();
        }
        (*next)();
    }
}

void WindowThread::post_run_queue() {
    QMetaObject::invokeMethod(
        &context_, [this] { run_queue(); }, Qt::QueuedConnection);
}
