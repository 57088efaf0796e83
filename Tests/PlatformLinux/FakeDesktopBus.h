#pragma once
// A private D-Bus session bus for tests, and stand-ins on it for KWin's
// scripting interface and for our GNOME Shell extension. The stand-ins answer
// on a thread of their own, since the adapters wait for some answers.

#include <QDBusConnection>
#include <QDBusContext>
#include <QVariantMap>
#include <QDBusMessage>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <sys/types.h>

#include <string>

namespace velorin::testing {

class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    // Whether the bus runs; the reason in `error` when not.
    bool start(std::string& error);
    // A new connection of its own to the bus.
    QDBusConnection connect(const QString& name) const;
    const std::string& address() const { return address_; }

private:
    std::string folder_;
    std::string address_;
    pid_t daemon_ = -1;
    QStringList names_;
};

// KWin's org.kde.kwin.Scripting at /Scripting and the loaded script's run().
class FakeKWin : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")

public:
    explicit FakeKWin(QDBusConnection bus) : bus_(new QDBusConnection(std::move(bus))) {}
    ~FakeKWin() override { delete bus_; }
    QStringList calls();  // "loadScript <path> <name>", "unloadScript <name>", "run <path>"

public Q_SLOTS:
    int loadScript(const QString& path, const QString& name);
    bool unloadScript(const QString& name);
    bool isScriptLoaded(const QString& name);

public:
    void ran(const QString& path);

private:
    QMutex mutex_;
    QStringList calls_;
    int next_ = 1;
    QDBusConnection* bus_;
};

class FakeKWinScript : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")

public:
    explicit FakeKWinScript(FakeKWin& kwin, QString path) : kwin_(kwin), path_(std::move(path)) {}

public Q_SLOTS:
    void run() { kwin_.ran(path_); }

private:
    FakeKWin& kwin_;
    QString path_;
};

class FakeShellExtension : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.velorin.Shell")

public:
    void setReport(const QString& report);
    QStringList calls();
    // What Place does: answer that it refused, or take it and (unless the
    // window stays put) show the window's new frame in the next report.
    // `holds`: answers only when told to (the window moves then), as a
    // Shell that hangs does.
    enum class Placing { moves, staysPut, refuses, holds };
    void setPlacing(Placing placing);
    // Answers the placements held so far on `bus`, the one the object is on.
    void answerHeld(QDBusConnection& bus, bool placed);

public Q_SLOTS:
    QString Windows();
    bool Place(const QString& id, int x, int y, int width, int height, const QDBusMessage& message);
    bool Activate(const QString& id);
    bool Minimize(const QString& id);

private:
    QMutex mutex_;
    QString report_;
    QStringList calls_;
    Placing placing_ = Placing::moves;
    QList<QDBusMessage> held_;
    void move(const QString& id, int x, int y, int width, int height);
};

// An app that desktops start over D-Bus: org.freedesktop.Application, which
// writes down each call with its startup id and token, or answers every call
// with an error.
class FakeApplication : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit FakeApplication(bool failing = false) : failing_(failing) {}
    // "Activate <desktop-startup-id> <activation-token>", "Open <uri>… <…> <…>"
    QStringList calls();

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& action, const QVariantList& parameter, const QVariantMap& platformData);

private:
    void record(QString call, const QVariantMap& platformData);
    bool failing_;
    QMutex mutex_;
    QStringList calls_;
};

// Runs stand-ins on a thread of their own for the object's lifetime.
class DesktopThread {
public:
    DesktopThread();
    ~DesktopThread();
    // Moves `object` to the thread; it is deleted there at the end.
    void adopt(QObject* object);

private:
    QThread thread_;
};

}  // namespace velorin::testing
