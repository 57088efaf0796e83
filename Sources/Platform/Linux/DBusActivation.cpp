#include "Platform/Linux/DBusActivation.h"


#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QObject>
#include <QUuid>
#include <QVariantMap>

namespace velorin::linux_platform {

std::optional<std::string> applicationBusName(const std::string& id) {
    // Two or more elements of [A-Za-z0-9_-], none empty or starting with a
    // digit, at most 255 characters.
    if (id.empty() || id.size() > 255) return std::nullopt;
    int elements = 1;
    bool atStart = true;
    for (const char c : id) {
        if (c == '.') {
            if (atStart) return std::nullopt;
            ++elements;
            atStart = true;
            continue;
        }
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '-';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && !atStart)) return std::nullopt;
        atStart = false;
    }
    if (atStart || elements < 2) return std::nullopt;
    return id;
}

std::string applicationObjectPath(const std::string& busName) {
    std::string path = "/" + busName;
    for (char& c : path) {
        if (c == '.') c = '/';
        else if (c == '-') c = '_';
    }
    return path;
}

namespace {

class QtApplicationBus : public ApplicationBus {
public:
    QtApplicationBus(QDBusConnection bus, QString ownName) : bus_(std::move(bus)), ownName_(std::move(ownName)) {}
    ~QtApplicationBus() override {
        context_.reset();  // the calls under way are dropped with their watchers
        if (!ownName_.isEmpty()) QDBusConnection::disconnectFromBus(ownName_);
    }

    void activate(const std::string& busName, const std::vector<std::string>& uris, const std::string& startupId,
                  std::function<void(bool)> answered) override {
        const QString name = QString::fromStdString(busName);
        const QString path = QString::fromStdString(applicationObjectPath(busName));
        QDBusMessage call = QDBusMessage::createMethodCall(name, path, "org.freedesktop.Application",
                                                           uris.empty() ? "Activate" : "Open");
        QVariantMap platformData;
        if (!startupId.empty()) {
            platformData["desktop-startup-id"] = QString::fromStdString(startupId);
            platformData["activation-token"] = QString::fromStdString(startupId);
        }
        if (!uris.empty()) {
            QStringList list;
            for (const auto& uri : uris) list << QString::fromStdString(uri);
            call << list;
        }
        call << platformData;
        if (!bus_.isConnected()) {
            // No bus: the answer is known, and comes on a later turn all the same.
            QMetaObject::invokeMethod(context_.get(), [answered] { answered(false); }, Qt::QueuedConnection);
            return;
        }
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), context_.get());
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                         [answered](QDBusPendingCallWatcher* w) {
                             const bool ok = !w->isError();
                             w->deleteLater();
                             answered(ok);
                         });
    }

private:
    QDBusConnection bus_;
    QString ownName_;
    std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
};

}  // namespace

std::unique_ptr<ApplicationBus> sessionApplicationBus() {
    return std::make_unique<QtApplicationBus>(QDBusConnection::sessionBus(), QString());
}

std::unique_ptr<ApplicationBus> applicationBusAt(const std::string& address) {
    const QString name = "velorin-apps-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    return std::make_unique<QtApplicationBus>(QDBusConnection::connectToBus(QString::fromStdString(address), name),
                                              name);
}

}  // namespace velorin::linux_platform
