#pragma once
// The one QApplication of a test process, made on first use and kept to the
// end (widget tests run under the offscreen platform that velorin_test sets).

#include <QApplication>

namespace velorin::testing {

inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "VelorinTests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace velorin::testing
