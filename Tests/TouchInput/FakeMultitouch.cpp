#include "FakeMultitouch.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int maxDevices = 8;

struct Fake {
    std::mutex mutex;
    int devices[maxDevices] = {};  // their addresses are the device pointers
    int notListed = 0;
    int nextCount = 1;
    int listsAlive = 0;
    std::vector<std::pair<MTDeviceRef, MTContactFrameCallback>> registered;
    std::vector<std::pair<MTDeviceRef, MTContactFrameCallback>> everRegistered;
    std::string calls;
    std::string callsCopy;

    void log(const std::string& call) {
        if (!calls.empty()) calls += ' ';
        calls += call;
    }
    int indexOf(MTDeviceRef device) {
        for (int i = 0; i < maxDevices; ++i) {
            if (device == &devices[i]) return i;
        }
        return -1;
    }
    MTDeviceRef device(int index) {
        if (index == -1) return nullptr;
        if (index == -2) return &notListed;
        return &devices[index];
    }
};

Fake& fake() {
    static Fake shared;
    return shared;
}

[[maybe_unused]] void releaseList(MTDeviceList* list) {
    std::lock_guard lock(fake().mutex);
    --fake().listsAlive;
    delete[] list->devices;
    delete list;
}

void deliver(int index, const MTTouch* touches, int32_t count, double timestamp, bool late) {
    Fake& f = fake();
    std::vector<MTContactFrameCallback> callbacks;
    MTDeviceRef device = nullptr;
    {
        std::lock_guard lock(f.mutex);
        device = f.device(index);
        const auto& from = late ? f.everRegistered : f.registered;
        for (const auto& [d, cb] : from) {
            // Null and unlisted devices reach every callback, as a confused framework would.
            if (d == device || index < 0) {
                if (std::find(callbacks.begin(), callbacks.end(), cb) == callbacks.end()) callbacks.push_back(cb);
            }
        }
    }
    for (auto cb : callbacks) cb(device, touches, count, timestamp, 77);
}

}  // namespace

FAKE_EXPORT void fakeMTReset(void) {
    Fake& f = fake();
    std::lock_guard lock(f.mutex);
    f.registered.clear();
    f.everRegistered.clear();
    f.calls.clear();
    f.nextCount = 1;
}

FAKE_EXPORT void fakeMTSetDeviceCount(int count) {
    std::lock_guard lock(fake().mutex);
    fake().nextCount = std::min(count, maxDevices);
}

FAKE_EXPORT void fakeMTDeliver(int index, const MTTouch* touches, int32_t count, double timestamp) {
    deliver(index, touches, count, timestamp, false);
}

FAKE_EXPORT void fakeMTDeliverOnThread(int index, const MTTouch* touches, int32_t count, double timestamp) {
    std::thread framework([=] { deliver(index, touches, count, timestamp, false); });
    framework.join();
}

FAKE_EXPORT void fakeMTDeliverLate(int index, const MTTouch* touches, int32_t count, double timestamp) {
    deliver(index, touches, count, timestamp, true);
}

FAKE_EXPORT const char* fakeMTCalls(void) {
    Fake& f = fake();
    std::lock_guard lock(f.mutex);
    f.callsCopy = f.calls;
    return f.callsCopy.c_str();
}

FAKE_EXPORT int fakeMTListsAlive(void) {
    std::lock_guard lock(fake().mutex);
    return fake().listsAlive;
}

#ifndef FAKE_MT_WITHOUT_MTDeviceCreateList
FAKE_EXPORT MTDeviceList* MTDeviceCreateList(void) {
    Fake& f = fake();
    std::lock_guard lock(f.mutex);
    f.log("list");
    if (f.nextCount < 0) return nullptr;
    auto* list = new MTDeviceList{};
    auto* refs = new MTDeviceRef[static_cast<std::size_t>(f.nextCount) + 1];
    for (int i = 0; i < f.nextCount; ++i) refs[i] = &f.devices[i];
    list->count = f.nextCount;
    list->devices = refs;
    list->release = releaseList;
    ++f.listsAlive;
    return list;
}
#endif

#ifndef FAKE_MT_WITHOUT_MTRegisterContactFrameCallback
FAKE_EXPORT void MTRegisterContactFrameCallback(MTDeviceRef device, MTContactFrameCallback callback) {
    Fake& f = fake();
    std::lock_guard lock(f.mutex);
    f.log("register" + std::to_string(f.indexOf(device)));
    const std::pair entry{device, callback};
    if (std::find(f.registered.begin(), f.registered.end(), entry) == f.registered.end()) f.registered.push_back(entry);
    f.everRegistered.push_back(entry);
}
#endif

#ifndef FAKE_MT_WITHOUT_MTUnregisterContactFrameCallback
FAKE_EXPORT void MTUnregisterContactFrameCallback(MTDeviceRef device, MTContactFrameCallback callback) {
    Fake& f = fake();
    std::lock_guard lock(f.mutex);
    f.log("unregister" + std::to_string(f.indexOf(device)));
    const std::pair entry{device, callback};
    f.registered.erase(std::remove(f.registered.begin(), f.registered.end(), entry), f.registered.end());
}
#endif

#ifndef FAKE_MT_WITHOUT_MTDeviceStart
FAKE_EXPORT void MTDeviceStart(MTDeviceRef device, int32_t mode) {
    Fake& f = fake();
    std::lock_guard lock(f.mutex);
    f.log("start" + std::to_string(f.indexOf(device)) + ":" + std::to_string(mode));
}
#endif

#ifndef FAKE_MT_WITHOUT_MTDeviceStop
FAKE_EXPORT void MTDeviceStop(MTDeviceRef device) {
    Fake& f = fake();
    std::lock_guard lock(f.mutex);
    f.log("stop" + std::to_string(f.indexOf(device)));
}
#endif
