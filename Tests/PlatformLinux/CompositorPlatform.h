#pragma once
// A platform whose workspace, window commands and screens are those of a
// desktop's window system (a real compositor or a fake of one), the rest
// simulated, installed for the object's lifetime.

#include <memory>

#include "Platform/Linux/LinuxAccessibility.h"
#include "Platform/Linux/LinuxWorkspace.h"
#include "Platform/Sim/SimPlatform.h"
#include "RecordingProcesses.h"
#include "TrustedAccessibility.h"

namespace velorin::testing {

class CompositorPlatform {
public:
    static constexpr Rect output{{0, 0}, {1280, 800}};

    explicit CompositorPlatform(std::shared_ptr<linux_platform::WindowSystem> windows,
                                std::vector<std::string> applicationFolders = {}) {
        Platform::Services s;
        auto clock = std::make_unique<sim::SimClock>();
        auto queue = std::make_unique<sim::SimMainQueue>(*clock);
        queue_ = queue.get();
        s.workspace = std::make_unique<linux_platform::LinuxWorkspace>(windows, processes_, std::nullopt,
                                                                       std::move(applicationFolders));
        auto events = std::make_unique<sim::SimEventSystem>(failures_, journal_);
        events_ = events.get();
        s.eventSystem = std::move(events);
        s.accessibility = std::make_unique<TrustedAccessibility>(std::make_unique<linux_platform::LinuxAccessibility>(
            windows, nullptr, [] { return linux_platform::DesktopUnits{output, 1}; },
            [] { return std::vector<std::string>{}; }));
        auto screens = std::make_unique<sim::SimScreens>();
        screens->setScreens({Screen{output, output}});
        s.screens = std::move(screens);
        s.processes = std::make_unique<sim::SimProcesses>(failures_, journal_);
        s.scripting = std::make_unique<sim::SimScripting>(failures_, journal_);
        s.defaults = std::make_unique<sim::SimDefaults>(journal_);
        s.loginItems = std::make_unique<sim::SimLoginItems>(journal_);
        s.bundle = std::make_unique<sim::SimBundle>();
        s.fileManager = std::make_unique<sim::SimFileManager>();
        s.haptics = std::make_unique<sim::SimHaptics>(journal_);
        s.displaySettings = std::make_unique<sim::SimDisplaySettings>();
        s.pasteboard = std::make_unique<sim::SimPasteboard>(journal_);
        s.mainQueue = std::move(queue);
        s.clock = std::move(clock);
        installed_ = std::make_unique<platform::ScopedPlatform>(std::make_unique<Platform>(std::move(s)));
    }

    Workspace& workspace() const { return installed_->platform().workspace(); }
    sim::SimMainQueue& queue() const { return *queue_; }
    sim::SimEventSystem& events() const { return *events_; }
    std::optional<std::string> frontIdentifier() const {
        const auto front = workspace().frontmostApplication();
        return front ? front->bundleIdentifier : std::nullopt;
    }

private:
    RecordingProcesses processes_;
    sim::SimFailures failures_;
    sim::SimJournal journal_;
    sim::SimMainQueue* queue_ = nullptr;
    sim::SimEventSystem* events_ = nullptr;
    std::unique_ptr<platform::ScopedPlatform> installed_;
};

}  // namespace velorin::testing
