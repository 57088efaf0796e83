#include "FakeBackend.h"

#include <chrono>

namespace velorin::testing {

using multitouch::ChangeWatch;
using multitouch::EventStream;
using Control = FakeBackend::Control;

namespace {

// A guard against a hung test only; nothing waits for time to pass.
constexpr auto threadWait = std::chrono::seconds(20);

class FakeStream final : public EventStream {
public:
    FakeStream(std::shared_ptr<Control> control, std::shared_ptr<Control::Channel> channel, FakeBackend::Pad pad,
               std::string node)
        : control_(std::move(control)), channel_(std::move(channel)), pad_(std::move(pad)), node_(std::move(node)) {}

    multitouch::DeviceIdentity identity() const override { return pad_.identity; }
    multitouch::TouchpadSnapshot snapshot() const override { return pad_.snapshot; }

    Read next(std::optional<double>) override {
        std::unique_lock lock(control_->mutex);
        channel_->waiting = true;
        control_->cv.notify_all();
        control_->cv.wait(lock, [&] { return channel_->interrupted || !channel_->items.empty(); });
        channel_->waiting = false;
        Read read;
        if (channel_->interrupted) {
            channel_->interrupted = false;
            read.outcome = Outcome::interrupted;
            read.now = control_->interruptNow;
            return read;
        }
        Control::Item item = std::move(channel_->items.front());
        channel_->items.pop_front();
        switch (item.kind) {
            case Control::Item::Kind::events:
                read.outcome = Outcome::events;
                read.events = std::move(item.events);
                break;
            case Control::Item::Kind::tick:
                read.outcome = Outcome::deadline;
                read.now = item.now;
                break;
            case Control::Item::Kind::gone: read.outcome = Outcome::gone; break;
        }
        return read;
    }

    void interrupt() override {
        std::lock_guard lock(control_->mutex);
        channel_->interrupted = true;
        control_->cv.notify_all();
    }

    bool grabbedElsewhere() override {
        std::lock_guard lock(control_->mutex);
        ++control_->grabChecks[node_];
        control_->cv.notify_all();
        return control_->grabbed[node_];
    }

private:
    std::shared_ptr<Control> control_;
    std::shared_ptr<Control::Channel> channel_;
    FakeBackend::Pad pad_;
    std::string node_;
};

class FakeWatch final : public ChangeWatch {
public:
    FakeWatch(std::shared_ptr<Control> control, std::shared_ptr<Control::Watch> watch)
        : control_(std::move(control)), watch_(std::move(watch)) {}

