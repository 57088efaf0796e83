#include "Platform/Linux/LinuxAccessibility.h"

#include "Platform/Linux/TouchpadAccess.h"
#include "Platform/Linux/VirtualKeyboard.h"
#include "Platform/Linux/X11WindowSystem.h"

namespace velorin::linux_platform {
namespace {

constexpr std::uint64_t kindShift = 40;
constexpr std::uint64_t appKind = 1;
constexpr std::uint64_t windowKind = 2;
constexpr std::uint64_t payloadMask = (std::uint64_t{1} << kindShift) - 1;

std::uint64_t kindOf(AXElement e) { return e.id >> kindShift; }
std::uint64_t payloadOf(AXElement e) { return e.id & payloadMask; }

}  // namespace

LinuxAccessibility::LinuxAccessibility(std::shared_ptr<X11Desktop> desktop, std::shared_ptr<VirtualKeyboard> keyboard,
                                       std::function<DesktopUnits()> units,
                                       std::function<std::vector<std::string>()> unreadableTouchpads)
    : LinuxAccessibility(std::make_shared<X11WindowSystem>(std::move(desktop)), std::move(keyboard), std::move(units),
                         std::move(unreadableTouchpads)) {}

LinuxAccessibility::LinuxAccessibility(std::shared_ptr<WindowSystem> windows, std::shared_ptr<VirtualKeyboard> keyboard,
                                       std::function<DesktopUnits()> units,
                                       std::function<std::vector<std::string>()> unreadableTouchpads)
    : desktop_(std::move(windows)),
      keyboard_(std::move(keyboard)),
      units_(std::move(units)),
      unreadableTouchpads_(unreadableTouchpads ? std::move(unreadableTouchpads)
                                               : [] { return linux_platform::unreadableTouchpads(); }) {}

AXElement LinuxAccessibility::applicationHandle(std::int32_t pid) {
    return AXElement{(appKind << kindShift) | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pid)))};
}

AXElement LinuxAccessibility::windowHandle(std::uint32_t window) {
    return AXElement{(windowKind << kindShift) | window};
}

// A touchpad that exists but can't be read (the first run, before joining the input group)
// is a missing permission: the permission banner then guides the user, rather than the
// menu saying there is no touchpad.
bool LinuxAccessibility::isProcessTrusted() { return keyboard_->ensure() && unreadableTouchpads_().empty(); }

bool LinuxAccessibility::isProcessTrustedWithPrompt() { return isProcessTrusted(); }

AXElement LinuxAccessibility::applicationElement(std::int32_t pid) { return applicationHandle(pid); }

AttributeValue LinuxAccessibility::copyAttributeValue(AXElement element, const std::string& attribute) {
    if (!desktop_->isConnected()) return AXFailure{AXError::cannotComplete};
    if (kindOf(element) == appKind) {
        if (attribute != "AXFocusedWindow") return AXFailure{AXError::attributeUnsupported};
        const auto pid = static_cast<std::int32_t>(payloadOf(element));
        if (auto active = desktop_->activeWindow(); active && active->pid == pid) return windowHandle(active->id);
        const auto windows = desktop_->clientWindows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            if (it->pid == pid && !it->hidden) return windowHandle(it->id);
        }
        return AXFailure{AXError::noValue};
    }
    if (kindOf(element) == windowKind) {
        const auto frame = desktop_->frame(static_cast<std::uint32_t>(payloadOf(element)));
        if (!frame) return AXFailure{AXError::invalidUIElement};
        const DesktopUnits units = units_();
        if (attribute == "AXPosition") return units.topLeftPoint(frame->origin);
        if (attribute == "AXSize") return units.points(frame->size);
        return AXFailure{AXError::attributeUnsupported};
    }
    return AXFailure{AXError::invalidUIElement};
}

std::optional<AttributeValue> LinuxAccessibility::createValue(Point point) { return AttributeValue{point}; }
std::optional<AttributeValue> LinuxAccessibility::createValue(Size size) { return AttributeValue{size}; }

AXError LinuxAccessibility::setAttributeValue(AXElement element, const std::string& attribute,
                                              const AttributeValue& value) {
    return setAttributeValueReporting(element, attribute, value, {});
}

AXError LinuxAccessibility::setAttributeValueReporting(AXElement element, const std::string& attribute,
                                                       const AttributeValue& value, std::function<void()> failedLater) {
    if (!desktop_->isConnected()) return AXError::cannotComplete;
    if (kindOf(element) != windowKind) return AXError::attributeUnsupported;
    const auto window = static_cast<std::uint32_t>(payloadOf(element));
    const DesktopUnits units = units_();
    if (attribute == "AXPosition") {
        const auto* p = std::get_if<Point>(&value);
        if (!p) return AXError::illegalArgument;
        return desktop_->moveFrame(window, units.rootPixel(*p), std::move(failedLater)) ? AXError::success
                                                                                        : AXError::cannotComplete;
    }
    if (attribute == "AXSize") {
        const auto* z = std::get_if<Size>(&value);
        if (!z) return AXError::illegalArgument;
        return desktop_->resizeFrame(window, units.pixels(*z), std::move(failedLater)) ? AXError::success
                                                                                       : AXError::cannotComplete;
    }
    return AXError::attributeUnsupported;
}

AXError LinuxAccessibility::performAction(AXElement, const std::string&) { return AXError::actionUnsupported; }

}  // namespace velorin::linux_platform
