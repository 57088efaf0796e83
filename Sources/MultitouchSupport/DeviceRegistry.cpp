#include "MultitouchSupport/DeviceRegistry.h"

#include <algorithm>
#include <atomic>

namespace velorin::multitouch {

struct DeviceRegistry::Device {
    DeviceIdentity identity;
    std::vector<MTContactFrameCallback> callbacks;
    bool started = false;
    // A pad that came after the list was made: it delivers to every callback of the
    // started listed devices, for as long as any of them is started.
    bool adopted = false;
    std::atomic<bool> switchedOff{false};  // the desktop's switch has this pad off
    std::unique_ptr<Reader> reader;        // while started and present
    std::string node;                // the reader's node
};

// One thread reading one open touchpad until it is stopped or the device goes.
class DeviceRegistry::Reader {
public:
    Reader(DeviceRegistry& registry, Device& device, std::unique_ptr<EventStream> stream)
        : registry_(registry), device_(device), stream_(std::move(stream)) {}
    ~Reader() {
        // Only a registry torn down from inside its own callback gets here with the thread running.
        if (thread_.joinable()) thread_.detach();
    }

    void begin() { thread_ = std::thread([this] { run(); }); }
    // Wakes the reader to look at whether it is suspended again.
    void nudge() { stream_->interrupt(); }
    void requestStop() {
        stopping_.store(true);
        stream_->interrupt();
    }
    void join() {
        if (thread_.joinable()) thread_.join();
    }
    bool ended() const { return ended_.load(); }
    bool onOwnThread() const { return thread_.get_id() == std::this_thread::get_id(); }

private:
    void run() {
        EvdevTranslator translator(stream_->snapshot(), &registry_.typing_);
        std::optional<double> checked;  // the last report whose silence was looked into
        bool grabbed = false;           // another program took the device under a finger
        bool suspended = false;         // the pad is not ours to read now (DeviceRegistry::suspended)
        while (!stopping_.load()) {
            const bool paused = grabbed || suspended;
            std::optional<double> deadline = paused ? std::nullopt : translator.nextRepeatTime();
            const std::optional<double> since = translator.lastReportTime();
            const bool checkPending = !paused && since && checked != since;
            if (checkPending) {
                const double check = *since + silenceCheckSeconds;
                deadline = std::min(deadline.value_or(check), check);
            }
            EventStream::Read read = stream_->next(deadline);
            if (stopping_.load()) break;
            const bool suspendedNow = registry_.suspended(device_);
            if (!suspended && suspendedNow) {
                // Another user's session, or the desktop switched the pad off: what is touched
                // now is not for us. Like a grab, the contact is left open (a lift now could
                // give a tap) and nothing repeats.
                suspended = true;
            } else if (suspended && !suspendedNow) {
                // Back: the fingers seen before lift now, long after they landed (no tap);
                // what lands from here on is new.
                suspended = false;
                if (!grabbed) {
                    if (auto frame = translator.liftAll(read.now)) send(*frame);
                }
            }
            switch (read.outcome) {
                case EventStream::Outcome::events:
                    if (suspended) {
                        // Only which slot the pad speaks of is followed, so that after the return
                        // the events that name no slot go to the one the pad means.
                        for (const input_event& event : read.events) {
                            if (event.type == EV_ABS && event.code == ABS_MT_SLOT) translator.feed(event);
                        }
                        break;
                    }
                    if (grabbed && !read.events.empty()) {
                        // Back from the grab: what we saw before it is stale, so those fingers
                        // lift now (long after they landed: no tap), and what is there lands afresh.
                        grabbed = false;
                        const input_event& first = read.events.front();
                        const double time = static_cast<double>(first.input_event_sec) +
                                            static_cast<double>(first.input_event_usec) * 1e-6;
                        if (auto frame = translator.liftAll(time)) send(*frame);
                    }
                    for (const input_event& event : read.events) {
                        for (const ContactFrame& frame : translator.feed(event)) send(frame);
                    }
                    break;
                case EventStream::Outcome::deadline:
                    if (grabbed || suspended) break;
                    if (checkPending && read.now >= *since + silenceCheckSeconds) {
                        checked = since;
                        // Another program takes every event now. Nothing is repeated (no phantom
                        // hold), and the contact is left open rather than lifted, so that it gives
                        // no tap either.
                        grabbed = stream_->grabbedElsewhere();
                        if (grabbed) break;
                    }
                    if (auto frame = translator.repeat(read.now)) send(*frame);
                    break;
                case EventStream::Outcome::gone:
                    // Fingers that were down lift, so nobody waits for them forever. Ended
                    // first: whoever sees the lift and plugs the pad in again finds it free.
                    ended_.store(true);
                    if (auto frame = translator.liftAll(read.now)) send(*frame);
                    registry_.readerEnded();
                    return;
                case EventStream::Outcome::interrupted: break;
            }
        }
    }

