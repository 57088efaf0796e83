#include "QtApp.h"

#include <QApplication>

// Fontconfig keeps a few allocations of its configuration for the life of
// the process; the leak checker of the sanitizer build is told to let them be.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace velorin::test {

QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "DesignTests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace velorin::test
