#include "Platform/Linux/LinuxEventSystem.h"

#include <fcntl.h>
#include <unistd.h>

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include "Platform/Linux/KeyMap.h"
#include "Platform/Linux/PointerButtons.h"

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

LinuxEventSystem::LinuxEventSystem(MainQueue& mainQueue, std::string uinputPath, std::string inputFolder)
    : mainQueue_(mainQueue),
      uinputPath_(std::move(uinputPath)),
      inputFolder_(std::move(inputFolder)),
      taps_(std::make_shared<Taps>()) {}

LinuxEventSystem::~LinuxEventSystem() {
    buttons_.reset();  // joins the reader before anything it calls goes away
    if (keyboard_) libevdev_uinput_destroy(keyboard_);
}

void LinuxEventSystem::ensureDevices() {
    if (!buttons_) {
        buttons_ = std::make_unique<PointerButtons>(inputFolder_);
        std::weak_ptr<Taps> weak = taps_;
        MainQueue* queue = &mainQueue_;
        buttons_->setPressCallback([weak, queue](MouseButton button) {
            const EventType type =
                button == MouseButton::right ? event_type::rightMouseDown : event_type::leftMouseDown;
            queue->async([weak, type] {
                if (auto taps = weak.lock()) taps->deliver(type);
            });
        });
    }
}

bool LinuxEventSystem::canPost() {
    std::lock_guard lock(mutex_);
    if (!triedKeyboard_) {
        triedKeyboard_ = true;
        const int fd = open(uinputPath_.c_str(), O_RDWR | O_CLOEXEC);
        if (fd >= 0) {
            libevdev* dev = libevdev_new();
            libevdev_set_name(dev, "Velorin virtual keyboard");
            libevdev_enable_event_type(dev, EV_KEY);
            for (int code : allLinuxKeys()) libevdev_enable_event_code(dev, EV_KEY, static_cast<unsigned>(code), nullptr);
            if (libevdev_uinput_create_from_device(dev, fd, &keyboard_) != 0) {
                keyboard_ = nullptr;
                close(fd);
            }
            libevdev_free(dev);
        }
    }
    return keyboard_ != nullptr;
}

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

void LinuxEventSystem::post(EventTapLocation, const Event& event) {
    std::vector<KeyWrite> writes;
    if (const auto* key = std::get_if<KeyboardEvent>(&event)) {
        writes = keyWrites(*key);
    } else if (const auto* sys = std::get_if<SystemDefinedEvent>(&event)) {
        if (auto w = systemKeyWrite(*sys)) writes.push_back(*w);
    }
    if (writes.empty() || !canPost()) return;
    std::lock_guard lock(mutex_);
    for (const auto& w : writes) {
        libevdev_uinput_write_event(keyboard_, EV_KEY, static_cast<unsigned>(w.code), w.value);
        // One report per key, so every client sees the modifiers before the key.
        libevdev_uinput_write_event(keyboard_, EV_SYN, SYN_REPORT, 0);
    }
}

bool LinuxEventSystem::buttonState(EventSourceStateID, MouseButton button) {
    {
        std::lock_guard lock(mutex_);
        ensureDevices();
    }
    return buttons_->isDown(button);
}

std::unique_ptr<EventTap> LinuxEventSystem::createEventTap(EventTapLocation, EventTapPlacement, EventTapOptions,
                                                           std::uint64_t eventsOfInterest, TapCallback callback) {
    {
        std::lock_guard lock(mutex_);
        ensureDevices();
    }
    std::lock_guard lock(taps_->mutex);
    const std::uint64_t id = taps_->next++;
    taps_->entries[id] = Taps::Entry{eventsOfInterest, std::move(callback), false, false};
    return std::make_unique<LinuxEventTap>(taps_, id);
}

}  // namespace velorin::linux_platform
