#include "Velorin/Editor/GestureStudioMotion.h"

namespace velorin {

std::optional<Animation> GestureStudioMotion::moving(const Spring& spring, bool reduceMotion) {
    if (reduceMotion) return std::nullopt;
    return Animation::spring(spring);
}

GestureStudioMotion::Swell GestureStudioMotion::swell(bool bump) {
    return bump ? Swell{swollenScale, swellSpring} : Swell{1, unswellSpring};
}

std::optional<Animation> GestureStudioMotion::clashMotion(bool gestureChanged, bool targetChanged, bool reduceMotion) {
    if (gestureChanged) return moving(flow, reduceMotion);
    if (targetChanged) return moving(choiceSpring, reduceMotion);
    return std::nullopt;
}

}  // namespace velorin
