#include "Platform/Linux/SwayWindowSystem.h"

#include <cmath>

#include <QLocalSocket>
#include <QTimer>

namespace velorin::linux_platform {
namespace {

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
    : path_(std::move(socketPath)), replyTimer_(std::make_unique<QTimer>()) {
    replyTimer_->setSingleShot(true);
    QObject::connect(replyTimer_.get(), &QTimer::timeout, replyTimer_.get(), [this] { dropLater(); });
    EventSocket::Handlers handlers;
    handlers.connected = [this] {
        reader_ = sway::Reader();
        treePending_ = false;
        events_->write(sway::encode(sway::subscribe, R"(["window","shutdown"])"));
        requestTree();
    };
    handlers.received = [this](std::string_view bytes) { readEvents(bytes); };
    handlers.lost = [this] {
        discard(requests_);
        dropLater();
        forget();
    };
    events_ = std::make_unique<EventSocket>(path_, std::move(handlers));
}

SwayWindowSystem::~SwayWindowSystem() {
    events_.reset();
    discard(requests_);
    // What is still on its way is answered to no one.
    discard(later_);
    queued_.clear();
}

void SwayWindowSystem::requestTree() {
    if (!events_ || !events_->isOpen() || treePending_) return;
    treePending_ = true;
    events_->write(sway::encode(sway::getTree, ""));
}

void SwayWindowSystem::readEvents(std::string_view bytes) {
    reader_.add(bytes);
    while (auto message = reader_.next()) {
        handle(*message);
        if (!events_->isOpen()) return;
    }
    if (reader_.broken()) events_->drop();
}

void SwayWindowSystem::handle(const sway::Message& message) {
    switch (message.type) {
        case sway::subscribe:
            // Without its events nothing would stay true: start again later.
            if (!sway::commandsSucceeded("[" + message.payload + "]")) events_->drop();
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
        case sway::shutdownEvent: events_->drop(); return;
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

bool SwayWindowSystem::send(std::uint32_t type, const std::string& payload, Replied done) {
    if (path_.empty()) return false;
    queued_.push_back(Queued{type, payload, std::move(done)});
    sendNext();
    return true;
}

void SwayWindowSystem::sendNext() {
    if (awaiting_ || queued_.empty()) return;
    if (!later_) {
        later_ = std::make_unique<QLocalSocket>();
        laterReader_ = sway::Reader();
        QLocalSocket* socket = later_.get();
        // Queued calls are dropped when they come after their socket was.
        auto dropped = [this, socket] {
            if (later_.get() == socket) dropLater();
        };
        QObject::connect(socket, &QLocalSocket::connected, socket, [this] { sendNext(); });
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this] { readReplies(); });
        // Queued: the socket may be the sender of the signal being handled.
        QObject::connect(socket, &QLocalSocket::disconnected, socket, dropped, Qt::QueuedConnection);
        QObject::connect(socket, &QLocalSocket::errorOccurred, socket, dropped, Qt::QueuedConnection);
        replyTimer_->start(replyMs);  // a socket that never connects is dropped too
        socket->connectToServer(QString::fromStdString(path_));
        return;
    }
    if (later_->state() != QLocalSocket::ConnectedState) return;  // sent once connected
    awaiting_ = true;
    later_->write(QByteArray::fromStdString(sway::encode(queued_.front().type, queued_.front().payload)));
    replyTimer_->start(replyMs);
}

void SwayWindowSystem::readReplies() {
    if (!later_) return;
    const QByteArray bytes = later_->readAll();
    laterReader_.add(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    while (auto reply = laterReader_.next()) {
        if (!awaiting_ || queued_.empty() || reply->type != queued_.front().type) continue;
        Replied done = std::move(queued_.front().done);
        queued_.pop_front();
        awaiting_ = false;
        replyTimer_->stop();
        done(std::move(reply));
        if (!later_) return;  // what `done` did dropped the connection
    }
    if (laterReader_.broken()) return dropLater();
    sendNext();
}

void SwayWindowSystem::dropLater() {
    // Sway answers in turn: once one answer is lost or garbled, none of the
    // rest can be trusted either.
    discard(later_);
    awaiting_ = false;
    replyTimer_->stop();
    std::deque<Queued> failed = std::move(queued_);
    queued_.clear();
    for (auto& q : failed) q.done(std::nullopt);
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

void SwayWindowSystem::readFrameLater(const CompositorWindow& window, std::function<void(std::optional<Rect>)> done) {
    auto read = [key = window.key, done](std::optional<sway::Message> reply) {
        const auto tree = reply ? sway::parseTree(reply->payload) : std::nullopt;
        if (!tree) return done(std::nullopt);
        for (const auto& w : tree->windows) {
            if (w.key == key) return done(w.frame);
        }
        done(std::nullopt);
    };
    if (!send(sway::getTree, "", read)) done(std::nullopt);
}

bool SwayWindowSystem::placeWindow(const Placement& p) {
    // Sway resizes a floating window about its centre: the corner goes in the
    // same command, after the size.
    const Rect& f = p.frame;
    const std::string command = sway::criteria(p.key) + " floating enable, resize set width " +
                                pixels(f.size.width) + " height " + pixels(f.size.height) +
                                ", move absolute position " + pixels(f.origin.x) + " " + pixels(f.origin.y);
    return send(sway::runCommand, command, [this, serial = p.serial](std::optional<sway::Message> reply) {
        if (!reply || !sway::commandsSucceeded(reply->payload)) refused(serial);
    });
}

bool SwayWindowSystem::activateWindow(const CompositorWindow& window) {
    return runCommand(sway::criteria(window.key) + " focus");
}

bool SwayWindowSystem::minimizeWindow(const CompositorWindow& window) {
    return runCommand(sway::criteria(window.key) + " move scratchpad");
}

}  // namespace velorin::linux_platform
