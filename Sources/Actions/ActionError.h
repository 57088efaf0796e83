#pragma once
// Why running an action failed. `description()` is the message the user sees.

#include <exception>
#include <string>

namespace velorin {

class ActionError : public std::exception {
public:
    enum class Kind {
        appNotFound,
        menuItemNotFound,
        cannotOpen,
        needsAccessibility,
        noFocusedWindow,
        cannotMoveWindow,
        eventFailed
    };

    static ActionError appNotFound(std::string bundleID) { return ActionError(Kind::appNotFound, std::move(bundleID)); }
    static ActionError menuItemNotFound(std::string path) {
        return ActionError(Kind::menuItemNotFound, std::move(path));
    }
    static ActionError cannotOpen(std::string what) { return ActionError(Kind::cannotOpen, std::move(what)); }
    static ActionError needsAccessibility() { return ActionError(Kind::needsAccessibility, {}); }
    static ActionError noFocusedWindow() { return ActionError(Kind::noFocusedWindow, {}); }
    static ActionError cannotMoveWindow() { return ActionError(Kind::cannotMoveWindow, {}); }
    static ActionError eventFailed() { return ActionError(Kind::eventFailed, {}); }

    Kind kind() const { return kind_; }
    // The text the case carries (a bundle identifier, a menu path, what couldn't be opened).
    const std::string& text() const { return text_; }
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

    bool operator==(const ActionError& other) const { return kind_ == other.kind_ && text_ == other.text_; }

private:
    ActionError(Kind kind, std::string text);

    Kind kind_;
    std::string text_;
    std::string description_;
};

}  // namespace velorin
