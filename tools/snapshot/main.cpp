// Renders the main window offscreen to a PNG file, as it stands after
// start-up, or with a few example rows and a status text (--rows).
//
//   snapshot [--rows] OUTPUT.png

#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstring>

#include "app/fonts.h"
#include "app/main_window.h"
#include "app/qt_window_operations.h"
#include "app/result_model.h"
#include "text/codepage.h"

namespace {

void add_example_rows(WindowOperations& operations) {
    const char* const rows[][2] = {
        {"功夫2 高清版", "http://search.chenglan.example/detail/1001.html"},
        {"功夫2 国语中字", "http://search.chenglan.example/detail/1002.html"},
        {"功夫2 花絮合集", "http://search.chenglan.example/detail/1003.html"},
    };
    for (const auto& [title, link] : rows) {
        const int row = operations.list_add_row();
        operations.list_set_cell(row, 0, gbk(title));
        operations.list_set_cell(row, 1, Text(link));
    }
    operations.show_status(gbk("双击表项 立即解析磁力链接"));
}

}  // namespace

int main(int argc, char** argv) {
    const bool with_rows = argc == 3 && std::strcmp(argv[1], "--rows") == 0;
    if (argc != 2 && !with_rows) {
        std::fprintf(stderr, "usage: %s [--rows] OUTPUT.png\n", argv[0]);
        return 2;
    }
    const char* output = argv[argc - 1];

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    substitute_windows_fonts();

    MainWindow window;
    QtWindowOperations operations(window, {});
    if (with_rows) add_example_rows(operations);
    window.results().show_pending_rows();
    window.show_centred();
    QApplication::processEvents();

    if (!window.grab().save(QString::fromLocal8Bit(output), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", output);
        return 1;
    }
    return 0;
}
