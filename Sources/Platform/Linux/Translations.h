#pragma once
// Well-known macOS targets that the system opens or starts, and what stands
// for them on a Linux desktop. Everything else passes through unchanged.

#include <optional>
#include <string>
#include <vector>

namespace velorin::linux_platform {

struct Command {
    std::string executable;  // a path, or a program name looked up in PATH
    std::vector<std::string> arguments;
    bool operator==(const Command&) const = default;
};

// What opening an app at a macOS path means here.
enum class SpecialApplication { none, showDesktop, screenSaver };
SpecialApplication specialApplication(const std::string& path);

// A process start with a Linux counterpart ("/usr/bin/pmset displaysleepnow"
// switches the display off through DPMS); absent when it has none and runs as
// given.
std::optional<Command> processCounterpart(const std::string& executable, const std::vector<std::string>& arguments);

// What an opened address becomes: the screen saver's app as a file URL starts
// the screen saver; the privacy settings' Accessibility page becomes our page
// on input permissions (`permissionsPage`, a file URL, when there is one);
// other system-settings addresses have no counterpart and open nothing.
struct OpenCounterpart {
    enum class Kind { asGiven, screenSaver, page, nothing } kind = Kind::asGiven;
    std::string url;  // for asGiven and page
    bool operator==(const OpenCounterpart&) const = default;
};
OpenCounterpart openCounterpart(const std::string& url, const std::optional<std::string>& permissionsPage);

// Exec= quoting of one argument, for the entries we write.
std::string quoteExecArgument(const std::string& argument);

}  // namespace velorin::linux_platform
