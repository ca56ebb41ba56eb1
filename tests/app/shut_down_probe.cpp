// The program's real run with workers that keep calling into the window, and
// a window that closes under them. Started by the shut-down test.
//
//   shut_down_probe [--during-wait]
//
// --during-wait closes the window while a paging run is inside its wait with
// events. Prints the number of rows the workers had added when it closed.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/main_window.h"
#include "app/program.h"
#include "search/window_operations.h"

namespace {

MainWindow* main_window() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<MainWindow*>(widget)) return window;
    }
    return nullptr;
}

void start_busy_workers(WindowOperations& window) {
    for (int worker = 0; worker < 3; ++worker) {
        window.start_worker([&window](Text) {
            for (;;) {
                const int row = window.list_add_row();
                window.list_set_cell(row, 0, Text("row"));
                window.show_status(window.list_cell(row, 0));
            }
        });
    }
    window.start_worker([&window](Text) {
        for (;;) window.run_exclusive([&window] { window.list_clear(); });
    });
}

void close_window(WindowOperations& window) {
    std::printf("rows %d\n", window.list_add_row());
    std::fflush(stdout);
    main_window()->close();
}

}  // namespace

int main(int argc, char** argv) {
    const bool during_wait = argc == 2 && std::strcmp(argv[1], "--during-wait") == 0;
    run_program(argc, argv, {}, [during_wait](WindowOperations& window, ProgramState&) {
        Workflows workflows;
        workflows.check_update = [&window, during_wait] {
            QTimer::singleShot(50, [&window] { start_busy_workers(window); });
            QTimer::singleShot(400, [&window, during_wait] {
                if (!during_wait) {
                    close_window(window);
                    return;
                }
                QTimer::singleShot(100, [&window] { close_window(window); });
                main_window()->findChild<QPushButton*>(QStringLiteral("按钮3"))->click();
            });
        };
        workflows.load_page = [&window](int, int) { window.wait_with_events(60'000); };
        return workflows;
    });
}
