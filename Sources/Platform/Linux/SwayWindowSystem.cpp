#include "Platform/Linux/SwayWindowSystem.h"

#include <cmath>

#include <QLocalSocket>
#include <QTimer>

namespace velorin::linux_platform {
namespace {

constexpr int retryMs = 1000;
constexpr int replyMs = 1000;

std::string pixels(double v) { return std::to_string(std::lround(v)) + " px"; }

// Ends a socket that may be the sender of the signal being handled.
void discard(std::unique_ptr<QLocalSocket>& socket) {
    if (!socket) return;
    QObject::disconnect(socket.get(), nullptr, nullptr, nullptr);
    socket->abort();
    socket.release()->deleteLater();
}

}  // namespace

SwayWindowSystem::SwayWindowSystem(std::string socketPath)
    : path_(std::move(socketPath)), retry_(std::make_unique<QTimer>()) {
    retry_->setSingleShot(true);
    QObject::connect(retry_.get(), &QTimer::timeout, retry_.get(), [this] { connectEvents(); });
    connectEvents();
}

SwayWindowSystem::~SwayWindowSystem() {
    discard(events_);
    discard(requests_);
}

void SwayWindowSystem::connectEvents() {
    discard(events_);
    reader_ = sway::Reader();
    treePending_ = false;
    if (path_.empty()) return;
    events_ = std::make_unique<QLocalSocket>();
    QLocalSocket* socket = events_.get();
    QObject::connect(socket, &QLocalSocket::connected, socket, [this, socket] {
        socket->write(QByteArray::fromStdString(sway::encode(sway::subscribe, R"(["window","shutdown"])")));
        requestTree();
    });
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this] { readEvents(); });
    // Queued: a failed connection may report itself from inside connectToServer.
    QObject::connect(socket, &QLocalSocket::disconnected, socket, [this] { lost(); }, Qt::QueuedConnection);
    QObject::connect(socket, &QLocalSocket::errorOccurred, socket, [this] { lost(); }, Qt::QueuedConnection);
    socket->connectToServer(QString::fromStdString(path_));
}

void SwayWindowSystem::lost() {
    if (!events_) return;
    discard(events_);
    discard(requests_);
    forget();
    retry_->start(retryMs);
}

void SwayWindowSystem::requestTree() {
    if (!events_ || treePending_) return;
    treePending_ = true;
    events_->write(QByteArray::fromStdString(sway::encode(sway::getTree, "")));
}

void SwayWindowSystem::readEvents() {
    if (!events_) return;
    const QByteArray bytes = events_->readAll();
    reader_.add(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    while (auto message = reader_.next()) {
        handle(*message);
        if (!events_) return;
    }
    if (reader_.broken()) lost();
}

void SwayWindowSystem::handle(const sway::Message& message) {
    switch (message.type) {
        case sway::subscribe:
            // Without its events nothing would stay true: start again later.
            if (!sway::commandsSucceeded("[" + message.payload + "]")) lost();
            return;
        case sway::getTree:
            treePending_ = false;
            if (auto tree = sway::parseTree(message.payload)) update(std::move(tree->windows), tree->focused);
            return;
        case sway::windowEvent: {
            const auto event = sway::parseWindowEvent(message.payload);
            if (!event) return;
            if (event->change == "focus") updateActive(event->key);
            if (event->change == "title" || event->change == "mark" || event->change == "urgent") return;
            // The tree says what the event did to every window (a focus
            // moves the last one's state too).
            requestTree();
            return;
        }
        case sway::shutdownEvent: lost(); return;
        default: return;
    }
}

std::optional<sway::Message> SwayWindowSystem::request(std::uint32_t type, const std::string& payload) {
    if (path_.empty()) return std::nullopt;
    if (!requests_ || requests_->state() != QLocalSocket::ConnectedState) {
        discard(requests_);
        requests_ = std::make_unique<QLocalSocket>();
        requests_->connectToServer(QString::fromStdString(path_));
        if (!requests_->waitForConnected(replyMs)) {
            discard(requests_);
            return std::nullopt;
        }
    }
    requests_->write(QByteArray::fromStdString(sway::encode(type, payload)));
    if (!requests_->waitForBytesWritten(replyMs)) {
        discard(requests_);
        return std::nullopt;
    }
    sway::Reader reader;
    while (true) {
        if (auto reply = reader.next()) {
            if (reply->type == type) return reply;
            continue;
        }
        if (reader.broken() || !requests_->waitForReadyRead(replyMs)) break;
        const QByteArray bytes = requests_->readAll();
        reader.add(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    discard(requests_);
    return std::nullopt;
}

bool SwayWindowSystem::runCommand(const std::string& command) {
    const auto reply = request(sway::runCommand, command);
    return reply && sway::commandsSucceeded(reply->payload);
}

std::optional<Rect> SwayWindowSystem::readFrame(const CompositorWindow& window) {
    const auto reply = request(sway::getTree, "");
    if (!reply) return std::nullopt;
    const auto tree = sway::parseTree(reply->payload);
    if (!tree) return std::nullopt;
    for (const auto& w : tree->windows) {
        if (w.key == window.key) return w.frame;
    }
    return std::nullopt;
}

bool SwayWindowSystem::moveWindow(const CompositorWindow& window, Point topLeft) {
    return runCommand(sway::criteria(window.key) + " floating enable, move absolute position " + pixels(topLeft.x) +
                      " " + pixels(topLeft.y));
}

bool SwayWindowSystem::resizeWindow(const CompositorWindow& window, Size size) {
    return runCommand(sway::criteria(window.key) + " floating enable, resize set width " + pixels(size.width) +
                      " height " + pixels(size.height));
}

bool SwayWindowSystem::activateWindow(const CompositorWindow& window) {
    return runCommand(sway::criteria(window.key) + " focus");
}

bool SwayWindowSystem::minimizeWindow(const CompositorWindow& window) {
    return runCommand(sway::criteria(window.key) + " move scratchpad");
}

}  // namespace velorin::linux_platform
