#pragma once
// What Linux allows of the Accessibility interface. "Trusted" means the
// process has input access: the uinput device opens for writing, and every
// touchpad present can be read. The front
// app's focused window can be read, moved and resized through the desktop's
// window system (the X11 window manager, or a Wayland compositor); other apps' menus cannot be read here, so they report that they
// can't and callers take their own fall-back.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Accessibility.h"
#include "Platform/Linux/DesktopGeometry.h"
#include "Platform/Linux/WindowSystem.h"
#include "Platform/Linux/X11Desktop.h"

namespace velorin::linux_platform {

class VirtualKeyboard;

class LinuxAccessibility : public Accessibility {
public:
    // `keyboard`: the virtual keyboard posting goes through, so trust means
    // posting works. `units`: the primary screen and its scale at this moment,
    // so window frames come in the screens' units.
    // `unreadableTouchpads`: the touchpads present that can't be read (by default from sysfs
    // and the nodes' permissions).
    LinuxAccessibility(std::shared_ptr<WindowSystem> windows, std::shared_ptr<VirtualKeyboard> keyboard,
                       std::function<DesktopUnits()> units,
                       std::function<std::vector<std::string>()> unreadableTouchpads = {});
    // On the X11 window manager.
    LinuxAccessibility(std::shared_ptr<X11Desktop> desktop, std::shared_ptr<VirtualKeyboard> keyboard,
                       std::function<DesktopUnits()> units,
                       std::function<std::vector<std::string>()> unreadableTouchpads = {});

    bool isProcessTrusted() override;
    bool isProcessTrustedWithPrompt() override;  // there is no prompt: the trust as it is
    AXElement applicationElement(std::int32_t processIdentifier) override;
    AttributeValue copyAttributeValue(AXElement element, const std::string& attribute) override;
    std::optional<AttributeValue> createValue(Point point) override;
    std::optional<AttributeValue> createValue(Size size) override;
    AXError setAttributeValue(AXElement element, const std::string& attribute, const AttributeValue& value) override;
    AXError setAttributeValueReporting(AXElement element, const std::string& attribute, const AttributeValue& value,
                                       std::function<void()> failedLater) override;
    AXError performAction(AXElement element, const std::string& action) override;

    // Element handles: an app by its pid, a window by its X id.
    static AXElement applicationHandle(std::int32_t pid);
    static AXElement windowHandle(std::uint32_t window);

private:
    std::shared_ptr<WindowSystem> desktop_;
    std::shared_ptr<VirtualKeyboard> keyboard_;
    std::function<DesktopUnits()> units_;
    std::function<std::vector<std::string>()> unreadableTouchpads_;
};

}  // namespace velorin::linux_platform
