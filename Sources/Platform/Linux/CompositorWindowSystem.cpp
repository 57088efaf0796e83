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

bool CompositorWindowSystem::ask(std::uint32_t handle, std::optional<Point> topLeft, std::optional<Size> size) {
    const CompositorWindow* w = window(handle);
    if (!w) return false;
    if (asked_ && asked_->key != w->key) flushPlacement();
    if (!asked_) {
        asked_ = Asked{w->key, {}, {}};
        QTimer::singleShot(0, context_.get(), [this] { flushPlacement(); });
    }
    if (topLeft) asked_->topLeft = topLeft;
    if (size) asked_->size = size;
    return true;
}

void CompositorWindowSystem::flushPlacement() {
    if (!asked_) return;
    const Asked asked = *asked_;
    asked_.reset();
    const auto w = std::find_if(windows_.begin(), windows_.end(), [&](const auto& x) { return x.key == asked.key; });
    if (w == windows_.end()) return;  // it closed meanwhile
    const CompositorWindow window = *w;
    std::optional<Rect> frame = (asked.topLeft && asked.size) ? std::optional(Rect{}) : readFrame(window);
    if (!frame) return;
    if (asked.topLeft) frame->origin = *asked.topLeft;
    if (asked.size) frame->size = *asked.size;
    const Placement placement{asked.key, *frame};
    if (placeWindow(placement)) settle(placement, 0);
}

void CompositorWindowSystem::settle(const Placement& placement, int check) {
    // A client busy drawing can answer an earlier configure last, and the
    // compositor then keeps a stale size or place: the frame is looked at
    // again a little later each time, and asked for once more while it has
    // not settled.
    if (check == settleChecks) return;
    QTimer::singleShot(firstSettleCheckMs << check, context_.get(), [this, placement, check] {
        const auto w = std::find_if(windows_.begin(), windows_.end(),
                                    [&](const auto& x) { return x.key == placement.key; });
        if (w == windows_.end()) return;
        const auto frame = readFrame(*w);
        if (!frame || *frame == placement.frame) return;
        if (placeWindow(placement)) settle(placement, check + 1);
    });
}

bool CompositorWindowSystem::moveFrame(std::uint32_t handle, Point topLeft) {
    const auto p = wholePoint(topLeft);
    return p && ask(handle, p, std::nullopt);
}

bool CompositorWindowSystem::resizeFrame(std::uint32_t handle, Size size) {
    const auto s = wholeSize(size);
    return s && ask(handle, std::nullopt, s);
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
