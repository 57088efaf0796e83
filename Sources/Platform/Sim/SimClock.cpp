#include "Platform/Sim/SimClock.h"

#include <cmath>
#include <stdexcept>

namespace velorin::sim {

double SimClock::systemUptime() const {
    std::lock_guard lock(mutex_);
    return uptime_;
}

Date SimClock::now() const {
    std::lock_guard lock(mutex_);
    return dateFromSecondsSince1970(uptime_ + wallMinusUptime_);
}

void SimClock::setUptime(double seconds) {
    std::lock_guard lock(mutex_);
    if (!std::isfinite(seconds)) throw std::invalid_argument("The uptime must be a finite number");
    if (seconds < uptime_) throw std::logic_error("The uptime never goes back");
    uptime_ = seconds;
}

void SimClock::setDate(Date date) {
    std::lock_guard lock(mutex_);
    wallMinusUptime_ = secondsSince1970(date) - uptime_;
}

}  // namespace velorin::sim
