#include "QtTestApp.h"

#include <QApplication>

// Fontconfig keeps its caches to the end of the process; they are not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace velorin::testing {

QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "EditorTests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace velorin::testing
