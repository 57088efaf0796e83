#include "Actions/OpenTarget.h"

#include <string>

#include "Actions/Unicode.h"
#include "Platform/Platform.h"

namespace velorin {

std::optional<Url> OpenTarget::url(std::string_view text) {
    return url(text, platform::current().fileManager().homeDirectory());
}

std::optional<Url> OpenTarget::url(std::string_view text, std::string_view homeFolder) {
    const std::string trimmed = unicode::trimmed(text);
    if (trimmed.empty()) return std::nullopt;

    if (trimmed.front() == '/') return Url::fileUrl(trimmed);
    if (trimmed.front() == '~') {
        // Only "~" and "~/…" name the home folder. "~name" would be another user's
        // folder, which isn't ours to guess: it gives no URL, so the user sees the error.
        if (trimmed.size() > 1 && trimmed[1] != '/') return std::nullopt;
        if (homeFolder.empty() || homeFolder.front() != '/') return std::nullopt;
        std::string home(homeFolder);
        while (home.size() > 1 && home.back() == '/') home.pop_back();
        std::string path = trimmed.size() == 1 ? home : (home == "/" ? "" : home) + trimmed.substr(1);
        return Url::fileUrl(path);
    }

    if (auto parsed = Url::parse(trimmed)) {
        if (parsed->scheme() && !parsed->scheme()->empty() && trimmed.find(':') != std::string::npos) {
            return parsed;
        }
    }
    return Url::parse("https://" + trimmed);
}

}  // namespace velorin
