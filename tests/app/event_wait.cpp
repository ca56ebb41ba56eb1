#include "event_wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

bool process_events_until(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(10'000);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return true;
}
