#pragma once
// Turns the text of an open action (a link, a path beginning with "/" or "~", or a
// bare address) into the URL that is opened.

#include <optional>
#include <string_view>

#include "Actions/Url.h"

namespace velorin {

struct OpenTarget {
    // "~" is the home folder of the installed platform.
    static std::optional<Url> url(std::string_view text);
    // With the user's home folder given, for "~" at the start of a path.
    static std::optional<Url> url(std::string_view text, std::string_view homeFolder);
};

}  // namespace velorin
