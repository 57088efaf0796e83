#include "Platform/Linux/CompositorWindowSystem.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include <QObject>
#include <QTimer>

namespace velorin::linux_platform {
namespace {

constexpr double largestPixels = 1 << 20;

// What the workspace's list of apps depends on; titles and frames change too
// often to be news.
bool sameList(const std::vector<CompositorWindow>& a, const std::vector<CompositorWindow>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return std::tie(x.key, x.pid, x.appId, x.hidden) == std::tie(y.key, y.pid, y.appId, y.hidden);
    });
}

}  // namespace

std::optional<Size> wholeSize(Size size) {
    const double w = std::round(size.width), h = std::round(size.height);
    if (!(w >= 1 && h >= 1 && w <= largestPixels && h <= largestPixels)) return std::nullopt;
    return Size{w, h};
}

std::optional<Point> wholePoint(Point point) {
    const double x = std::round(point.x), y = std::round(point.y);
    if (!(std::abs(x) <= largestPixels && std::abs(y) <= largestPixels)) return std::nullopt;
    return Point{x, y};
}

std::uint32_t CompositorWindowSystem::handleOf(const std::string& key) {
    if (auto it = handles_.find(key); it != handles_.end()) return it->second;
    const std::uint32_t handle = nextHandle_++;
    handles_[key] = handle;
    keys_[handle] = key;
    return handle;
}

DesktopWindow CompositorWindowSystem::desktopWindow(const CompositorWindow& w) {
    DesktopWindow d;
    d.id = handleOf(w.key);
    d.pid = w.pid;
    d.windowClass = w.appId;
    d.title = w.title;
    d.hidden = w.hidden;
    return d;
}

const CompositorWindow* CompositorWindowSystem::window(std::uint32_t handle) const {
    const auto key = keys_.find(handle);
    if (key == keys_.end()) return nullptr;
    for (const auto& w : windows_) {
        if (w.key == key->second) return &w;
    }
    return nullptr;
}

std::optional<DesktopWindow> CompositorWindowSystem::activeWindow() {
    if (!active_) return std::nullopt;
    for (const auto& w : windows_) {
        if (w.key == *active_) return desktopWindow(w);
    }
    return std::nullopt;
}

std::vector<DesktopWindow> CompositorWindowSystem::clientWindows() {
    std::vector<DesktopWindow> out;
    for (const auto& w : windows_) out.push_back(desktopWindow(w));
    return out;
}

std::optional<Rect> CompositorWindowSystem::frame(std::uint32_t handle) {
    flushPlacement();
    const CompositorWindow* w = window(handle);
    if (!w) return std::nullopt;
    return readFrame(*w);
}

CompositorWindowSystem::CompositorWindowSystem() : context_(std::make_unique<QObject>()) {}
CompositorWindowSystem::~CompositorWindowSystem() = default;

const CompositorWindow* CompositorWindowSystem::windowWithKey(const std::string& key) const {
    const auto w = std::find_if(windows_.begin(), windows_.end(), [&](const auto& x) { return x.key == key; });
    return w == windows_.end() ? nullptr : &*w;
}

bool CompositorWindowSystem::ask(std::uint32_t handle, std::optional<Point> topLeft, std::optional<Size> size,
                                 PlacementFailure failed) {
    const CompositorWindow* w = window(handle);
    if (!w) return false;
    if (asked_ && asked_->key != w->key) flushPlacement();
    if (!asked_) {
        asked_ = Asked{w->key, {}, {}, {}};
        QTimer::singleShot(0, context_.get(), [this] { flushPlacement(); });
    }
    if (topLeft) asked_->topLeft = topLeft;
    if (size) asked_->size = size;
    // What a later command asks of the same placement makes it that command's.
    asked_->failed = std::move(failed);
    return true;
}

void CompositorWindowSystem::flushPlacement() {
    if (!asked_) return;
    Asked asked = std::move(*asked_);
    asked_.reset();
    const std::uint64_t serial = ++lastSerial_;
    // A placement still settling is superseded: its looks would undo this one.
    watches_[asked.key] = Watch{Placement{asked.key, {}, serial}, std::nullopt, std::move(asked.failed)};
    const CompositorWindow* w = windowWithKey(asked.key);
    if (!w) return fail(asked.key, serial);  // it closed meanwhile, or the compositor went away
    const CompositorWindow window = *w;
    std::optional<Rect> frame = (asked.topLeft && asked.size) ? std::optional(Rect{}) : readFrame(window);
    if (!frame) return fail(asked.key, serial);
    if (asked.topLeft) frame->origin = *asked.topLeft;
    if (asked.size) frame->size = *asked.size;
    const Placement placement{asked.key, *frame, serial};
    if (Watch* watch = watching(asked.key, serial)) {
        watch->placement = placement;
        watch->before = window.frame;
    }
    if (!placeWindow(placement)) return fail(asked.key, serial);
    if (watching(asked.key, serial)) settle(asked.key, serial, 0);
}

CompositorWindowSystem::Watch* CompositorWindowSystem::watching(const std::string& key, std::uint64_t serial) {
    const auto it = watches_.find(key);
    return it != watches_.end() && it->second.placement.serial == serial ? &it->second : nullptr;
}

void CompositorWindowSystem::stopWatching(const std::string& key, std::uint64_t serial) {
    if (watching(key, serial)) watches_.erase(key);
}

