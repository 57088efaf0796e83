#pragma once
// The general pasteboard (the clipboard), plain text only.

#include <optional>
#include <string>

namespace velorin {

class Pasteboard {
public:
    virtual ~Pasteboard() = default;
    virtual void clearContents() = 0;
    // False when the pasteboard refused the text.
    virtual bool setString(const std::string& text) = 0;
    virtual std::optional<std::string> string() = 0;
};

}  // namespace velorin
