#include "Platform/Linux/X11WindowSystem.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

namespace velorin::linux_platform {
namespace {

DesktopWindow desktopWindow(const X11Window& w) {
    return DesktopWindow{w.id, w.pid, w.instance, w.windowClass, w.title, w.hidden, w.startupId};
}

}  // namespace

X11WindowSystem::X11WindowSystem(std::shared_ptr<X11Desktop> desktop) : desktop_(std::move(desktop)) {}

X11WindowSystem::~X11WindowSystem() = default;

bool X11WindowSystem::isConnected() const { return desktop_->isConnected(); }

std::optional<DesktopWindow> X11WindowSystem::activeWindow() {
    const auto w = desktop_->activeWindow();
    if (!w) return std::nullopt;
    return desktopWindow(*w);
}

std::vector<DesktopWindow> X11WindowSystem::clientWindows() {
    std::vector<DesktopWindow> out;
    for (const auto& w : desktop_->clientWindows()) out.push_back(desktopWindow(w));
    return out;
}

std::optional<Rect> X11WindowSystem::frame(std::uint32_t window) { return desktop_->frame(window); }
bool X11WindowSystem::moveFrame(std::uint32_t window, Point topLeft, PlacementFailure) {
    return desktop_->moveFrame(window, topLeft);
}
bool X11WindowSystem::resizeFrame(std::uint32_t window, Size size, PlacementFailure) {
    return desktop_->resizeFrame(window, size);
}
bool X11WindowSystem::activate(std::uint32_t window) { return desktop_->activate(window); }
bool X11WindowSystem::iconify(std::uint32_t window) { return desktop_->iconify(window); }
bool X11WindowSystem::toggleShowingDesktop() { return desktop_->toggleShowingDesktop(); }

std::optional<WindowSystem::StartupContext> X11WindowSystem::startupContext() {
    const auto time = desktop_->serverTime();
    if (!time) return std::nullopt;
    return StartupContext{*time, desktop_->screenNumber(), desktop_->currentDesktop()};
}

bool X11WindowSystem::broadcastStartupMessage(const std::string& message) {
    return desktop_->broadcastStartupMessage(message);
}

void X11WindowSystem::setChangeHandler(ChangeHandler handler) {
    changed_ = std::move(handler);
    // Events are read only by one who listens: a second reader of the same
    // connection would take them from the first.
    if (!changed_ || notifier_ || !desktop_->isConnected()) return;
    notifier_ = std::make_unique<QSocketNotifier>(desktop_->fileDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { processEvents(true); });
    // Waiting for a reply reads every event that came before it off the
    // socket; those wait in the connection's queue, where the notifier never
    // sees them, so they are taken before the loop sleeps.
    if (auto* dispatcher = QAbstractEventDispatcher::instance(notifier_->thread())) {
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, notifier_.get(),
                         [this] { processEvents(false); });
    }
}

void X11WindowSystem::processEvents(bool readSocket) {
    bool activeChanged = false, listChanged = false;
    desktop_->processEvents(
        [&](X11Desktop::Change change) {
            (change == X11Desktop::Change::activeWindow ? activeChanged : listChanged) = true;
        },
        readSocket);
    // The X server went away: its socket stays readable for ever.
    if (!desktop_->isConnected() && notifier_) notifier_->setEnabled(false);
    // One notice of each for a batch of events; the list first, so a window
    // that opened and took the focus is known by the time it is in front.
    if (listChanged && changed_) changed_(Change::clientList);
    if (activeChanged && changed_) changed_(Change::activeWindow);
}

}  // namespace velorin::linux_platform
