#pragma once
// The glass of floating controls (the tab bar): the shape filled with the
// thin material and a warm-white veil, stroked with the rim, over a soft
// shadow. The shadow reaches beyond the shape: paint it on the effects
// overlay (`OverlayShadow` with `controlGlassShadow`).

#include "Velorin/Design/Color.h"
#include "Velorin/Design/Shadow.h"

#include <QPainterPath>

class QPainter;

namespace velorin {

inline constexpr double controlGlassVeilOpacity = 0.4;
inline constexpr double controlGlassShadowOpacity = 0.16;

void paintControlGlass(QPainter& painter, const QPainterPath& shape, const ColorEnvironment& environment);
ShadowStyle controlGlassShadow(const ColorEnvironment& environment);

}  // namespace velorin
