#include "Platform/Linux/LinuxAccessibility.h"

#include <fcntl.h>
#include <unistd.h>

namespace velorin::linux_platform {
namespace {

constexpr std::uint64_t kindShift = 40;
constexpr std::uint64_t appKind = 1;
constexpr std::uint64_t windowKind = 2;
constexpr std::uint64_t payloadMask = (std::uint64_t{1} << kindShift) - 1;

std::uint64_t kindOf(AXElement e) { return e.id >> kindShift; }
std::uint64_t payloadOf(AXElement e) { return e.id & payloadMask; }

}  // namespace

LinuxAccessibility::LinuxAccessibility(std::shared_ptr<X11Desktop> desktop, std::string uinputPath,
                                       std::function<double()> scale)
    : desktop_(std::move(desktop)), uinputPath_(std::move(uinputPath)), scale_(std::move(scale)) {}

AXElement LinuxAccessibility::applicationHandle(std::int32_t pid) {
    return AXElement{(appKind << kindShift) | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pid)))};
}

AXElement LinuxAccessibility::windowHandle(std::uint32_t window) {
    return AXElement{(windowKind << kindShift) | window};
}

bool LinuxAccessibility::isProcessTrusted() {
    const int fd = open(uinputPath_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    close(fd);
    return true;
}

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
        const double s = scale_() > 0 ? scale_() : 1.0;
        if (attribute == "AXPosition") return Point{frame->origin.x / s, frame->origin.y / s};
        if (attribute == "AXSize") return Size{frame->size.width / s, frame->size.height / s};
        return AXFailure{AXError::attributeUnsupported};
    }
    return AXFailure{AXError::invalidUIElement};
}

std::optional<AttributeValue> LinuxAccessibility::createValue(Point point) { return AttributeValue{point}; }
std::optional<AttributeValue> LinuxAccessibility::createValue(Size size) { return AttributeValue{size}; }

AXError LinuxAccessibility::setAttributeValue(AXElement element, const std::string& attribute,
                                              const AttributeValue& value) {
    if (!desktop_->isConnected()) return AXError::cannotComplete;
    if (kindOf(element) != windowKind) return AXError::attributeUnsupported;
    const auto window = static_cast<std::uint32_t>(payloadOf(element));
    const double s = scale_() > 0 ? scale_() : 1.0;
    if (attribute == "AXPosition") {
        const auto* p = std::get_if<Point>(&value);
        if (!p) return AXError::illegalArgument;
        return desktop_->moveFrame(window, Point{p->x * s, p->y * s}) ? AXError::success : AXError::cannotComplete;
    }
    if (attribute == "AXSize") {
        const auto* z = std::get_if<Size>(&value);
        if (!z) return AXError::illegalArgument;
        return desktop_->resizeFrame(window, Size{z->width * s, z->height * s}) ? AXError::success
                                                                                 : AXError::cannotComplete;
    }
    return AXError::attributeUnsupported;
}

AXError LinuxAccessibility::performAction(AXElement, const std::string&) { return AXError::actionUnsupported; }

}  // namespace velorin::linux_platform