    Outcome wait() override {
        std::unique_lock lock(control_->mutex);
        control_->cv.wait(lock, [&] { return watch_->closed || watch_->changes > 0; });
        if (watch_->closed) return Outcome::closed;
        --watch_->changes;
        return Outcome::changed;
    }
    void nudge() override {
        std::lock_guard lock(control_->mutex);
        ++watch_->changes;
        control_->cv.notify_all();
    }
    void close() override {
        std::lock_guard lock(control_->mutex);
        watch_->closed = true;
        control_->cv.notify_all();
    }

private:
    std::shared_ptr<Control> control_;
    std::shared_ptr<Control::Watch> watch_;
};

class FakeSessionWatch final : public multitouch::SessionWatch {
public:
    explicit FakeSessionWatch(std::shared_ptr<Control> control) : control_(std::move(control)) {}
    ~FakeSessionWatch() override {
        std::lock_guard lock(control_->mutex);
        control_->sessionChanged = nullptr;
    }

private:
    std::shared_ptr<Control> control_;
};

class FakeTouchpadSwitchWatch final : public multitouch::TouchpadSwitchWatch {
public:
    explicit FakeTouchpadSwitchWatch(std::shared_ptr<Control> control) : control_(std::move(control)) {}
    ~FakeTouchpadSwitchWatch() override {
        std::lock_guard lock(control_->mutex);
        control_->touchpadSwitchChanged = nullptr;
    }

private:
    std::shared_ptr<Control> control_;
};

}  // namespace

void Control::switchTouchpads(multitouch::TouchpadSwitch state, double now) {
    std::function<void(const multitouch::TouchpadSwitch&)> changed;
    {
        std::lock_guard lock(mutex);
        touchpadSwitch = state;
        interruptNow = now;
        changed = touchpadSwitchChanged;
    }
    if (changed) changed(state);  // outside the lock, as switchSession
}

bool Control::watchingTouchpadSwitch() {
    std::lock_guard lock(mutex);
    return bool(touchpadSwitchChanged);
}

void Control::switchSession(bool active, double now) {
    std::function<void(bool)> changed;
    {
        std::lock_guard lock(mutex);
        sessionActive = active;
        interruptNow = now;
        changed = sessionChanged;
    }
    // Outside the lock: telling the registry interrupts its streams, which take it.
    if (changed) changed(active);
}

bool Control::waitForIdle(const std::string& node) {
    std::unique_lock lock(mutex);
    return cv.wait_for(lock, threadWait, [&] {
        const auto it = streams.find(node);
        return it != streams.end() && it->second->items.empty() && !it->second->interrupted && it->second->waiting;
    });
}

bool Control::watchingSession() {
    std::lock_guard lock(mutex);
    return bool(sessionChanged);
}

void Control::plug(const std::string& node, Pad pad) {
    std::lock_guard lock(mutex);
    present[node] = std::move(pad);
}

void Control::unplug(const std::string& node) {
    std::lock_guard lock(mutex);
    present.erase(node);
    if (auto it = streams.find(node); it != streams.end()) it->second->items.push_back({Item::Kind::gone, {}, 0});
    cv.notify_all();
}

void Control::send(const std::string& node, std::vector<input_event> events) {
    std::lock_guard lock(mutex);
    if (auto it = streams.find(node); it != streams.end()) {
        it->second->items.push_back({Item::Kind::events, std::move(events), 0});
    }
    cv.notify_all();
}

void Control::tick(const std::string& node, double now) {
    std::lock_guard lock(mutex);
    if (auto it = streams.find(node); it != streams.end()) it->second->items.push_back({Item::Kind::tick, {}, now});
    cv.notify_all();
}

void Control::changed() {
    std::lock_guard lock(mutex);
    if (watch) ++watch->changes;
    cv.notify_all();
}

bool Control::waitForOpens(const std::string& node, int count) {
    std::unique_lock lock(mutex);
    return cv.wait_for(lock, threadWait, [&] { return openCount[node] >= count; });
}

void Control::grab(const std::string& node, bool isGrabbed) {
    std::lock_guard lock(mutex);
    grabbed[node] = isGrabbed;
}

bool Control::waitForGrabChecks(const std::string& node, int count) {
    std::unique_lock lock(mutex);
    return cv.wait_for(lock, threadWait, [&] { return grabChecks[node] >= count; });
}

int Control::opens(const std::string& node) {
    std::lock_guard lock(mutex);
    return openCount[node];
}

bool Control::watching() {
    std::lock_guard lock(mutex);
    return watch && !watch->closed;
}

std::vector<multitouch::FoundDevice> FakeBackend::scan() {
    std::lock_guard lock(control_->mutex);
    std::vector<multitouch::FoundDevice> found;
    for (const auto& [node, pad] : control_->present) {
        if (!control_->grabbed[node]) found.push_back({pad.identity, node});
    }
    return found;
}

std::unique_ptr<EventStream> FakeBackend::open(const std::string& node) {
    std::lock_guard lock(control_->mutex);
    const auto it = control_->present.find(node);
    if (it == control_->present.end()) return nullptr;
    auto channel = std::make_shared<Control::Channel>();
    control_->streams[node] = channel;
    ++control_->openCount[node];
    control_->cv.notify_all();
    return std::make_unique<FakeStream>(control_, channel, it->second, node);
}

std::unique_ptr<ChangeWatch> FakeBackend::watch() {
    std::lock_guard lock(control_->mutex);
    control_->watch = std::make_shared<Control::Watch>();
    return std::make_unique<FakeWatch>(control_, control_->watch);
}

std::unique_ptr<multitouch::SessionWatch> FakeBackend::watchSession(std::function<void(bool)> changed) {
    bool active = true;
    {
        std::lock_guard lock(control_->mutex);
        control_->sessionChanged = changed;
        active = control_->sessionActive;
    }
    changed(active);
    return std::make_unique<FakeSessionWatch>(control_);
}

std::unique_ptr<multitouch::TouchpadSwitchWatch> FakeBackend::watchTouchpadSwitch(
    std::function<void(const multitouch::TouchpadSwitch&)> changed) {
    multitouch::TouchpadSwitch state;
    {
        std::lock_guard lock(control_->mutex);
        control_->touchpadSwitchChanged = changed;
        state = control_->touchpadSwitch;
    }
    changed(state);
    return std::make_unique<FakeTouchpadSwitchWatch>(control_);
}

}  // namespace velorin::testing
