#include "Platform/Linux/Translations.h"

namespace velorin::linux_platform {
namespace {

const std::string missionControl = "/System/Applications/Mission Control.app";
const std::string screenSaverApp = "/System/Library/CoreServices/ScreenSaverEngine.app";
const std::string systemSettingsScheme = "x-apple.systempreferences:";

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

std::string stripTrailingSlash(std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

}  // namespace

SpecialApplication specialApplication(const std::string& path) {
    const std::string p = stripTrailingSlash(path);
    if (p == missionControl) return SpecialApplication::showDesktop;
    if (p == screenSaverApp) return SpecialApplication::screenSaver;
    return SpecialApplication::none;
}

std::optional<Command> processCounterpart(const std::string& executable, const std::vector<std::string>& arguments) {
    if (executable == "/usr/bin/pmset" && arguments == std::vector<std::string>{"displaysleepnow"}) {
        return Command{"xset", {"dpms", "force", "off"}};
    }
    return std::nullopt;
}

OpenCounterpart openCounterpart(const std::string& url, const std::optional<std::string>& permissionsPage) {
    if (startsWith(url, "file://")) {
        if (specialApplication(url.substr(7)) == SpecialApplication::screenSaver) {
            return {OpenCounterpart::Kind::screenSaver, {}};
        }
    }
    if (startsWith(url, systemSettingsScheme)) {
        if (url.find("Privacy_Accessibility") != std::string::npos && permissionsPage) {
            return {OpenCounterpart::Kind::page, *permissionsPage};
        }
        return {OpenCounterpart::Kind::nothing, {}};
    }
    return {OpenCounterpart::Kind::asGiven, url};
}

std::string quoteExecArgument(const std::string& argument) {
    std::string out = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        if (c == '%') out += '%';
        out += c;
    }
    out += '"';
    // The value layer escapes backslashes once more.
    std::string escaped;
    for (char c : out) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

}  // namespace velorin::linux_platform
