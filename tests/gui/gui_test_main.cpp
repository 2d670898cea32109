// The windows need a QApplication before any test creates one; without a display the tests
// run on the offscreen platform (CTest sets it; a plain run of the executable gets it here).
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/focus_style.h"
#include "platform/qt/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    InstallFocusStyle();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
