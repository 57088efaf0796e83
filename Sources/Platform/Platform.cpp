#include "Platform/Platform.h"

#include <atomic>
#include <mutex>
#include <stdexcept>

namespace velorin {
namespace {

template <typename T>
void require(const std::unique_ptr<T>& service, const char* name) {
    if (!service) throw std::invalid_argument(std::string("The platform has no ") + name);
}

// Readers on other threads only load the pointer; installing and uninstalling
// are serialised by the mutex.
std::atomic<Platform*> installed{nullptr};
std::mutex installMutex;

}  // namespace

Platform::Platform(Services services) : services_(std::move(services)) {
    require(services_.workspace, "workspace");
    require(services_.eventSystem, "event system");
    require(services_.accessibility, "accessibility");
    require(services_.screens, "screens");
    require(services_.processes, "processes");
    require(services_.scripting, "scripting");
    require(services_.defaults, "defaults");
    require(services_.loginItems, "login items");
    require(services_.bundle, "bundle");
    require(services_.fileManager, "file manager");
    require(services_.haptics, "haptics");
    require(services_.displaySettings, "display settings");
    require(services_.pasteboard, "pasteboard");
    require(services_.mainQueue, "main queue");
    require(services_.clock, "clock");
}

namespace platform {

Platform& current() {
    Platform* p = installed.load(std::memory_order_acquire);
    if (!p) throw std::logic_error("No platform is installed");
    return *p;
}

bool isInstalled() { return installed.load(std::memory_order_acquire) != nullptr; }

void install(std::unique_ptr<Platform> platform) {
    if (!platform) throw std::invalid_argument("Cannot install a null platform");
    std::lock_guard lock(installMutex);
    if (installed.load(std::memory_order_relaxed)) throw std::logic_error("A platform is already installed");
    installed.store(platform.release(), std::memory_order_release);
}

std::unique_ptr<Platform> uninstall() {
    std::lock_guard lock(installMutex);
    return std::unique_ptr<Platform>(installed.exchange(nullptr, std::memory_order_acq_rel));
}

ScopedPlatform::ScopedPlatform(std::unique_ptr<Platform> platform) : platform_(platform.get()) {
    install(std::move(platform));
}

ScopedPlatform::~ScopedPlatform() {
    // Only take out what this object put in.
    std::lock_guard lock(installMutex);
    Platform* expected = platform_;
    if (installed.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel)) delete platform_;
}

}  // namespace platform
}  // namespace velorin
