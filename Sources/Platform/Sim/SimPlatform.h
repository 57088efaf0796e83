#pragma once
// A fresh simulated desktop installed as the current platform for the
// lifetime of the object, with typed access to its parts' test side. Every
// module's tests use it as a member of their fixture:
//
//     class EngineTest : public ::testing::Test {
//     protected:
//         sim::SimPlatform sim;
//     };
//
// It throws std::logic_error when another platform is installed.

#include "Platform/Platform.h"
#include "Platform/Sim/SimAccessibility.h"
#include "Platform/Sim/SimBundle.h"
#include "Platform/Sim/SimClock.h"
#include "Platform/Sim/SimDefaults.h"
#include "Platform/Sim/SimDisplaySettings.h"
#include "Platform/Sim/SimEventSystem.h"
#include "Platform/Sim/SimFailures.h"
#include "Platform/Sim/SimFileManager.h"
#include "Platform/Sim/SimJournal.h"
#include "Platform/Sim/SimHaptics.h"
#include "Platform/Sim/SimLoginItems.h"
#include "Platform/Sim/SimMainQueue.h"
#include "Platform/Sim/SimMenus.h"
#include "Platform/Sim/SimPasteboard.h"
#include "Platform/Sim/SimProcesses.h"
#include "Platform/Sim/SimScreens.h"
#include "Platform/Sim/SimScripting.h"
#include "Platform/Sim/SimWorkspace.h"

#include <memory>

namespace velorin::sim {

class SimPlatform {
public:
    SimPlatform();
    // The simulated desktop with a real event system in place of the simulated
    // one, so a real adapter runs against the simulated rest; `eventSystem()`
    // is not to be used then.
    explicit SimPlatform(std::unique_ptr<EventSystem> eventSystem);
    ~SimPlatform();
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    Platform& platform() const { return scoped_->platform(); }

    SimWorkspace& workspace() const { return *workspace_; }
    SimEventSystem& eventSystem() const { return *eventSystem_; }
    SimAccessibility& accessibility() const { return *accessibility_; }
    SimScreens& screens() const { return *screens_; }
    SimProcesses& processes() const { return *processes_; }
    SimScripting& scripting() const { return *scripting_; }
    SimDefaults& defaults() const { return *defaults_; }
    SimLoginItems& loginItems() const { return *loginItems_; }
    SimBundle& bundle() const { return *bundle_; }
    SimFileManager& fileManager() const { return *fileManager_; }
    SimHaptics& haptics() const { return *haptics_; }
    SimDisplaySettings& displaySettings() const { return *displaySettings_; }
    SimPasteboard& pasteboard() const { return *pasteboard_; }
    SimMainQueue& mainQueue() const { return *mainQueue_; }
    SimClock& clock() const { return *clock_; }
    SimFailures& failures() const { return *failures_; }
    SimJournal& journal() const { return *journal_; }

    // Shorthands for the most used test-side calls.
    void failNext(FailurePoint point, int skip = 0) const { failures_->failNext(point, skip); }
    void setFailing(FailurePoint point, bool failing) const { failures_->setFailing(point, failing); }
    std::size_t runUntilIdle() const { return mainQueue_->runUntilIdle(); }
    std::size_t advance(double seconds) const { return mainQueue_->advance(seconds); }
    // The effects since the last call, in order (see SimJournal).
    std::vector<std::string> takeJournal() const { return journal_->take(); }

private:
    // Outlive the platform: the services use them until they are gone.
    std::unique_ptr<SimFailures> failures_;
    std::unique_ptr<SimJournal> journal_;
    SimWorkspace* workspace_ = nullptr;
    SimEventSystem* eventSystem_ = nullptr;
    SimAccessibility* accessibility_ = nullptr;
    SimScreens* screens_ = nullptr;
    SimProcesses* processes_ = nullptr;
    SimScripting* scripting_ = nullptr;
    SimDefaults* defaults_ = nullptr;
    SimLoginItems* loginItems_ = nullptr;
    SimBundle* bundle_ = nullptr;
    SimFileManager* fileManager_ = nullptr;
    SimHaptics* haptics_ = nullptr;
    SimDisplaySettings* displaySettings_ = nullptr;
    SimPasteboard* pasteboard_ = nullptr;
    SimMainQueue* mainQueue_ = nullptr;
    SimClock* clock_ = nullptr;
    std::unique_ptr<platform::ScopedPlatform> scoped_;
};

}  // namespace velorin::sim
