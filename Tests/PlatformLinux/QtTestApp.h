#pragma once
// The Qt application a test needs for event-loop and screen services: one per
// process, made on first use, on the offscreen platform (the X connections of
// these tests are their own).

#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace velorin::testing {

inline QGuiApplication& qtApp() {
    static int argc = 1;
    static char name[] = "PlatformLinuxTests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

// Runs Qt's event loop for a moment (socket notifiers fire, the loop sleeps).
inline void spinEventLoop(int ms = 20) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace velorin::testing
