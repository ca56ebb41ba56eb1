// Runs the real main window and workflows against the search site and notice
// page in force (CHENGLAN_SEARCH_ROOT, CHENGLAN_NOTICE_URL), clicks "搜  索"
// for the keyword the box starts with, waits for the rows and saves a picture
// of the window. Exits 0 only when rows arrived: how scripts/demo shows, on a
// machine without a display, that the program works end to end.
//
//   demo-check OUTPUT.png

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/event_handlers.h"
#include "app/fonts.h"
#include "app/main_window.h"
#include "app/qt_window_operations.h"
#include "app/result_model.h"
#include "app/shell_hand_off.h"
#include "search/addresses.h"
#include "search/entry_points.h"
#include "search/program_state.h"
#include "search/result_search.h"
#include "web/curl_session.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    init_web();
    QApplication application(argc, argv);
    substitute_windows_fonts();
    ProgramState state;
    MainWindow window;
    // Magnet links and download addresses are only printed here.
    QtWindowOperations operations(window, [](const QString& address) {
        std::printf("hand-off: %s\n", address.toUtf8().constData());
    });
    ResultSearch result_search(operations, state, addresses::search_root_in_use());
    EventHandlers handlers(window, operations, state,
                           make_workflows(operations, result_search, addresses::notice_page_in_use()));
    handlers.window_created();
    window.show_centred();

    window.findChild<QPushButton*>(QStringLiteral("按钮1"))->click();
    QElapsedTimer clock;
    clock.start();
    while (window.results().rowCount() == 0 && clock.elapsed() < 15000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    // Let the last rows and the status reach the screen.
    for (int i = 0; i < 10; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);

    const int rows = window.results().rowCount();
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
    std::printf("%d rows; picture %s\n", rows, saved ? argv[1] : "not saved");
    std::fflush(nullptr);
    std::_Exit(rows > 0 && saved ? 0 : 1);
}
