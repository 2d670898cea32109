#pragma once
// The one application a windowed benchmark needs, on Qt's offscreen platform: made at the first
// call and kept until the program ends.
#include <QApplication>

namespace bench {

inline QApplication& OffscreenApplication(const char* name) {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

}  // namespace bench
