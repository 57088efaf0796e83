// Linked into the end-to-end app beside the program's own main(): a local socket
// (at the path VELORIN_PROBE names) where a test asks where a widget is on screen,
// so that it can point real X input at it. It only looks; it never clicks, types
// or changes a widget. One request a line, one answer a line:
//
//     find PATH            "x y w h" in root-window pixels, or "none"
//     property PATH NAME   the Qt property as text, or "none"
//     windows              the visible windows' titles, tab-separated
//     grab PATH FILE       saves the widget's pixels as a PNG: "ok" or "none"
//     item PATH TEXT       where the menu at PATH shows the item TEXT: "x y w h" or "none"
//     focus                "yes" when a window of the app has the keyboard focus, else "no"
//
// PATH is names joined by "/", each one a widget's object name or accessible name
// (or "@" and its class name), every next one inside the one before; only widgets
// shown on screen count: in a window the window manager has put on screen (the X
// server exposed it), so that a place found is not the one the window had before
// the manager framed it.

#include <QApplication>
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

namespace {

bool named(const QWidget* widget, const QString& name) {
    if (name.startsWith('@')) return QLatin1String(widget->metaObject()->className()) == name.mid(1);
    return widget->objectName() == name || widget->accessibleName() == name;
}

bool exposed(const QWidget* widget) {
    const QWindow* window = widget->window()->windowHandle();
    return window && window->isExposed();
}

bool onScreen(const QWidget* widget) { return widget->isVisible() && !widget->visibleRegion().isEmpty(); }

// The first widget shown on screen along `path`; top-level windows in stacking order.
QWidget* findPath(const QStringList& path) {
    QList<QWidget*> scope = QApplication::topLevelWidgets();
    QWidget* found = nullptr;
    for (const QString& name : path) {
        found = nullptr;
        for (QWidget* root : scope) {
            if (!root->isVisible() || !exposed(root)) continue;
            if (named(root, name) && onScreen(root)) {
                found = root;
                break;
            }
            for (QWidget* child : root->findChildren<QWidget*>()) {
                if (named(child, name) && onScreen(child)) {
                    found = child;
                    break;
                }
            }
            if (found) break;
        }
        if (!found) return nullptr;
        scope = {found};
    }
    return found;
}

QByteArray answer(const QString& request) {
    const QString command = request.section(' ', 0, 0);
    const QString rest = request.section(' ', 1);
    if (command == "find") {
        QWidget* widget = findPath(rest.split('/'));
        if (!widget) return "none";
        const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
        return QString("%1 %2 %3 %4").arg(origin.x()).arg(origin.y()).arg(widget->width()).arg(widget->height()).toUtf8();
    }
    if (command == "property") {
        QWidget* widget = findPath(rest.section(' ', 0, 0).split('/'));
        const QVariant value = widget ? widget->property(rest.section(' ', 1).toUtf8().constData()) : QVariant();
        if (!value.isValid()) return "none";
        return value.toString().replace('\n', ' ').toUtf8();
    }
    if (command == "windows") {
        QStringList titles;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->isWindow()) titles << window->windowTitle();
        }
        return titles.join('\t').toUtf8();
    }
    if (command == "item") {
        auto* menu = qobject_cast<QMenu*>(findPath(rest.section(' ', 0, 0).split('/')));
        if (!menu) return "none";
        const QString text = rest.section(' ', 1);
        for (QAction* action : menu->actions()) {
            // "&&" is how a menu shows one "&".
            if (action->text().replace("&&", "&") != text) continue;
            const QRect r = menu->actionGeometry(action);
            if (r.isEmpty()) return "none";
            const QPoint origin = menu->mapToGlobal(r.topLeft());
            return QString("%1 %2 %3 %4").arg(origin.x()).arg(origin.y()).arg(r.width()).arg(r.height()).toUtf8();
        }
        return "none";
    }
    if (command == "focus") return QApplication::activeWindow() ? "yes" : "no";
    if (command == "grab") {
        QWidget* widget = findPath(rest.section(' ', 0, 0).split('/'));
        if (!widget || !widget->grab().save(rest.section(' ', 1), "PNG")) return "none";
        return "ok";
    }
    return "unknown request";
}

void serve(QLocalServer* server) {
    QObject::connect(server, &QLocalServer::newConnection, server, [server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] {
                while (socket->canReadLine()) {
                    const QString request = QString::fromUtf8(socket->readLine()).trimmed();
                    socket->write(answer(request) + "\n");
                }
            });
        }
    });
}

void startProbe() {
    const QString path = qEnvironmentVariable("VELORIN_PROBE");
    if (path.isEmpty()) return;
    // Once the application is whole and its loop runs.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [path] {
            auto* server = new QLocalServer(QCoreApplication::instance());
            QLocalServer::removeServer(path);
            if (!server->listen(path)) qFatal("the probe cannot listen at %s", qPrintable(path));
            serve(server);
        },
        Qt::QueuedConnection);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)

// Under the sanitizers every error during the run still ends the app (and fails the
// test), but not the leak check at its end: the system's libraries (D-Bus, the GL
// driver, unloaded by then) keep blocks until the process ends that LeakSanitizer
// cannot even name. The unit tests check our own code for leaks.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
