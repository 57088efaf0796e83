#include "Platform/Sim/SimEventSystem.h"

#include <algorithm>

namespace velorin::sim {

struct SimEventSystem::TapState {
    TapDescription description;
    TapCallback callback;
};

// Shared with the taps, so a tap may outlive the event system that made it.
struct SimEventSystem::Taps {
    std::mutex mutex;
    std::vector<std::shared_ptr<TapState>> live;
};

class SimEventSystem::Tap : public EventTap {
public:
    Tap(std::shared_ptr<TapState> state, std::weak_ptr<Taps> taps) : state_(std::move(state)), taps_(std::move(taps)) {}
    ~Tap() override {
        if (auto taps = taps_.lock()) {
            std::lock_guard lock(taps->mutex);
            std::erase(taps->live, state_);
        }
    }
    void setEnabled(bool enabled) override { update([&](TapDescription& d) { d.enabled = enabled; }); }
    bool isEnabled() const override {
        if (auto taps = taps_.lock()) {
            std::lock_guard lock(taps->mutex);
            return state_->description.enabled;
        }
        return state_->description.enabled;
    }
    void addToRunLoop() override { update([](TapDescription& d) { d.inRunLoop = true; }); }
    void removeFromRunLoop() override { update([](TapDescription& d) { d.inRunLoop = false; }); }

private:
    template <typename F>
    void update(F change) {
        if (auto taps = taps_.lock()) {
            std::lock_guard lock(taps->mutex);
            change(state_->description);
        } else {
            change(state_->description);
        }
    }

    std::shared_ptr<TapState> state_;
    std::weak_ptr<Taps> taps_;
};

SimEventSystem::SimEventSystem(SimFailures& failures, SimJournal& journal)
    : failures_(failures), journal_(journal), taps_(std::make_shared<Taps>()) {}

SimEventSystem::~SimEventSystem() = default;

std::optional<EventSource> SimEventSystem::createEventSource(EventSourceStateID stateID) {
    if (failures_.shouldFail(FailurePoint::eventSource)) return std::nullopt;
    return EventSource{stateID};
}

std::optional<KeyboardEvent> SimEventSystem::createKeyboardEvent(const std::optional<EventSource>& source,
                                                                 std::uint16_t virtualKey, bool keyDown) {
    if (failures_.shouldFail(FailurePoint::keyboardEvent)) return std::nullopt;
    KeyboardEvent event;
    event.source = source;
    event.virtualKey = virtualKey;
    event.keyDown = keyDown;
    return event;
}

std::optional<SystemDefinedEvent> SimEventSystem::createSystemDefinedEvent(const SystemDefinedEvent& fields) {
    if (failures_.shouldFail(FailurePoint::systemDefinedEvent)) return std::nullopt;
    return fields;
}

std::optional<Event> SimEventSystem::quartzEvent(const SystemDefinedEvent& event) {
    if (failures_.shouldFail(FailurePoint::quartzEvent)) return std::nullopt;
    return Event{event};
}

void SimEventSystem::post(EventTapLocation location, const Event& event) {
    std::lock_guard lock(mutex_);
    posted_.push_back(PostedEvent{location, event});
    journal_.write("post " + SimJournal::describe(location) + " " + SimJournal::describe(event));
}

bool SimEventSystem::buttonState(EventSourceStateID, MouseButton button) {
    std::lock_guard lock(mutex_);
    ++buttonQueries_;
    auto it = buttons_.find(button);
    return it != buttons_.end() && it->second;
}

std::unique_ptr<EventTap> SimEventSystem::createEventTap(EventTapLocation location, EventTapPlacement placement,
                                                         EventTapOptions options, std::uint64_t eventsOfInterest,
                                                         TapCallback callback) {
    if (failures_.shouldFail(FailurePoint::eventTap)) return nullptr;
    auto state = std::make_shared<TapState>();
    // A tap is enabled when made; it delivers once it is in the run loop.
    state->description = TapDescription{location, placement, options, eventsOfInterest, true, false};
    state->callback = std::move(callback);
    {
        std::lock_guard lock(taps_->mutex);
        taps_->live.push_back(state);
    }
    return std::make_unique<Tap>(state, taps_);
}

std::vector<PostedEvent> SimEventSystem::postedEvents() const {
    std::lock_guard lock(mutex_);
    return posted_;
}

std::vector<KeyboardEvent> SimEventSystem::postedKeyboardEvents() const {
    std::lock_guard lock(mutex_);
    std::vector<KeyboardEvent> events;
    for (const auto& p : posted_) {
        if (auto k = std::get_if<KeyboardEvent>(&p.event)) events.push_back(*k);
    }
    return events;
}

std::vector<SystemDefinedEvent> SimEventSystem::postedSystemDefinedEvents() const {
    std::lock_guard lock(mutex_);
    std::vector<SystemDefinedEvent> events;
    for (const auto& p : posted_) {
        if (auto s = std::get_if<SystemDefinedEvent>(&p.event)) events.push_back(*s);
    }
    return events;
}

void SimEventSystem::clearPostedEvents() {
    std::lock_guard lock(mutex_);
    posted_.clear();
}

void SimEventSystem::setButtonDown(MouseButton button, bool down) {
    std::lock_guard lock(mutex_);
    buttons_[button] = down;
}

int SimEventSystem::buttonStateQueries() const {
    std::lock_guard lock(mutex_);
    return buttonQueries_;
}

std::vector<TapDescription> SimEventSystem::taps() const {
    std::lock_guard lock(taps_->mutex);
    std::vector<TapDescription> result;
    for (const auto& t : taps_->live) result.push_back(t->description);
    return result;
}

int SimEventSystem::sendEvent(EventType type) {
    std::vector<std::shared_ptr<TapState>> reached;
    {
        std::lock_guard lock(taps_->mutex);
        for (const auto& t : taps_->live) {
            const auto& d = t->description;
            if (d.enabled && d.inRunLoop && type < 64 && (d.eventsOfInterest & eventMaskBit(type))) {
                reached.push_back(t);
            }
        }
    }
    // Callbacks run without the lock: they may touch or end their tap, or
    // another one, which then hears nothing more.
    int count = 0;
    for (const auto& t : reached) {
        {
            std::lock_guard lock(taps_->mutex);
            const bool stillListening = std::find(taps_->live.begin(), taps_->live.end(), t) != taps_->live.end() &&
                                        t->description.enabled && t->description.inRunLoop;
            if (!stillListening) continue;
        }
        ++count;
        if (t->callback) t->callback(type);
    }
    return count;
}

void SimEventSystem::disableTaps(EventType notice) {
    std::vector<std::shared_ptr<TapState>> told;
    {
        std::lock_guard lock(taps_->mutex);
        for (const auto& t : taps_->live) {
            if (!t->description.enabled) continue;
            t->description.enabled = false;
            if (t->description.inRunLoop) told.push_back(t);
        }
    }
    for (const auto& t : told) {
        if (t->callback) t->callback(notice);
    }
}

std::optional<std::uint16_t> SimEventSystem::virtualKeyForScanCode(std::uint32_t nativeScanCode) {
    std::lock_guard lock(mutex_);
    auto it = scanCodes_.find(nativeScanCode);
    if (it == scanCodes_.end()) return std::nullopt;
    return it->second;
}

void SimEventSystem::setScanCode(std::uint32_t nativeScanCode, std::optional<std::uint16_t> virtualKey) {
    std::lock_guard lock(mutex_);
    if (virtualKey) {
        scanCodes_[nativeScanCode] = *virtualKey;
    } else {
        scanCodes_.erase(nativeScanCode);
    }
}

}  // namespace velorin::sim
