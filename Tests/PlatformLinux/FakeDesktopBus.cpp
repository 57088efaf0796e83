#include "FakeDesktopBus.h"

#include <filesystem>

#include <poll.h>
#include <unistd.h>

#include <QDBusConnectionInterface>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>

#include "ChildProcess.h"

namespace velorin::testing {
namespace fs = std::filesystem;

PrivateBus::PrivateBus() {
    folder_ = (fs::temp_directory_path() / ("velorin-bus-" + std::to_string(getpid()))).string();
}

PrivateBus::~PrivateBus() {
    for (const auto& name : names_) QDBusConnection::disconnectFromBus(name);
    end(daemon_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

bool PrivateBus::start(std::string& error) {
    if (onPath("dbus-daemon").empty()) {
        error = "dbus-daemon is not installed (scripts/install-deps installs dbus)";
        return false;
    }
    fs::create_directories(folder_);
    const std::string socket = folder_ + "/bus";
    address_ = "unix:path=" + socket;
    if (startChild(daemon_, "dbus-daemon",
                   {"dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=" + address_},
                   environmentWith({}), {{0, -1}, {1, -1}, {2, -1}}) != 0) {
        error = "dbus-daemon did not start";
        return false;
    }
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    std::error_code ec;
    // Ready once it takes connections, which is a moment after its socket appears.
    for (int attempt = 0;; ++attempt) {
        if (fs::exists(socket, ec)) {
            const QString name = QString("velorin-probe-%1-%2").arg(getpid()).arg(attempt);
            const bool up = QDBusConnection::connectToBus(QString::fromStdString(address_), name).isConnected();
            QDBusConnection::disconnectFromBus(name);
            if (up) return true;
        }
        if (Clock::now() > deadline) {
            error = "dbus-daemon never took connections";
            return false;
        }
        poll(nullptr, 0, 10);
    }
}

QDBusConnection PrivateBus::connect(const QString& name) const {
    const QString unique = name + QString::number(names_.size()) + "-" + QString::number(getpid());
    const_cast<QStringList&>(names_).append(unique);
    return QDBusConnection::connectToBus(QString::fromStdString(address_), unique);
}

QStringList FakeKWin::calls() {
    QMutexLocker lock(&mutex_);
    return calls_;
}

int FakeKWin::loadScript(const QString& path, const QString& name) {
    QMutexLocker lock(&mutex_);
    calls_ << "loadScript " + path + " " + name;
    const int id = next_++;
    const QString object = QString("/Scripting/Script%1").arg(id);
    auto* script = new FakeKWinScript(*this, object);
    script->setParent(this);
    if (bus_) bus_->registerObject(object, script, QDBusConnection::ExportAllSlots);
    return id;
}

bool FakeKWin::unloadScript(const QString& name) {
    QMutexLocker lock(&mutex_);
    calls_ << "unloadScript " + name;
    return true;
}

bool FakeKWin::isScriptLoaded(const QString&) { return false; }

void FakeKWin::ran(const QString& path) {
    QMutexLocker lock(&mutex_);
    calls_ << "run " + path;
}

void FakeShellExtension::setReport(const QString& report) {
    QMutexLocker lock(&mutex_);
    report_ = report;
}

QStringList FakeShellExtension::calls() {
    QMutexLocker lock(&mutex_);
    return calls_;
}

QString FakeShellExtension::Windows() {
    QMutexLocker lock(&mutex_);
    return report_;
}

void FakeShellExtension::setPlacing(Placing placing) {
    QMutexLocker lock(&mutex_);
    placing_ = placing;
}

bool FakeShellExtension::Place(const QString& id, int x, int y, int width, int height, const QDBusMessage& message) {
    QMutexLocker lock(&mutex_);
    calls_ << QString("Place %1 %2 %3 %4 %5").arg(id).arg(x).arg(y).arg(width).arg(height);
    if (placing_ == Placing::refuses) return false;
    if (placing_ == Placing::holds) {
        message.setDelayedReply(true);
        held_ << message;
        return false;
    }
    if (placing_ == Placing::moves) move(id, x, y, width, height);
    return true;
}

void FakeShellExtension::answerHeld(QDBusConnection& bus, bool placed) {
    QMutexLocker lock(&mutex_);
    for (const QDBusMessage& message : std::as_const(held_)) {
        const QList<QVariant> a = message.arguments();
        if (placed) move(a[0].toString(), a[1].toInt(), a[2].toInt(), a[3].toInt(), a[4].toInt());
        bus.send(message.createReply(placed));
    }
    held_.clear();
}

void FakeShellExtension::move(const QString& id, int x, int y, int width, int height) {
    QJsonObject report = QJsonDocument::fromJson(report_.toUtf8()).object();
    QJsonArray windows = report["windows"].toArray();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QJsonObject window = windows[i].toObject();
        if (window["id"].toString() != id) continue;
        window["frame"] = QJsonArray{x, y, width, height};
        windows[i] = window;
    }
    report["windows"] = windows;
    report_ = QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Compact));
}

bool FakeShellExtension::Activate(const QString& id) {
    QMutexLocker lock(&mutex_);
    calls_ << "Activate " + id;
    return true;
}

bool FakeShellExtension::Minimize(const QString& id) {
    QMutexLocker lock(&mutex_);
    calls_ << "Minimize " + id;
    return true;
}

QStringList FakeApplication::calls() {
    QMutexLocker lock(&mutex_);
    return calls_;
}

void FakeApplication::record(QString call, const QVariantMap& platformData) {
    if (failing_) {
        sendErrorReply(QDBusError::Failed, "the app gave up");
        return;
    }
    call += " <" + platformData.value("desktop-startup-id").toString() + ">";
    call += " <" + platformData.value("activation-token").toString() + ">";
    QMutexLocker lock(&mutex_);
    calls_ << call;
}

void FakeApplication::Activate(const QVariantMap& platformData) { record("Activate", platformData); }

void FakeApplication::Open(const QStringList& uris, const QVariantMap& platformData) {
    record("Open " + uris.join(" "), platformData);
}

void FakeApplication::ActivateAction(const QString& action, const QVariantList&, const QVariantMap& platformData) {
    record("ActivateAction " + action, platformData);
}

DesktopThread::DesktopThread() { thread_.start(); }

DesktopThread::~DesktopThread() {
    thread_.quit();
    thread_.wait();
}

void DesktopThread::adopt(QObject* object) {
    object->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, object, &QObject::deleteLater);
}

}  // namespace velorin::testing
