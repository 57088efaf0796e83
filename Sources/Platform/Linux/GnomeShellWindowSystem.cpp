#include "Platform/Linux/GnomeShellWindowSystem.h"

#include <cmath>

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QTimer>

#include "Platform/Linux/ShellReport.h"

namespace velorin::linux_platform {
namespace {

constexpr int callMs = 2500;  // a busy Shell draws before it answers

}  // namespace

GnomeShellWindowSystem::GnomeShellWindowSystem(QDBusConnection bus) : bus_(std::move(bus)) {
    if (!bus_.isConnected()) return;
    bus_.connect(shellService, objectPath, interfaceName, "Changed", this, SLOT(changed()));
    watcher_ = std::make_unique<QDBusServiceWatcher>(
        shellService, bus_, QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceRegistered, this, [this] { refresh(); });
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceUnregistered, this, [this] { forget(); });
    refresh();
}

GnomeShellWindowSystem::~GnomeShellWindowSystem() {
    if (bus_.isConnected()) bus_.disconnect(shellService, objectPath, interfaceName, "Changed", this, SLOT(changed()));
}

void GnomeShellWindowSystem::changed() { refresh(); }

void GnomeShellWindowSystem::refresh() {
    if (refreshing_) {
        refreshAgain_ = true;
        return;
    }
    refreshing_ = true;
    auto message = QDBusMessage::createMethodCall(shellService, objectPath, interfaceName, "Windows");
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(message, callMs), this);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QString> reply = *w;
        if (reply.isError()) {
            // No extension (or no Shell): no front app, until it tells of itself.
            const auto type = reply.error().type();
            if (type == QDBusError::ServiceUnknown || type == QDBusError::UnknownObject ||
                type == QDBusError::UnknownMethod || type == QDBusError::UnknownInterface) {
                forget();
            }
        } else if (auto report = shell::parseReport(reply.value().toStdString())) {
            update(std::move(report->windows), report->active);
        }
        refreshing_ = false;
        if (refreshAgain_) {
            refreshAgain_ = false;
            refresh();
        }
    });
}

bool GnomeShellWindowSystem::call(const char* method, const QList<QVariant>& arguments) {
    auto message = QDBusMessage::createMethodCall(shellService, objectPath, interfaceName, method);
    message.setArguments(arguments);
    const QDBusReply<bool> reply = bus_.call(message, QDBus::Block, callMs);
    return reply.isValid() && reply.value();
}

void GnomeShellWindowSystem::callLater(const char* method, const QList<QVariant>& arguments,
                                       std::function<void(const QDBusMessage& reply)> done) {
    auto message = QDBusMessage::createMethodCall(shellService, objectPath, interfaceName, method);
    message.setArguments(arguments);
    // Its child: an answer after the adapter is gone reaches no one.
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(message, callMs), this);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, this, [done](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        done(w->reply());
    });
}

std::optional<Rect> GnomeShellWindowSystem::readFrame(const CompositorWindow& window) {
    auto message = QDBusMessage::createMethodCall(shellService, objectPath, interfaceName, "Windows");
    const QDBusReply<QString> reply = bus_.call(message, QDBus::Block, callMs);
    if (!reply.isValid()) return std::nullopt;
    const auto report = shell::parseReport(reply.value().toStdString());
    if (!report) return std::nullopt;
    for (const auto& w : report->windows) {
        if (w.key == window.key) return w.frame;
    }
    return std::nullopt;
}

void GnomeShellWindowSystem::readFrameLater(const CompositorWindow& window,
                                            std::function<void(std::optional<Rect>)> done) {
    callLater("Windows", {}, [key = window.key, done](const QDBusMessage& message) {
        const QDBusReply<QString> reply(message);
        const auto report = reply.isValid() ? shell::parseReport(reply.value().toStdString()) : std::nullopt;
        if (!report) return done(std::nullopt);
        for (const auto& w : report->windows) {
            if (w.key == key) return done(w.frame);
        }
        done(std::nullopt);
    });
}

bool GnomeShellWindowSystem::placeWindow(const Placement& p) {
    if (!bus_.isConnected()) return false;
    const Rect& f = p.frame;
    callLater("Place",
              {QString::fromStdString(p.key), static_cast<int>(std::lround(f.origin.x)),
               static_cast<int>(std::lround(f.origin.y)), static_cast<int>(std::lround(f.size.width)),
               static_cast<int>(std::lround(f.size.height))},
              [this, serial = p.serial](const QDBusMessage& message) {
                  const QDBusReply<bool> reply(message);
                  if (!reply.isValid() || !reply.value()) refused(serial);
              });
    return true;
}

bool GnomeShellWindowSystem::activateWindow(const CompositorWindow& window) {
    return call("Activate", {QString::fromStdString(window.key)});
}

bool GnomeShellWindowSystem::minimizeWindow(const CompositorWindow& window) {
    return call("Minimize", {QString::fromStdString(window.key)});
}

}  // namespace velorin::linux_platform
