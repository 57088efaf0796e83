#pragma once
// KDE Plasma (KWin 5.27 and 6): our KWin script, loaded over D-Bus at start
// (again whenever KWin comes back) and unloaded at quit, reports the windows
// and the active one to this object on the session bus, and carries out the
// window commands that it fetches from here. Everything runs on the Qt event
// loop; a report that is not one changes nothing.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Linux/CompositorWindowSystem.h"

class QDBusServiceWatcher;
class QTimer;

namespace velorin::linux_platform {

class KWinWindowSystem : public QObject, public CompositorWindowSystem {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.velorin.KWin")

public:
    static constexpr const char* serviceName = "app.velorin.Velorin";
    static constexpr const char* objectPath = "/KWin";
    static constexpr const char* pluginName = "velorin";
    static constexpr int heartbeatMs = 20000;

    // `scriptFile`: where the script's text is written for KWin to load.
    KWinWindowSystem(QDBusConnection bus, std::string scriptFile);
    ~KWinWindowSystem() override;

    // Whether KWin took the script the last time it was loaded.
    bool scriptLoaded() const { return loaded_; }
    void unloadScript();

public Q_SLOTS:
    // Called by the script.
    void Windows(const QString& report, const QDBusMessage& message);
    // The script could not carry out this placement (the window is gone, or
    // KWin keeps it where it is).
    void Refused(const QString& serial, const QDBusMessage& message);
    QString NextCommands(const QDBusMessage& message);

protected:
    bool placeWindow(const Placement& placement) override;
    bool activateWindow(const CompositorWindow& window) override;
    bool minimizeWindow(const CompositorWindow& window) override;

private:
    void loadScript();
    bool fromKWin(const QDBusMessage& message) const;
    bool tryLoading();
    bool send(std::string command);
    void answerPoll();

    QDBusConnection bus_;
    std::string scriptFile_;
    bool loaded_ = false;
    bool registered_ = false;
    std::deque<std::string> commands_;
    std::optional<QDBusMessage> poll_;
    std::unique_ptr<QTimer> heartbeat_;
    std::unique_ptr<QTimer> retry_;
    static constexpr int firstRetryMs = 500;
    static constexpr int lastRetryMs = 30000;
    int retryMs_ = firstRetryMs;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
};

// The script's text, as the build holds it.
const char* kwinScriptText();

}  // namespace velorin::linux_platform
