#pragma once
// The Accessibility interface: whether this process is trusted to use it,
// elements of other apps (applications, windows, menus, menu items), their
// attributes and their actions.

#include "Platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velorin {

// An element of another app's user interface, as an opaque handle that only
// the Accessibility implementation resolves. Equal handles name the same
// element.
struct AXElement {
    std::uint64_t id = 0;
    bool operator==(const AXElement&) const = default;
};

enum class AXError {
    success,
    failure,
    illegalArgument,
    invalidUIElement,
    cannotComplete,
    attributeUnsupported,
    actionUnsupported,
    notImplemented,
    apiDisabled,
    noValue,
};

// A read that succeeded but gave no value.
struct AXMissing {
    bool operator==(const AXMissing&) const = default;
};
// A read that failed.
struct AXFailure {
    AXError error = AXError::failure;
    bool operator==(const AXFailure&) const = default;
};

// What reading an attribute gives, and what writing one takes. Numbers are
// 64-bit floats (integer attributes such as key codes fit exactly).
using AttributeValue = std::variant<AXMissing, AXFailure, std::string, bool, double, AXElement,
                                    std::vector<AXElement>, Point, Size>;

class Accessibility {
public:
    virtual ~Accessibility() = default;

    // The trust test, without a prompt.
    virtual bool isProcessTrusted() = 0;
    // The same test with "AXTrustedCheckOptionPrompt" set, so the system asks
    // the user when the process is not trusted; gives the trust at this moment.
    virtual bool isProcessTrustedWithPrompt() = 0;

    // The element of the app with this process identifier. Always made; reads
    // on an element of no running app fail.
    virtual AXElement applicationElement(std::int32_t processIdentifier) = 0;

    virtual AttributeValue copyAttributeValue(AXElement element, const std::string& attribute) = 0;
    // Boxes a point or a size for writing; absent when the value cannot be made.
    virtual std::optional<AttributeValue> createValue(Point point) = 0;
    virtual std::optional<AttributeValue> createValue(Size size) = 0;
    virtual AXError setAttributeValue(AXElement element, const std::string& attribute,
                                      const AttributeValue& value) = 0;
    // `setAttributeValue`, where the desktop carries a window's move or resize
    // out after the call returned: `failedLater` runs on the main thread, at
    // most once, when that change did not hold (the desktop refused it or went
    // away, or the window stayed where it was). It does not run once a later
    // change of the same window took its place, and never where the desktop
    // answers within the call.
    virtual AXError setAttributeValueReporting(AXElement element, const std::string& attribute,
                                               const AttributeValue& value, std::function<void()> failedLater) {
        (void)failedLater;
        return setAttributeValue(element, attribute, value);
    }
    virtual AXError performAction(AXElement element, const std::string& action) = 0;
};

}  // namespace velorin
