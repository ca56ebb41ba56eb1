#pragma once

#include <QObject>

#include "search/workflows.h"

class MainWindow;
class WindowOperations;
struct ProgramState;

// What the window's events do: each handler starts a workflow through the
// entry points given at construction. All handlers run on the window's
// thread; `search` and `resolve_magnet` go to workers of their own.
class EventHandlers final : public QObject {
  public:
    EventHandlers(MainWindow& window, WindowOperations& operations, ProgramState& state,
                  Workflows workflows);
    EventHandlers(const EventHandlers&) = delete;
    EventHandlers& operator=(const EventHandlers&) = delete;

    // The window's created event: the update check, run to its end before the
    // window is shown.
    void window_created();

  private:
    void check_update();
    void search();
    void page(int append);
    void list_double_clicked();
    void banner_pressed();

    WindowOperations& operations_;
    ProgramState& state_;
    Workflows workflows_;
};
