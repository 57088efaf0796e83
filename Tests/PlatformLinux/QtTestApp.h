#pragma once
// The Qt application a test needs for event-loop services: one per process,
// made on first use, on the offscreen platform.

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace velorin::testing {

inline QCoreApplication& qtApp() {
    static int argc = 1;
    static char name[] = "PlatformLinuxTests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs Qt's event loop for a moment (socket notifiers fire, the loop sleeps).
inline void spinEventLoop(int ms = 20) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace velorin::testing
