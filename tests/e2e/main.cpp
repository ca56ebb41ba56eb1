// GUI tests need one QApplication for the whole run; listing the tests must
// work without a display, so it is made only when tests are to run. The web
// layer is set up first, before any worker can start a request.

#include <gtest/gtest.h>

#include <QApplication>

#include "app/fonts.h"
#include "web/curl_session.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    init_web();
    QApplication application(argc, argv);
    substitute_windows_fonts();
    return RUN_ALL_TESTS();
}
