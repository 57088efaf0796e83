#include "TouchInput/MultitouchSource.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unordered_map>

#include "TouchInput/ContactRecords.h"

namespace velorin {

namespace {

constexpr const char* libraryFileName = "libMultitouchSupport.so";

// Shared by every source: the framework's callback has no context argument.
struct State {
    std::mutex lock;
    std::shared_ptr<const TouchFrameHandler> handler;
    std::unordered_map<std::uintptr_t, long> deviceIndex;
};

// Never destroyed: the framework's threads may still call back while the process exits.
State& state() {
    static State* shared = new State;
    return *shared;
}

// At exit nothing more reaches the handler, whose owner may already be gone; the
// framework stops and joins its own threads when it is unloaded.
void dropHandlerAtExit() {
    State& s = state();
    std::lock_guard guard(s.lock);
    s.handler.reset();
    s.deviceIndex.clear();
}

template <typename Fn>
Fn lookUp(void* library, const char* name) {
    void* symbol = dlsym(library, name);
    if (!symbol) throw MultitouchError::symbolMissing(name);
    return reinterpret_cast<Fn>(symbol);
}

}  // namespace

std::string MultitouchSource::defaultLibraryPath() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return libraryFileName;
    return (executable.parent_path() / libraryFileName).string();
}

MultitouchSource::MultitouchSource(std::string libraryPath) : libraryPath_(std::move(libraryPath)) {}

MultitouchSource::~MultitouchSource() {
    if (!devices_.empty()) stop();
}

void MultitouchSource::ReleaseList::operator()(MTDeviceList* list) const {
    if (list && list->release) list->release(list);
}

void MultitouchSource::start(TouchFrameHandler handler) {
    // The framework stays loaded for the life of the process.
    void* library = dlopen(libraryPath_.c_str(), RTLD_NOW);
    if (!library) throw MultitouchError::frameworkNotFound();

    using CreateListFn = MTDeviceList* (*)();
    const auto createList = lookUp<CreateListFn>(library, "MTDeviceCreateList");
    register_ = lookUp<CallbackFn>(library, "MTRegisterContactFrameCallback");
    unregister_ = lookUp<CallbackFn>(library, "MTUnregisterContactFrameCallback");
    startFn_ = lookUp<StartFn>(library, "MTDeviceStart");
    stopFn_ = lookUp<StopFn>(library, "MTDeviceStop");

    MTDeviceList* list = createList();
    if (!list) throw MultitouchError::noDevices();
    deviceList_.reset(list);
    devices_.clear();
    if (list->devices && list->count > 0) devices_.assign(list->devices, list->devices + list->count);
    if (devices_.empty()) throw MultitouchError::noDevices();

    std::unordered_map<std::uintptr_t, long> table;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        table.emplace(reinterpret_cast<std::uintptr_t>(devices_[i]), static_cast<long>(i));
    }
    {
        State& s = state();
        std::lock_guard guard(s.lock);
        s.handler = std::make_shared<const TouchFrameHandler>(std::move(handler));
        s.deviceIndex = std::move(table);
    }
    static std::once_flag exitHook;
    std::call_once(exitHook, [] { std::atexit(dropHandlerAtExit); });

    for (MTDeviceRef device : devices_) {
        register_(device, &MultitouchSource::frameCallback);
        startFn_(device, 0);
    }
}

void MultitouchSource::stop() {
    for (MTDeviceRef device : devices_) {
        if (unregister_) unregister_(device, &MultitouchSource::frameCallback);
        if (stopFn_) stopFn_(device);
    }
    devices_.clear();
    deviceList_.reset();
    State& s = state();
    std::lock_guard guard(s.lock);
    s.handler.reset();
    s.deviceIndex.clear();
}

std::int32_t MultitouchSource::frameCallback(MTDeviceRef device, const MTTouch* touches, std::int32_t count,
                                             double timestamp, std::int32_t) {
    std::shared_ptr<const TouchFrameHandler> handler;
    long index = -1;
    {
        State& s = state();
        std::lock_guard guard(s.lock);
        handler = s.handler;
        const auto found = s.deviceIndex.find(reinterpret_cast<std::uintptr_t>(device));
        if (found != s.deviceIndex.end()) index = found->second;
    }
    if (!handler || !*handler) return 0;
    (*handler)(TouchFrame{index, timestamp, touchesFromRecords(touches, count)});
    return 0;
}

}  // namespace velorin
