#pragma once
// Running scripts in the desktop's scripting language (AppleScript on macOS).

#include <memory>
#include <optional>
#include <string>

namespace velorin {

class Script {
public:
    virtual ~Script() = default;
    // Runs the script to its end (blocks until the scripted app answers);
    // gives the error text when it reports an error, nothing on success.
    virtual std::optional<std::string> execute() = 0;
};

class Scripting {
public:
    virtual ~Scripting() = default;
    // Null when no script can be made from the source.
    virtual std::unique_ptr<Script> makeScript(const std::string& source) = 0;
};

}  // namespace velorin
