#pragma once
// Registering this app to open at login.

#include <exception>
#include <string>

namespace velorin {

enum class LoginItemStatus { notRegistered, enabled, requiresApproval, notFound };

// A registration or unregistration that failed; `description()` is the
// system's own explanation, shown to the user.
class LoginItemError : public std::exception {
public:
    explicit LoginItemError(std::string description) : description_(std::move(description)) {}
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::string description_;
};

class LoginItems {
public:
    virtual ~LoginItems() = default;

    // The status of this app's own login item.
    virtual LoginItemStatus status() = 0;
    // Both throw `LoginItemError` when the system refuses.
    virtual void registerMainApp() = 0;
    virtual void unregisterMainApp() = 0;
};

}  // namespace velorin
