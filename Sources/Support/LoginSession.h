#pragma once
// The login session this process runs in, and whether it is the active one of
// its seat: the session on the screen and keyboard. When the login manager
// switches to another user, that user's session becomes active and ours goes
// on running in the background; the touchpads and the keyboard then belong to
// them. Read from logind's records (sd-login), which any process may read.
//
// A process outside any session (a service, a container without logind)
// counts as active: there is no other user's session to keep out of.

#include <optional>
#include <string>

struct sd_login_monitor;

namespace velorin {

class LoginSession {
public:
    // The session of this process; none outside a session.
    static std::optional<std::string> current();
    // Whether `session` is the active session of its seat now.
    static bool isActive(const std::string& session);
    // Whether this process's session is active now (true outside a session).
    static bool currentIsActive();

    // Becomes readable (for poll) when a session's state may have changed.
    class Monitor {
    public:
        Monitor();
        ~Monitor();
        Monitor(const Monitor&) = delete;
        Monitor& operator=(const Monitor&) = delete;
        // -1 where logind's records can't be watched.
        int fd() const;
        // After the descriptor was readable: makes it wait for the next change.
        void flush();

    private:
        sd_login_monitor* monitor_ = nullptr;
    };
};

}  // namespace velorin