void CompositorWindowSystem::fail(const std::string& key, std::uint64_t serial) {
    Watch* watch = watching(key, serial);
    if (!watch) return;
    PlacementFailure failed = std::move(watch->failed);
    watches_.erase(key);
    tellFailure(std::move(failed));
}

void CompositorWindowSystem::tellFailure(PlacementFailure failed) {
    // Told on a turn of its own, never inside the command or read that found it.
    if (failed) QTimer::singleShot(0, context_.get(), std::move(failed));
}

void CompositorWindowSystem::refused(std::uint64_t serial) {
    for (const auto& [key, watch] : watches_) {
        if (watch.placement.serial == serial) return fail(std::string(key), serial);
    }
}

void CompositorWindowSystem::settle(const std::string& key, std::uint64_t serial, int check) {
    // A client busy drawing can answer an earlier configure last, and the
    // compositor then keeps a stale size or place: the frame is looked at
    // again a little later each time, and asked for once more while it has
    // not settled.
    QTimer::singleShot(firstSettleCheckMs << check, context_.get(), [this, key, serial, check] {
        const Watch* watch = watching(key, serial);
        if (!watch) return;  // answered, superseded or failed meanwhile
        const CompositorWindow* w = windowWithKey(key);
        if (!w) return stopWatching(key, serial);  // it closed: nothing is left to place
        const Placement placement = watch->placement;
        const std::optional<Rect> before = watch->before;
        const auto frame = readFrame(*w);
        if (!watching(key, serial)) return;
        if (frame == placement.frame) return stopWatching(key, serial);
        if (check + 1 == settleChecks) {
            if (frame && before && *frame != *before) return stopWatching(key, serial);
            return fail(key, serial);
        }
        // A frame that can't be read now is looked at again later.
        if (frame && !placeWindow(placement)) return fail(key, serial);
        if (watching(key, serial)) settle(key, serial, check + 1);
    });
}

bool CompositorWindowSystem::moveFrame(std::uint32_t handle, Point topLeft, PlacementFailure failedLater) {
    const auto p = wholePoint(topLeft);
    return p && ask(handle, p, std::nullopt, std::move(failedLater));
}

bool CompositorWindowSystem::resizeFrame(std::uint32_t handle, Size size, PlacementFailure failedLater) {
    const auto s = wholeSize(size);
    return s && ask(handle, std::nullopt, s, std::move(failedLater));
}

bool CompositorWindowSystem::activate(std::uint32_t handle) {
    flushPlacement();
    const CompositorWindow* w = window(handle);
    return w && activateWindow(*w);
}

bool CompositorWindowSystem::iconify(std::uint32_t handle) {
    flushPlacement();
    const CompositorWindow* w = window(handle);
    return w && minimizeWindow(*w);
}

void CompositorWindowSystem::tell(Change change) {
    if (changed_) changed_(change);
}

void CompositorWindowSystem::update(std::vector<CompositorWindow> windows, std::optional<std::string> activeKey) {
    if (activeKey && std::none_of(windows.begin(), windows.end(), [&](const auto& w) { return w.key == *activeKey; })) {
        activeKey.reset();
    }
    const auto appOf = [](const std::vector<CompositorWindow>& list, const std::optional<std::string>& key) {
        std::optional<std::pair<std::int32_t, std::string>> app;
        if (!key) return app;
        for (const auto& w : list) {
            if (w.key == *key) app = {w.pid, w.appId};
        }
        return app;
    };
    const bool wasKnown = known_;
    const bool listChanged = !wasKnown || !sameList(windows_, windows);
    const bool activeChanged =
        !wasKnown || active_ != activeKey || appOf(windows_, active_) != appOf(windows, activeKey);
    windows_ = std::move(windows);
    active_ = std::move(activeKey);
    known_ = true;
    // Handles of windows that closed are not needed again.
    for (auto it = handles_.begin(); it != handles_.end();) {
        const bool open = std::any_of(windows_.begin(), windows_.end(), [&](const auto& w) { return w.key == it->first; });
        if (open) {
            ++it;
            continue;
        }
        keys_.erase(it->second);
        it = handles_.erase(it);
    }
    if (listChanged) tell(Change::clientList);
    if (activeChanged) tell(Change::activeWindow);
}

void CompositorWindowSystem::updateActive(std::optional<std::string> activeKey) {
    if (!known_) return;
    if (activeKey && std::none_of(windows_.begin(), windows_.end(), [&](const auto& w) { return w.key == *activeKey; })) {
        return;
    }
    update(windows_, std::move(activeKey));
}

void CompositorWindowSystem::forget() {
    // What was asked of a compositor that is gone was not carried out, and
    // can't be looked at any more.
    std::vector<PlacementFailure> failed;
    if (asked_) failed.push_back(std::move(asked_->failed));
    asked_.reset();
    for (auto& [key, watch] : watches_) failed.push_back(std::move(watch.failed));
    watches_.clear();
    for (auto& f : failed) tellFailure(std::move(f));
    if (!known_) return;
    const bool hadActive = active_.has_value();
    const bool hadWindows = !windows_.empty();
    windows_.clear();
    active_.reset();
    handles_.clear();
    keys_.clear();
    known_ = false;
    if (hadWindows) tell(Change::clientList);
    if (hadActive) tell(Change::activeWindow);
}

}  // namespace velorin::linux_platform
