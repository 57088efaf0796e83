#pragma once
// Virtual time: the uptime only moves when a test (or the simulated main
// queue) moves it, and the wall clock moves with it.

#include "Platform/Clock.h"

#include <mutex>

namespace velorin::sim {

class SimClock : public Clock {
public:
    // Not 0, so that code which confuses "no time yet" with "time 0" shows.
    static constexpr double initialUptimeSeconds = 1000.0;
    // 2026-01-01T00:00:00Z.
    static constexpr double initialSecondsSince1970 = 1767225600.0;

    double systemUptime() const override;
    Date now() const override;

    // Moves the uptime to `seconds`; it never goes back (std::logic_error).
    // Work due on the main queue waits for the queue's next run.
    void setUptime(double seconds);
    // Sets the wall clock's reading at the current uptime.
    void setDate(Date date);

private:
    mutable std::mutex mutex_;
    double uptime_ = initialUptimeSeconds;
    double wallMinusUptime_ = initialSecondsSince1970 - initialUptimeSeconds;
};

}  // namespace velorin::sim
