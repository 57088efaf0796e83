#pragma once
// A platform whose workspace, window commands and screens are those of a
// desktop's window system (a real compositor or a fake of one), the rest
// simulated, installed for the object's lifetime.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Actions/ActionRunner.h"
#include "Platform/Linux/LinuxAccessibility.h"
#include "Platform/Linux/LinuxWorkspace.h"
#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
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

// What window commands were told after they returned, as the engine hears
// it: one line "label: message" per failure, in order.
class LateFailures {
public:
    // Runs the action; a failure that shows at once is thrown as ever.
    void run(const Action& action, std::string label) {
        ActionRunner().run(action,
                           [this, label](const ActionError& e) { told_.push_back(label + ": " + e.description()); });
    }
    // Runs the action, and `close` its window before the event loop runs
    // again: the placement reaches a compositor that no longer has the
    // window. Waits until the command is told, and a moment more.
    void runAsTheWindowCloses(const Action& action, std::string label, const std::function<void()>& close) {
        run(action, std::move(label));
        const std::size_t before = told_.size();
        close();
        for (int ms = 0; ms < 20000 && told_.size() == before; ms += 50) spinEventLoop(50);
        spinEventLoop(1000);
    }
    const std::vector<std::string>& told() const { return told_; }

    // Lets a placement be looked at until it settled (the last look comes
    // 3.75 s after it was sent).
    static void waitOutTheLooks() {
        for (int ms = 0; ms < 4300; ms += 100) spinEventLoop(100);
    }

private:
    std::vector<std::string> told_;
};

}  // namespace velorin::testing
