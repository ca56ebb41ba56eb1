// Loaded into a program with LD_PRELOAD, before the program creates its
// application object: once the first top-level window has been painted and
// that pass is over, writes one line to the descriptor named by
// CHENGLAN_PROBE_FD and ends the process. The program itself is not changed.

#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

void report_shown() {
    const char* descriptor = std::getenv("CHENGLAN_PROBE_FD");
    if (descriptor != nullptr) {
        static constexpr char line[] = "shown\n";
        (void)!write(std::atoi(descriptor), line, sizeof line - 1);
    }
    std::_Exit(0);
}

class FirstPaint final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window()->isVisible()) {
            seen_ = true;
            // After the paint pass and the flush to the window, not inside it.
            QTimer::singleShot(0, report_shown);
        }
        return false;
    }

  private:
    bool seen_ = false;
};

void watch_for_first_paint() { qApp->installEventFilter(new FirstPaint(qApp)); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watch_for_first_paint)
