#pragma once
// Saturation as the design adjusts it: 1 keeps a colour, 0 turns it to its
// grey of equal luminance (Rec. 709 weights), values between blend the two
// and values above 1 push the colour further from its grey.

#include "Velorin/Design/Color.h"

#include <QImage>

namespace velorin {

Rgba saturated(const Rgba& color, double saturation);
// A copy of `image` (premultiplied ARGB32) with every pixel's saturation adjusted; its opacity is kept.
QImage saturated(const QImage& image, double saturation);

}  // namespace velorin
