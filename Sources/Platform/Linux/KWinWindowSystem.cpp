#include "Platform/Linux/KWinWindowSystem.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QTimer>

#include <algorithm>

#include "Platform/Linux/ShellReport.h"

namespace velorin::linux_platform {
namespace {

constexpr const char* kwinService = "org.kde.KWin";
constexpr int callMs = 2000;

QDBusMessage scripting(const char* method) {
    return QDBusMessage::createMethodCall(kwinService, "/Scripting", "org.kde.kwin.Scripting", method);
}

}  // namespace

KWinWindowSystem::KWinWindowSystem(QDBusConnection bus, std::string scriptFile)
    : bus_(std::move(bus)),
      scriptFile_(std::move(scriptFile)),
      heartbeat_(std::make_unique<QTimer>()),
      retry_(std::make_unique<QTimer>()) {
    heartbeat_->setSingleShot(true);
    // The script's call times out after KWin's D-Bus default; an answer before
    // then keeps it asking.
    QObject::connect(heartbeat_.get(), &QTimer::timeout, this, [this] { answerPoll(); });
    if (!bus_.isConnected()) return;
    registered_ = bus_.registerService(serviceName) &&
                  bus_.registerObject(objectPath, this, QDBusConnection::ExportAllSlots);
    if (!registered_) return;  // another instance has the name: it hears KWin
    watcher_ = std::make_unique<QDBusServiceWatcher>(
        kwinService, bus_, QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceRegistered, this, [this] {
        retryMs_ = firstRetryMs;
        loadScript();
    });
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        loaded_ = false;
        retry_->stop();
        forget();
    });
    if (auto* app = QCoreApplication::instance()) {
        QObject::connect(app, &QCoreApplication::aboutToQuit, this, [this] { unloadScript(); });
    }
    retry_->setSingleShot(true);
    QObject::connect(retry_.get(), &QTimer::timeout, this, [this] { loadScript(); });
    QTimer::singleShot(0, this, [this] { loadScript(); });
}

KWinWindowSystem::~KWinWindowSystem() {
    unloadScript();
    if (registered_) {
        bus_.unregisterObject(objectPath);
        bus_.unregisterService(serviceName);
    }
}

void KWinWindowSystem::loadScript() {
    if (!registered_ || loaded_) return;
    loaded_ = tryLoading();
    if (loaded_) {
        retryMs_ = firstRetryMs;
        return;
    }
    // KWin may take its name before its scripting answers (at login, say):
    // asked again, less often each time, while KWin is there.
    if (bus_.interface()->isServiceRegistered(kwinService).value()) {
        retry_->start(retryMs_);
        retryMs_ = std::min(retryMs_ * 2, lastRetryMs);
    }
}

bool KWinWindowSystem::tryLoading() {
    QFile file(QString::fromStdString(scriptFile_));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(kwinScriptText()) < 0) return false;
    file.close();
    // A script of an earlier run may still be loaded under our name.
    auto unload = scripting("unloadScript");
    unload << QString(pluginName);
    bus_.call(unload, QDBus::Block, callMs);
    auto load = scripting("loadScript");
    load << QString::fromStdString(scriptFile_) << QString(pluginName);
    const QDBusReply<int> id = bus_.call(load, QDBus::Block, callMs);
    if (!id.isValid() || id.value() < 0) return false;
    // KWin 6 names the script's object /Scripting/Script<id>, KWin 5 /<id>.
    for (const QString& path : {QString("/Scripting/Script%1").arg(id.value()), QString("/%1").arg(id.value())}) {
        auto run = QDBusMessage::createMethodCall(kwinService, path, "org.kde.kwin.Script", "run");
        const auto reply = bus_.call(run, QDBus::Block, callMs);
        if (reply.type() == QDBusMessage::ReplyMessage) return true;
    }
    return false;
}

void KWinWindowSystem::unloadScript() {
    if (!loaded_) return;
    loaded_ = false;
    auto unload = scripting("unloadScript");
    unload << QString(pluginName);
    bus_.call(unload, QDBus::Block, callMs);
    QFile::remove(QString::fromStdString(scriptFile_));
    answerPoll();
}

bool KWinWindowSystem::fromKWin(const QDBusMessage& message) const {
    // Only KWin speaks for KWin: what anyone else says is not believed.
    const auto owner = bus_.interface()->serviceOwner(kwinService);
    return owner.isValid() && owner.value() == message.service();
}

void KWinWindowSystem::Windows(const QString& report, const QDBusMessage& message) {
    if (!fromKWin(message)) return;
    if (auto parsed = shell::parseReport(report.toStdString())) update(std::move(parsed->windows), parsed->active);
}

void KWinWindowSystem::Refused(const QString& serial, const QDBusMessage& message) {
    if (!fromKWin(message)) return;
    bool ok = false;
    const qulonglong number = serial.toULongLong(&ok);
    if (ok) refused(number);
}

QString KWinWindowSystem::NextCommands(const QDBusMessage& message) {
    // One question waits at a time: an earlier one is answered now.
    answerPoll();
    message.setDelayedReply(true);
    poll_ = message;
    if (commands_.empty()) {
        heartbeat_->start(heartbeatMs);
    } else {
        answerPoll();
    }
    return {};
}

void KWinWindowSystem::answerPoll() {
    if (!poll_) return;
    std::string list = "[";
    for (std::size_t i = 0; i < commands_.size(); ++i) list += (i ? "," : "") + commands_[i];
    list += "]";
    commands_.clear();
    bus_.send(poll_->createReply(QString::fromStdString(list)));
    poll_.reset();
    heartbeat_->stop();
}

bool KWinWindowSystem::send(std::string command) {
    if (!isConnected()) return false;
    commands_.push_back(std::move(command));
    answerPoll();
    return true;
}

bool KWinWindowSystem::placeWindow(const Placement& p) { return send(shell::placeCommand(p.key, p.frame, p.serial)); }

bool KWinWindowSystem::activateWindow(const CompositorWindow& window) {
    return send(shell::command("activate", window.key));
}

bool KWinWindowSystem::minimizeWindow(const CompositorWindow& window) {
    return send(shell::command("minimize", window.key));
}

}  // namespace velorin::linux_platform
