#pragma once
// The water's GPU program as source text, compiled when the view first gets
// an OpenGL context (GLSL 3.30 core). One vertex stage draws a single
// triangle over the whole target; the step stage advances the height field by
// one simulation step; the draw stage shades the field over the lit floor.
//
// Coordinates: every stage works in the design's `uv`, (0, 0) at the top-left
// and (1, 1) at the bottom-right. OpenGL's textures start at the bottom-left,
// so the height field is only ever read through `field()`, which flips y; a
// step then writes each cell where the next step reads it, and the field
// never flips.

#include <string>

namespace velorin::water_shaders {

const std::string& vertex();  // waterVertex
const std::string& step();    // waterStep
const std::string& draw();    // waterDraw, with stripes and floorColor

}  // namespace velorin::water_shaders
