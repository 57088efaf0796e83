#include "Platform/Linux/LinuxEventSystem.h"

#include <map>
#include <mutex>
#include <vector>

#include "Platform/Linux/KeyMap.h"
#include "Platform/Linux/PointerButtons.h"
#include "Platform/Linux/VirtualKeyboard.h"

namespace velorin::linux_platform {

struct LinuxEventSystem::Taps {
    struct Entry {
        std::uint64_t mask = 0;
        EventSystem::TapCallback callback;
        bool enabled = false;
        bool inRunLoop = false;
    };
    std::mutex mutex;
    std::map<std::uint64_t, Entry> entries;
    std::uint64_t next = 1;

    // Main thread: hands the event to every tap that wants it now.
    void deliver(EventType type) {
        std::vector<EventSystem::TapCallback> callbacks;
        {
            std::lock_guard lock(mutex);
            for (auto& [id, e] : entries) {
                if (e.enabled && e.inRunLoop && (e.mask & eventMaskBit(type))) callbacks.push_back(e.callback);
            }
        }
        for (auto& cb : callbacks) cb(type);
    }
};

namespace {

class LinuxEventTap : public EventTap {
public:
    LinuxEventTap(std::shared_ptr<LinuxEventSystem::Taps> taps, std::uint64_t id) : taps_(std::move(taps)), id_(id) {}
    ~LinuxEventTap() override {
        std::lock_guard lock(taps_->mutex);
        taps_->entries.erase(id_);
    }
    void setEnabled(bool enabled) override { with([&](auto& e) { e.enabled = enabled; }); }
    bool isEnabled() const override {
        std::lock_guard lock(taps_->mutex);
        auto it = taps_->entries.find(id_);
        return it != taps_->entries.end() && it->second.enabled;
    }
    void addToRunLoop() override { with([](auto& e) { e.inRunLoop = true; }); }
    void removeFromRunLoop() override { with([](auto& e) { e.inRunLoop = false; }); }

private:
    template <typename F>
    void with(F f) {
        std::lock_guard lock(taps_->mutex);
        auto it = taps_->entries.find(id_);
        if (it != taps_->entries.end()) f(it->second);
    }
    std::shared_ptr<LinuxEventSystem::Taps> taps_;
    std::uint64_t id_;
};

}  // namespace

LinuxEventSystem::LinuxEventSystem(std::shared_ptr<MainQueue> mainQueue, std::shared_ptr<KeyOutput> keyboard,
                                   FrontApp frontApp, DesktopKind desktop, std::string inputFolder)
    : keyboard_(std::move(keyboard)),
      frontApp_(std::move(frontApp)),
      desktop_(desktop),
      taps_(std::make_shared<Taps>()) {
    buttons_ = std::make_unique<PointerButtons>(std::move(inputFolder));
    std::weak_ptr<Taps> weak = taps_;
    buttons_->setPressCallback([weak, queue = std::move(mainQueue)](MouseButton button) {
        const EventType type = button == MouseButton::right ? event_type::rightMouseDown : event_type::leftMouseDown;
        queue->async([weak, type] {
            if (auto taps = weak.lock()) taps->deliver(type);
        });
    });
}

// The reader goes first: it joins its thread before anything it calls goes away.
LinuxEventSystem::~LinuxEventSystem() { buttons_.reset(); }

std::optional<EventSource> LinuxEventSystem::createEventSource(EventSourceStateID stateID) {
    return EventSource{stateID};
}

std::optional<KeyboardEvent> LinuxEventSystem::createKeyboardEvent(const std::optional<EventSource>& source,
                                                                   std::uint16_t virtualKey, bool keyDown) {
    KeyboardEvent e;
    e.source = source;
    e.virtualKey = virtualKey;
    e.keyDown = keyDown;
    return e;
}

std::optional<SystemDefinedEvent> LinuxEventSystem::createSystemDefinedEvent(const SystemDefinedEvent& fields) {
    return fields;
}

std::optional<Event> LinuxEventSystem::quartzEvent(const SystemDefinedEvent& event) { return Event{event}; }

std::optional<LinuxCombination> LinuxEventSystem::combinationFor(const KeyboardEvent& event) {
    if (!event.keyDown) {
        if (auto it = pressed_.find(event.virtualKey); it != pressed_.end()) {
            auto combination = std::move(it->second);
            pressed_.erase(it);
            return combination;
        }
    }
    const KeyStyle app = keyStyle(frontApp_ ? frontApp_() : std::nullopt);
    auto combination = linuxCombination(event.virtualKey, event.flags, app, desktop_);
    if (combination && event.keyDown) pressed_[event.virtualKey] = *combination;
    return combination;
}

std::optional<std::uint16_t> LinuxEventSystem::virtualKeyForScanCode(std::uint32_t nativeScanCode) {
    return macVirtualKeyForScanCode(nativeScanCode);
}

void LinuxEventSystem::post(EventTapLocation, const Event& event) {
    std::vector<KeyWrite> writes;
    if (const auto* key = std::get_if<KeyboardEvent>(&event)) {
        if (auto combination = combinationFor(*key)) writes = keyWrites(*combination, key->keyDown);
    } else if (const auto* sys = std::get_if<SystemDefinedEvent>(&event)) {
        if (auto w = systemKeyWrite(*sys)) writes.push_back(*w);
    }
    // Posting reports nothing back: without the device the event is lost, as
    // it is for an untrusted process elsewhere.
    if (!writes.empty()) (void)keyboard_->write(writes);
}

bool LinuxEventSystem::buttonState(EventSourceStateID, MouseButton button) { return buttons_->isDown(button); }

std::unique_ptr<EventTap> LinuxEventSystem::createEventTap(EventTapLocation, EventTapPlacement, EventTapOptions,
                                                           std::uint64_t eventsOfInterest, TapCallback callback) {
    std::lock_guard lock(taps_->mutex);
    const std::uint64_t id = taps_->next++;
    taps_->entries[id] = Taps::Entry{eventsOfInterest, std::move(callback), false, false};
    return std::make_unique<LinuxEventTap>(taps_, id);
}

}  // namespace velorin::linux_platform
