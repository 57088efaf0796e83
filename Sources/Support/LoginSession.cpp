#include "Support/LoginSession.h"

#include <systemd/sd-login.h>

#include <cstdlib>

namespace velorin {

std::optional<std::string> LoginSession::current() {
    char* session = nullptr;
    if (sd_pid_get_session(0, &session) < 0 || !session) return std::nullopt;
    std::string id(session);
    std::free(session);
    return id;
}

bool LoginSession::isActive(const std::string& session) {
    const int active = sd_session_is_active(session.c_str());
    // A session whose record can't be read (it ended, or logind is gone) keeps
    // nobody out: only a record that says inactive does.
    return active != 0;
}

bool LoginSession::currentIsActive() {
    const auto session = current();
    return !session || isActive(*session);
}

LoginSession::Monitor::Monitor() {
    if (sd_login_monitor_new("session", &monitor_) < 0) monitor_ = nullptr;
}

LoginSession::Monitor::~Monitor() {
    if (monitor_) sd_login_monitor_unref(monitor_);
}

int LoginSession::Monitor::fd() const { return monitor_ ? sd_login_monitor_get_fd(monitor_) : -1; }

void LoginSession::Monitor::flush() {
    if (monitor_) sd_login_monitor_flush(monitor_);
}

}  // namespace velorin
