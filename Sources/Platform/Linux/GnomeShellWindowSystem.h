#pragma once
// GNOME Shell (43 and later) with our extension enabled: the extension
// exports the windows and the focused one on GNOME Shell's bus name, tells of
// changes with a signal, and takes window commands as method calls. Without
// the extension there is no front app. Everything runs on the Qt event loop;
// an answer that is not a report changes nothing.

#include <QDBusConnection>
#include <QObject>

#include <memory>

#include "Platform/Linux/CompositorWindowSystem.h"

class QDBusServiceWatcher;
class QTimer;

namespace velorin::linux_platform {

class GnomeShellWindowSystem : public QObject, public CompositorWindowSystem {
    Q_OBJECT

public:
    static constexpr const char* shellService = "org.gnome.Shell";
    static constexpr const char* objectPath = "/app/velorin/Shell";
    static constexpr const char* interfaceName = "app.velorin.Shell";

    explicit GnomeShellWindowSystem(QDBusConnection bus);
    ~GnomeShellWindowSystem() override;

protected:
    std::optional<Rect> readFrame(const CompositorWindow& window) override;
    void readFrameLater(const CompositorWindow& window, std::function<void(std::optional<Rect>)> done) override;
    bool placeWindow(const Placement& placement) override;
    bool activateWindow(const CompositorWindow& window) override;
    bool minimizeWindow(const CompositorWindow& window) override;

private Q_SLOTS:
    void changed();

private:
    void refresh();
    bool call(const char* method, const QList<QVariant>& arguments);
    // The call answered on the event loop (or an error, the timeout's too).
    void callLater(const char* method, const QList<QVariant>& arguments,
                   std::function<void(const QDBusMessage& reply)> done);

    QDBusConnection bus_;
    bool refreshing_ = false;
    bool refreshAgain_ = false;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
};

}  // namespace velorin::linux_platform
