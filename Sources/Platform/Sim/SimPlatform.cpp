#include "Platform/Sim/SimPlatform.h"

namespace velorin::sim {
namespace {

template <typename T, typename... Args>
std::unique_ptr<T> make(T*& keep, Args&&... args) {
    auto service = std::make_unique<T>(std::forward<Args>(args)...);
    keep = service.get();
    return service;
}

}  // namespace

SimPlatform::SimPlatform() : SimPlatform(nullptr) {}

SimPlatform::SimPlatform(std::unique_ptr<EventSystem> eventSystem)
    : failures_(std::make_unique<SimFailures>()), journal_(std::make_unique<SimJournal>()) {
    // Refuse before building anything when the slot is taken.
    if (platform::isInstalled()) throw std::logic_error("A platform is already installed");
    Platform::Services services;
    services.clock = make(clock_);
    services.mainQueue = make(mainQueue_, *clock_);
    services.workspace = make(workspace_, *mainQueue_, *failures_, *journal_);
    services.eventSystem = eventSystem ? std::move(eventSystem) : make(eventSystem_, *failures_, *journal_);
    services.accessibility = make(accessibility_, *failures_, *journal_);
    services.screens = make(screens_);
    services.processes = make(processes_, *failures_, *journal_);
    services.scripting = make(scripting_, *failures_, *journal_);
    services.defaults = make(defaults_, *journal_);
    services.loginItems = make(loginItems_, *journal_);
    services.bundle = make(bundle_);
    services.fileManager = make(fileManager_);
    services.haptics = make(haptics_, *journal_);
    services.displaySettings = make(displaySettings_);
    services.pasteboard = make(pasteboard_, *journal_);
    scoped_ = std::make_unique<platform::ScopedPlatform>(std::make_unique<Platform>(std::move(services)));
}

SimPlatform::~SimPlatform() = default;

}  // namespace velorin::sim
