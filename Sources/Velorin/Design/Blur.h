#pragma once
// Gaussian blur of coverage masks, for shadows, glows and halos. Radii are
// given the way the design gives them (a shadow's "radius"); the blur's
// standard deviation is half of it and it reaches about 1.5 radii.

#include <QColor>
#include <QImage>

namespace velorin {

// Standard deviation of the blur a design radius stands for.
double blurSigma(double radius);
// How far (in the same units) a blur of `radius` spreads beyond its shape.
double blurReach(double radius);

// A blurred copy of `mask`'s coverage (its alpha), as an Alpha8 image of the
// same size and device pixel ratio. `sigma` is in device pixels. Outside the
// image counts as empty, so give the mask room for the blur to spread.
QImage blurredAlpha(const QImage& mask, double sigma);

// `mask`'s coverage filled with `color`, premultiplied ARGB32.
QImage tinted(const QImage& mask, const QColor& color);

}  // namespace velorin
