#include "Platform/Sim/SimJournal.h"

#include <cstdio>
#include <sstream>

namespace velorin::sim {
namespace {

std::string hex(std::uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

std::string number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string describe(EventSourceStateID state) {
    switch (state) {
        case EventSourceStateID::privateState: return "private";
        case EventSourceStateID::combinedSessionState: return "combinedSession";
        case EventSourceStateID::hidSystemState: return "hidSystem";
    }
    return "unknown";
}

}  // namespace

void SimJournal::write(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
}

std::vector<std::string> SimJournal::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<std::string> SimJournal::take() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> taken;
    taken.swap(lines_);
    return taken;
}

void SimJournal::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

std::string SimJournal::describe(EventTapLocation location) {
    switch (location) {
        case EventTapLocation::hid: return "hid";
        case EventTapLocation::session: return "session";
        case EventTapLocation::annotatedSession: return "annotatedSession";
    }
    return "unknown";
}

std::string SimJournal::describe(const Event& event) {
    if (auto k = std::get_if<KeyboardEvent>(&event)) {
        std::string line = std::string(k->keyDown ? "keyDown " : "keyUp ") + std::to_string(k->virtualKey) +
                           " flags " + hex(k->flags);
        if (k->source) line += " source " + velorin::sim::describe(k->source->stateID);
        if (!k->unicodeString.empty()) {
            line += " text";
            for (char16_t unit : k->unicodeString) {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, " U+%04X", static_cast<unsigned>(unit));
                line += buffer;
            }
        }
        return line;
    }
    const auto& s = std::get<SystemDefinedEvent>(event);
    return "systemDefined type " + std::to_string(s.type) + " subtype " + std::to_string(s.subtype) + " data1 " +
           hex(static_cast<std::uint64_t>(s.data1)) + " data2 " + std::to_string(s.data2) + " flags " +
           hex(s.modifierFlags);
}

std::string SimJournal::describe(const AttributeValue& value) {
    struct Visitor {
        std::string operator()(const AXMissing&) const { return "(missing)"; }
        std::string operator()(const AXFailure& f) const { return "(failure " + SimJournal::describe(f.error) + ")"; }
        std::string operator()(const std::string& s) const { return "\"" + s + "\""; }
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(double d) const { return number(d); }
        std::string operator()(const AXElement& e) const { return "element " + std::to_string(e.id); }
        std::string operator()(const std::vector<AXElement>& list) const {
            std::string text = "[";
            for (std::size_t i = 0; i < list.size(); ++i) text += (i ? ", " : "") + std::to_string(list[i].id);
            return text + "]";
        }
        std::string operator()(const Point& p) const { return "(" + number(p.x) + ", " + number(p.y) + ")"; }
        std::string operator()(const Size& s) const { return number(s.width) + " x " + number(s.height); }
    };
    return std::visit(Visitor{}, value);
}

std::string SimJournal::describe(AXError error) {
    switch (error) {
        case AXError::success: return "success";
        case AXError::failure: return "failure";
        case AXError::illegalArgument: return "illegalArgument";
        case AXError::invalidUIElement: return "invalidUIElement";
        case AXError::cannotComplete: return "cannotComplete";
        case AXError::attributeUnsupported: return "attributeUnsupported";
        case AXError::actionUnsupported: return "actionUnsupported";
        case AXError::notImplemented: return "notImplemented";
        case AXError::apiDisabled: return "apiDisabled";
        case AXError::noValue: return "noValue";
    }
    return "unknown";
}

std::string SimJournal::describe(const PropertyValue& value) {
    struct Visitor {
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(double d) const { return number(d); }
        std::string operator()(const std::string& s) const { return "\"" + s + "\""; }
        std::string operator()(const PropertyData& data) const { return "(" + std::to_string(data.size()) + " bytes)"; }
    };
    return std::visit(Visitor{}, value);
}

}  // namespace velorin::sim
