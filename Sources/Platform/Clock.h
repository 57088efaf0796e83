#pragma once
// The system uptime and the wall clock.

#include <chrono>

namespace velorin {

// A wall-clock instant, in seconds since 1970 (UTC), with sub-second precision.
using Date = std::chrono::time_point<std::chrono::system_clock, std::chrono::duration<double>>;

inline Date dateFromSecondsSince1970(double seconds) { return Date{std::chrono::duration<double>{seconds}}; }
inline double secondsSince1970(Date date) { return date.time_since_epoch().count(); }

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since the system started, monotonic. Safe from any thread.
    virtual double systemUptime() const = 0;
    // Safe from any thread.
    virtual Date now() const = 0;
};

}  // namespace velorin
