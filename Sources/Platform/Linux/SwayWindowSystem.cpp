#include "Platform/Linux/SwayWindowSystem.h"

#include <cmath>

#include <QLocalSocket>
#include <QTimer>

namespace velorin::linux_platform {
namespace {

constexpr int replyMs = 1000;
constexpr int settleMs = 300;

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
    : path_(std::move(socketPath)), context_(std::make_unique<QObject>()) {
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
        forget();
    };
    events_ = std::make_unique<EventSocket>(path_, std::move(handlers));
}

SwayWindowSystem::~SwayWindowSystem() {
    events_.reset();
    discard(requests_);
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

bool SwayWindowSystem::runCommand(const std::string& command) {
    const auto reply = request(sway::runCommand, command);
    return reply && sway::commandsSucceeded(reply->payload);
}

std::optional<Rect> SwayWindowSystem::readFrame(const CompositorWindow& window) {
    if (placement_ && placement_->key == window.key) flushPlacement();
    const auto reply = request(sway::getTree, "");
    if (!reply) return std::nullopt;
    const auto tree = sway::parseTree(reply->payload);
    if (!tree) return std::nullopt;
    for (const auto& w : tree->windows) {
        if (w.key == window.key) return w.frame;
    }
    return std::nullopt;
}

// A window command sets the size, the position and the size again, one call
// after another. Sway answers each with a new configure of the window, and a
// client that draws slowly can settle on one of the earlier sizes; so what one
// turn of the event loop asks for goes out as one command.
void SwayWindowSystem::place(const CompositorWindow& window, std::optional<Point> topLeft, std::optional<Size> size) {
    if (placement_ && placement_->key != window.key) flushPlacement();
    if (!placement_) {
        placement_ = Placement{window.key, {}, {}};
        QTimer::singleShot(0, context_.get(), [this] { flushPlacement(); });
    }
    if (topLeft) placement_->topLeft = topLeft;
    if (size) placement_->size = size;
}

void SwayWindowSystem::flushPlacement() {
    if (!placement_) return;
    Placement p = *placement_;
    placement_.reset();
    if (p.size && !p.topLeft) {
        // Sway resizes about the centre: the corner is put back where it was.
        CompositorWindow w;
        w.key = p.key;
        if (const auto frame = readFrame(w)) p.topLeft = frame->origin;
    }
    sendPlacement(p, 2);
}

void SwayWindowSystem::sendPlacement(const Placement& p, int checks) {
    std::string command = sway::criteria(p.key) + " floating enable";
    if (p.size) command += ", resize set width " + pixels(p.size->width) + " height " + pixels(p.size->height);
    if (p.topLeft) command += ", move absolute position " + pixels(p.topLeft->x) + " " + pixels(p.topLeft->y);
    if (!runCommand(command) || checks == 0) return;
    // A floating window takes the size its client last drew at, and a client
    // busy drawing can answer an earlier configure last; the frame is looked
    // at again a moment later and asked for once more if it did not settle.
    QTimer::singleShot(settleMs, context_.get(), [this, p, checks] {
        CompositorWindow w;
        w.key = p.key;
        const auto frame = readFrame(w);
        if (!frame) return;
        const bool sized = !p.size || (frame->size.width == std::round(p.size->width) &&
                                       frame->size.height == std::round(p.size->height));
        const bool placed = !p.topLeft || (frame->origin.x == std::round(p.topLeft->x) &&
                                           frame->origin.y == std::round(p.topLeft->y));
        if (!sized || !placed) sendPlacement(p, checks - 1);
    });
}

bool SwayWindowSystem::moveWindow(const CompositorWindow& window, Point topLeft) {
    if (!isConnected()) return false;
    place(window, topLeft, std::nullopt);
    return true;
}

bool SwayWindowSystem::resizeWindow(const CompositorWindow& window, Size size) {
    if (!isConnected()) return false;
    place(window, std::nullopt, size);
    return true;
}

bool SwayWindowSystem::activateWindow(const CompositorWindow& window) {
    flushPlacement();
    return runCommand(sway::criteria(window.key) + " focus");
}

bool SwayWindowSystem::minimizeWindow(const CompositorWindow& window) {
    flushPlacement();
    return runCommand(sway::criteria(window.key) + " move scratchpad");
}

}  // namespace velorin::linux_platform
