// GUI tests need one QApplication for the whole run; listing the tests must
// work without a display, so it is made only when tests are to run.

#include <gtest/gtest.h>

#include <QApplication>

#include "app/fonts.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QApplication application(argc, argv);
    substitute_windows_fonts();
    return RUN_ALL_TESTS();
}
