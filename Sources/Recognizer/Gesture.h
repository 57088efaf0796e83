#pragma once
// What the user did on the touchpad: the key of every binding lookup.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "Support/Json.h"

namespace velorin {

class Gesture {
public:
    enum class Corner { topLeft, topRight, bottomLeft, bottomRight };
    static constexpr std::array<Corner, 4> allCorners{Corner::topLeft, Corner::topRight, Corner::bottomLeft,
                                                      Corner::bottomRight};
    static std::string_view rawValue(Corner corner);
    static std::optional<Corner> cornerFromRaw(std::string_view raw);  // case-sensitive

    struct Tap {
        int fingers = 1;
        int count = 1;
        bool operator==(const Tap&) const = default;
    };
    struct Hold {
        int fingers = 1;
        bool operator==(const Hold&) const = default;
    };
    struct CornerTap {
        Corner corner = Corner::topLeft;
        bool operator==(const CornerTap&) const = default;
    };
    using Payload = std::variant<Tap, Hold, CornerTap>;  // index = case number

    // Spelled out: a defaulted one is deleted, as the payloads' member defaults are not yet known here.
    Gesture() : payload_(Tap{}) {}
    static Gesture tap(int fingers, int count) { return Gesture(Tap{fingers, count}); }
    static Gesture hold(int fingers) { return Gesture(Hold{fingers}); }
    static Gesture cornerTap(Corner corner) { return Gesture(CornerTap{corner}); }

    const Payload& payload() const { return payload_; }
    const Tap* asTap() const { return std::get_if<Tap>(&payload_); }
    const Hold* asHold() const { return std::get_if<Hold>(&payload_); }
    const CornerTap* asCornerTap() const { return std::get_if<CornerTap>(&payload_); }

    std::string description() const;

    Json toJson() const;
    static Gesture fromJson(const json::Reader& reader);

    bool operator==(const Gesture&) const = default;

private:
    template <typename P>
    explicit Gesture(P payload) : payload_(std::in_place_type<P>, payload) {}
    Payload payload_;
};

struct GestureEvent {
    Gesture gesture;
    double time = 0;  // touch-frame clock
    bool operator==(const GestureEvent&) const = default;
};

}  // namespace velorin

template <>
struct std::hash<velorin::Gesture> {
    std::size_t operator()(const velorin::Gesture& g) const noexcept;
};
