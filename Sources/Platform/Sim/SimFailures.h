#pragma once
// The failure switches of the simulated desktop: every creation or call that
// can fail on a real desktop consults one, so tests reach every failure path.

#include <map>
#include <mutex>
#include <string_view>
#include <vector>

namespace velorin::sim {

enum class FailurePoint {
    eventSource,          // EventSystem::createEventSource
    keyboardEvent,        // EventSystem::createKeyboardEvent
    systemDefinedEvent,   // EventSystem::createSystemDefinedEvent
    quartzEvent,          // EventSystem::quartzEvent
    eventTap,             // EventSystem::createEventTap
    accessibilityValue,   // Accessibility::createValue
    openURL,              // Workspace::open
    processStart,         // Processes::start and Processes::runAndReadOutput
    scriptCreation,       // Scripting::makeScript
};

std::string_view name(FailurePoint point);

// Thread-safe.
class SimFailures {
public:
    // The next attempt at `point` after `skip` successful ones fails, once.
    // Several pending failures at one point add up.
    void failNext(FailurePoint point, int skip = 0);
    // While on, every attempt at `point` fails.
    void setFailing(FailurePoint point, bool failing);
    // Switches everything off and forgets pending failures and counts.
    void reset();
    // How many attempts were made at `point` so far.
    int attempts(FailurePoint point) const;

    // Called by the simulated services at each attempt: counts it and says
    // whether it fails.
    bool shouldFail(FailurePoint point);

private:
    mutable std::mutex mutex_;
    std::map<FailurePoint, std::vector<int>> pending_;  // successes still to let through, per failure
    std::map<FailurePoint, bool> failing_;
    std::map<FailurePoint, int> attempts_;
};

}  // namespace velorin::sim
