#include "Platform/Linux/HyprlandWindowSystem.h"

#include <cmath>

#include <QLocalSocket>
#include <QTimer>

namespace velorin::linux_platform {
namespace {

constexpr int replyMs = 1000;
constexpr qint64 largestReply = 16 << 20;

std::string whole(double v) { return std::to_string(std::lround(v)); }

}  // namespace

HyprlandWindowSystem::HyprlandWindowSystem(std::string socketFolder)
    : folder_(std::move(socketFolder)), asking_(std::make_unique<QObject>()) {
    EventSocket::Handlers handlers;
    handlers.connected = [this] {
        reader_ = hyprland::EventReader();
        refreshing_ = refreshAgain_ = false;
        generation_ = std::make_shared<int>(0);
        refresh();
    };
    handlers.received = [this](std::string_view bytes) { readEvents(bytes); };
    handlers.lost = [this] {
        generation_.reset();
        forget();
    };
    events_ = std::make_unique<EventSocket>(folder_.empty() ? std::string() : folder_ + "/.socket2.sock",
                                            std::move(handlers));
}

HyprlandWindowSystem::~HyprlandWindowSystem() {
    // Requests on their way are answered to no one.
    for (QObject* socket : asking_->children()) QObject::disconnect(socket, nullptr, nullptr, nullptr);
    asking_.reset();
}

void HyprlandWindowSystem::readEvents(std::string_view bytes) {
    reader_.add(bytes);
    bool changed = false;
    while (auto event = reader_.next()) changed = changed || hyprland::changesWindows(*event);
    if (reader_.broken()) return events_->drop();
    if (changed) refresh();
}

void HyprlandWindowSystem::ask(const std::string& request, std::function<void(std::optional<std::string>)> done) {
    auto* socket = new QLocalSocket(asking_.get());
    auto answer = std::make_shared<QByteArray>();
    auto finished = std::make_shared<bool>(false);
    auto finish = [socket, answer, finished, done](bool ok) {
        if (*finished) return;
        *finished = true;
        QObject::disconnect(socket, nullptr, nullptr, nullptr);
        socket->deleteLater();
        done(ok ? std::optional(answer->toStdString()) : std::nullopt);
    };
    QObject::connect(socket, &QLocalSocket::connected, socket,
                     [socket, request] { socket->write(QByteArray::fromStdString(request)); });
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, answer, finish] {
        answer->append(socket->readAll());
        if (answer->size() > largestReply) finish(false);
    });
    // The compositor closes the connection once it has answered.
    QObject::connect(socket, &QLocalSocket::disconnected, socket, [socket, answer, finish] {
        answer->append(socket->readAll());
        finish(answer->size() <= largestReply);
    }, Qt::QueuedConnection);
    QObject::connect(socket, &QLocalSocket::errorOccurred, socket, [socket, finish](QLocalSocket::LocalSocketError e) {
        if (e != QLocalSocket::PeerClosedError) finish(false);
    }, Qt::QueuedConnection);
    QTimer::singleShot(replyMs, socket, [finish] { finish(false); });
    socket->connectToServer(QString::fromStdString(folder_ + "/.socket.sock"));
}

void HyprlandWindowSystem::refresh() {
    if (!generation_) return;
    if (refreshing_) {
        refreshAgain_ = true;
        return;
    }
    refreshing_ = true;
    std::weak_ptr<int> generation = generation_;
    auto again = [this, generation] {
        if (generation.expired()) return;
        refreshing_ = false;
        if (refreshAgain_) {
            refreshAgain_ = false;
            refresh();
        }
    };
    ask("j/clients", [this, generation, again](std::optional<std::string> clients) {
        if (generation.expired()) return;
        const auto windows = clients ? hyprland::parseClients(*clients) : std::nullopt;
        if (!windows) return again();
        ask("j/activewindow", [this, generation, again, windows](std::optional<std::string> active) {
            if (generation.expired()) return;
            // An answer that is not one changes nothing.
            if (const auto key = active ? hyprland::parseActiveWindow(*active) : std::nullopt) update(*windows, *key);
            again();
        });
    });
}

std::optional<std::string> HyprlandWindowSystem::call(const std::string& request) {
    if (folder_.empty()) return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(folder_ + "/.socket.sock"));
    if (!socket.waitForConnected(replyMs)) return std::nullopt;
    socket.write(QByteArray::fromStdString(request));
    if (!socket.waitForBytesWritten(replyMs)) return std::nullopt;
    QByteArray answer;
    while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(replyMs)) {
        answer.append(socket.readAll());
        if (answer.size() > largestReply) return std::nullopt;
    }
    answer.append(socket.readAll());
    // A reply that never ended is not whole.
    if (socket.state() == QLocalSocket::ConnectedState) return std::nullopt;
    return answer.toStdString();
}

bool HyprlandWindowSystem::dispatch(const std::string& arguments) {
    const auto answer = call("dispatch " + arguments);
    return answer && *answer == "ok";
}

std::optional<Rect> HyprlandWindowSystem::readFrame(const CompositorWindow& window) {
    const auto answer = call("j/clients");
    const auto windows = answer ? hyprland::parseClients(*answer) : std::nullopt;
    if (!windows) return std::nullopt;
    for (const auto& w : *windows) {
        if (w.key == window.key) return w.frame;
    }
    return std::nullopt;
}

void HyprlandWindowSystem::readFrameLater(const CompositorWindow& window,
                                          std::function<void(std::optional<Rect>)> done) {
    ask("j/clients", [key = window.key, done](std::optional<std::string> answer) {
        const auto windows = answer ? hyprland::parseClients(*answer) : std::nullopt;
        if (!windows) return done(std::nullopt);
        for (const auto& w : *windows) {
            if (w.key == key) return done(w.frame);
        }
        done(std::nullopt);
    });
}

bool HyprlandWindowSystem::placeWindow(const Placement& p) {
    if (folder_.empty()) return false;
    const std::string target = hyprland::windowArgument(p.key);
    const Rect& f = p.frame;
    dispatchInTurn(std::make_shared<const std::vector<std::string>>(std::vector<std::string>{
                       "setfloating " + target,
                       "resizewindowpixel exact " + whole(f.size.width) + " " + whole(f.size.height) + "," + target,
                       "movewindowpixel exact " + whole(f.origin.x) + " " + whole(f.origin.y) + "," + target,
                   }),
                   0, p.serial);
    return true;
}

void HyprlandWindowSystem::dispatchInTurn(std::shared_ptr<const std::vector<std::string>> steps, std::size_t next,
                                          std::uint64_t serial) {
    const std::string request = "dispatch " + (*steps)[next];
    ask(request, [this, steps, next, serial](std::optional<std::string> answer) {
        if (!answer || *answer != "ok") return refused(serial);
        // A newer placement of the window, or a compositor gone, ends this one.
        if (next + 1 < steps->size() && placing(serial)) dispatchInTurn(steps, next + 1, serial);
    });
}

bool HyprlandWindowSystem::activateWindow(const CompositorWindow& window) {
    return dispatch("focuswindow " + hyprland::windowArgument(window.key));
}

bool HyprlandWindowSystem::minimizeWindow(const CompositorWindow& window) {
    return dispatch("movetoworkspacesilent special:minimized," + hyprland::windowArgument(window.key));
}

}  // namespace velorin::linux_platform