    void send(const ContactFrame& frame) {
        if (!stopping_.load()) registry_.deliver(device_, frame);
    }

    DeviceRegistry& registry_;
    Device& device_;
    std::unique_ptr<EventStream> stream_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> ended_{false};
};

namespace {

void releaseList(MTDeviceList* list) {
    if (!list) return;
    delete[] list->devices;
    delete list;
}

}  // namespace

DeviceRegistry::DeviceRegistry(std::unique_ptr<DeviceBackend> backend) : backend_(std::move(backend)) {}

DeviceRegistry::~DeviceRegistry() {
    std::unique_ptr<TouchpadSwitchWatch> touchpadSwitch;
    std::unique_ptr<SessionWatch> session;
    std::unique_ptr<KeyboardWatch> keyboards;
    std::vector<std::unique_ptr<Reader>> readers;
    std::unique_ptr<ChangeWatch> watch;
    std::thread watchThread;
    {
        std::lock_guard lock(mutex_);
        for (auto& device : devices_) {
            device->started = false;
            if (device->reader) readers.push_back(std::move(device->reader));
        }
        watch = std::move(watch_);
        watchThread = std::move(watchThread_);
        keyboards = std::move(keyboards_);
        session = std::move(session_);
        touchpadSwitch = std::move(touchpadSwitch_);
    }
    touchpadSwitch.reset();
    session.reset();
    keyboards.reset();
    for (auto& reader : readers) reader->requestStop();
    for (auto& reader : readers) {
        if (!reader->onOwnThread()) reader->join();
    }
    if (watch) watch->close();
    if (watchThread.joinable()) watchThread.join();
    joinRetired();
}

DeviceRegistry::Device* DeviceRegistry::find(MTDeviceRef ref) {
    for (auto& device : devices_) {
        if (static_cast<MTDeviceRef>(device.get()) == ref) return device.get();
    }
    return nullptr;
}

MTDeviceList* DeviceRegistry::createList() {
    const std::vector<FoundDevice> present = backend_->scan();
    std::vector<MTDeviceRef> listed;
    {
        std::lock_guard lock(mutex_);
        for (const FoundDevice& found : present) {
            Device* match = nullptr;
            for (auto& device : devices_) {
                const bool taken = std::find(listed.begin(), listed.end(), device.get()) != listed.end();
                if (!taken && samePad(device->identity, found.identity)) {
                    match = device.get();
                    break;
                }
            }
            if (!match) match = &addDevice(found.identity, false);
            match->adopted = false;  // listed now: its caller registers and starts it
            listed.push_back(match);
        }
    }
    auto* list = new MTDeviceList{};
    list->count = static_cast<std::int32_t>(listed.size());
    auto* refs = new MTDeviceRef[listed.size() + 1];
    std::copy(listed.begin(), listed.end(), refs);
    list->devices = refs;
    list->release = releaseList;
    return list;
}

void DeviceRegistry::registerCallback(MTDeviceRef ref, MTContactFrameCallback callback) {
    std::lock_guard lock(mutex_);
    Device* device = find(ref);
    if (!device || !callback) return;
    auto& callbacks = device->callbacks;
    if (std::find(callbacks.begin(), callbacks.end(), callback) == callbacks.end()) callbacks.push_back(callback);
}

void DeviceRegistry::unregisterCallback(MTDeviceRef ref, MTContactFrameCallback callback) {
    std::lock_guard lock(mutex_);
    Device* device = find(ref);
    if (!device) return;
    auto& callbacks = device->callbacks;
    callbacks.erase(std::remove(callbacks.begin(), callbacks.end(), callback), callbacks.end());
}

void DeviceRegistry::start(MTDeviceRef ref) {
    bool first = false;
    {
        std::lock_guard lock(mutex_);
        Device* device = find(ref);
        if (!device || device->started) return;
        device->started = true;
        if (!watch_) {
            first = true;
            watch_ = backend_->watch();
            watchThread_ = std::thread([this, watch = watch_.get()] { watchLoop(watch); });
            keyboards_ = backend_->watchKeyboards(typing_);
        }
    }
    if (first) {
        // Outside the lock: the watch tells the state at once, and telling takes the lock.
        auto session = backend_->watchSession([this](bool active) { sessionChanged(active); });
        auto touchpadSwitch =
            backend_->watchTouchpadSwitch([this](const TouchpadSwitch& state) { touchpadSwitchChanged(state); });
        std::lock_guard lock(mutex_);
        session_ = std::move(session);
        touchpadSwitch_ = std::move(touchpadSwitch);
    }
    joinRetired();
    reconnect();
}

void DeviceRegistry::stop(MTDeviceRef ref) {
    std::unique_ptr<TouchpadSwitchWatch> touchpadSwitch;
    std::unique_ptr<SessionWatch> session;
    std::unique_ptr<KeyboardWatch> keyboards;
    std::unique_ptr<Reader> reader;
    std::vector<std::unique_ptr<Reader>> adopted;
    std::unique_ptr<ChangeWatch> watch;
    std::thread watchThread;
    {
        std::lock_guard lock(mutex_);
        Device* device = find(ref);
        if (!device) return;
        device->started = false;
        reader = std::move(device->reader);
        if (reader && reader->onOwnThread()) {
            // Stopped from its own callback: it ends when the callback returns. Retired under
            // the same lock, so whoever tears the registry down still finds and joins it.
            reader->requestStop();
            retired_.push_back(std::move(reader));
        }
        if (!anyListedStarted()) {
            for (auto& d : devices_) {
                if (!d->adopted) continue;
                d->started = false;
                if (!d->reader) continue;
                d->reader->requestStop();
                if (d->reader->onOwnThread()) {
                    retired_.push_back(std::move(d->reader));
                } else {
                    adopted.push_back(std::move(d->reader));
                }
            }
            watch = std::move(watch_);
            watchThread = std::move(watchThread_);
            keyboards = std::move(keyboards_);
            session = std::move(session_);
            touchpadSwitch = std::move(touchpadSwitch_);
        }
    }
    touchpadSwitch.reset();
    session.reset();
    keyboards.reset();
    if (reader) {
        reader->requestStop();
        reader->join();
    }
    for (auto& r : adopted) r->join();
    if (watch) watch->close();
    if (watchThread.joinable()) watchThread.join();
    joinRetired();
}

bool DeviceRegistry::isReading(MTDeviceRef ref) {
    std::lock_guard lock(mutex_);
    Device* device = find(ref);
    return device && device->reader && !device->reader->ended();
}

void DeviceRegistry::reconnect() {
    std::vector<std::unique_ptr<Reader>> ended;
    bool wanted = false;
    {
        std::lock_guard lock(mutex_);
        for (auto& device : devices_) {
            if (device->reader && device->reader->ended()) ended.push_back(std::move(device->reader));
            if (device->started && !device->reader) wanted = true;
        }
        wanted = wanted || anyListedStarted();  // a new pad may have come
    }
    for (auto& reader : ended) reader->join();
    if (!wanted) return;

    const std::vector<FoundDevice> present = backend_->scan();
    std::lock_guard lock(mutex_);
    for (auto& device : devices_) {
        if (!device->started || device->reader) continue;
        for (const FoundDevice& found : present) {
            if (!samePad(found.identity, device->identity)) continue;
            const bool inUse = std::any_of(devices_.begin(), devices_.end(),
                                           [&](const auto& d) { return d->reader && d->node == found.node; });
            if (inUse) continue;
            auto stream = backend_->open(found.node);
            if (!stream || !samePad(stream->identity(), device->identity)) continue;
            device->node = found.node;
            device->reader = std::make_unique<Reader>(*this, *device, std::move(stream));
            device->reader->begin();
            break;
        }
    }
    adoptNewPads(present);
}

bool DeviceRegistry::anyListedStarted() const {
    return std::any_of(devices_.begin(), devices_.end(), [](const auto& d) { return d->started && !d->adopted; });
}

void DeviceRegistry::adoptNewPads(const std::vector<FoundDevice>& present) {
    // Pads plugged in (or made readable) after the list was made are read too, so that
    // a Bluetooth pad that connects late works without a restart.
    if (!anyListedStarted()) return;
    for (const FoundDevice& found : present) {
        // A reader that ended (its pad went) but is not joined yet reads nothing.
        auto reading = [](const Device& d) { return d.reader && !d.reader->ended(); };
        const bool claimed = std::any_of(devices_.begin(), devices_.end(), [&](const auto& d) {
            return (reading(*d) && d->node == found.node) ||
                   (d->started && !reading(*d) && !d->adopted && samePad(d->identity, found.identity));
        });
        if (claimed) continue;
        auto stream = backend_->open(found.node);
        if (!stream || !samePad(stream->identity(), found.identity)) continue;
        // A pad adopted before and back now keeps its pointer.
        Device* device = nullptr;
        for (auto& d : devices_) {
            if (d->adopted && !reading(*d) && samePad(d->identity, found.identity)) {
                device = d.get();
                if (device->reader) retired_.push_back(std::move(device->reader));
                break;
            }
        }
        if (!device) device = &addDevice(found.identity, true);
        device->started = true;
        device->node = found.node;
        device->reader = std::make_unique<Reader>(*this, *device, std::move(stream));
        device->reader->begin();
    }
}

void DeviceRegistry::watchLoop(ChangeWatch* watch) {
    while (watch->wait() == ChangeWatch::Outcome::changed) reconnect();
}

void DeviceRegistry::deliver(Device& device, const ContactFrame& frame) {
    std::vector<MTContactFrameCallback> callbacks;
    {
        std::lock_guard lock(mutex_);
        if (!device.adopted) {
            callbacks = device.callbacks;
        } else {
            for (const auto& listed : devices_) {
                if (!listed->started || listed->adopted) continue;
                for (MTContactFrameCallback callback : listed->callbacks) {
                    if (std::find(callbacks.begin(), callbacks.end(), callback) == callbacks.end())
                        callbacks.push_back(callback);
                }
            }
        }
    }
    for (MTContactFrameCallback callback : callbacks) {
        callback(static_cast<MTDeviceRef>(&device), frame.touches.data(),
                 static_cast<std::int32_t>(frame.touches.size()), frame.timestamp, frame.frameNumber);
    }
}

void DeviceRegistry::sessionChanged(bool active) {
    if (sessionActive_.exchange(active) == active) return;
    std::lock_guard lock(mutex_);
    for (auto& device : devices_) {
        if (device->reader) device->reader->nudge();
    }
}

void DeviceRegistry::touchpadSwitchChanged(const TouchpadSwitch& state) {
    std::lock_guard lock(mutex_);
    switchState_ = state;
    for (auto& device : devices_) {
        const bool off = switchState_.isOff(device->identity);
        if (device->switchedOff.exchange(off) != off && device->reader) device->reader->nudge();
    }
}

DeviceRegistry::Device& DeviceRegistry::addDevice(const DeviceIdentity& identity, bool adopted) {
    devices_.push_back(std::make_unique<Device>());
    Device& device = *devices_.back();
    device.identity = identity;
    device.adopted = adopted;
    device.switchedOff.store(switchState_.isOff(identity));
    return device;
}

// The two reasons a pad is not ours to read: they hold each on its own, so a pad comes
// back only once both have ended.
bool DeviceRegistry::suspended(const Device& device) const {
    return !sessionActive_.load() || device.switchedOff.load();
}

void DeviceRegistry::readerEnded() {
    std::lock_guard lock(mutex_);
    if (watch_) watch_->nudge();
}

void DeviceRegistry::joinRetired() {
    std::vector<std::unique_ptr<Reader>> joinable;
    {
        std::lock_guard lock(mutex_);
        for (auto it = retired_.begin(); it != retired_.end();) {
            if ((*it)->onOwnThread()) {
                ++it;
            } else {
                joinable.push_back(std::move(*it));
                it = retired_.erase(it);
            }
        }
    }
    for (auto& reader : joinable) reader->join();
}

}  // namespace velorin::multitouch
