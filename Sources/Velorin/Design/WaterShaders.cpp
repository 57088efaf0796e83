#include "Velorin/Design/WaterShaders.h"

#include "Velorin/Design/WaterUniforms.h"

#include <string>

namespace velorin::water_shaders {
namespace {

// What both fragment stages share: the uniform record and the flipped read.
std::string fragmentHead() {
    return std::string(R"(#version 330 core
in vec2 uv;
out vec4 outColor;
uniform sampler2D heights;
)") + WaterUniforms::glslBlock +
           R"(
// The height field at a point of the design's uv (origin top-left).
vec4 field(vec2 p) { return texture(heights, vec2(p.x, 1.0 - p.y)); }

// A distance in view heights, so circles stay round.
vec2 inHeights(vec2 d) { return d * vec2(size.x / size.y, 1.0); }
)";
}

const char* const vertexText = R"(#version 330 core
out vec2 uv;

// One triangle over the whole target, with no vertex buffer.
void waterVertex() {
    int v = gl_VertexID;
    vec2 p = vec2(float((v << 1) & 2), float(v & 2));
    gl_Position = vec4(2.0 * p - 1.0, 0.0, 1.0);
    uv = vec2(p.x, 1.0 - p.y);
}

void main() { waterVertex(); }
)";

const char* const stepText = R"(
// One step of the damped wave equation, nearest sampling: the clamped border
// makes a missing neighbour the cell itself, so the edge reflects waves.
void waterStep() {
    vec2 c = counts.zw;
    vec4 here = field(uv);
    float h = here.r;
    float before = here.g;
    float around = field(uv + vec2(c.x, 0.0)).r + field(uv - vec2(c.x, 0.0)).r
                 + field(uv + vec2(0.0, c.y)).r + field(uv - vec2(0.0, c.y)).r;
    float next = h + (h - before) * tune.x + tune.y * (around - 4.0 * h);
    // Removes chop the size of a cell and keeps long waves.
    next = next + (around * 0.25 - next) * 0.012;
    next = next * 0.9992;
    int fingerCount = min(int(counts.x), 12);
    for (int i = 0; i < fingerCount; ++i) {
        vec2 d = inHeights(uv - fingers[i].xy);
        float r = fingers[i].z;
        float w = exp(-dot(d, d) / (r * r));
        next = next + (-fingers[i].w - next) * 0.3 * w;
    }
    outColor = vec4(clamp(next, -4.0, 4.0), h, 0.0, 1.0);
}

void main() { waterStep(); }
)";

const char* const drawText = R"(
const vec3 bands[6] = vec3[6](vec3(0.38, 0.73, 0.27), vec3(0.99, 0.72, 0.15), vec3(0.96, 0.51, 0.12),
                              vec3(0.88, 0.23, 0.24), vec3(0.59, 0.24, 0.59), vec3(0.01, 0.62, 0.86));

// Flat rainbow bands with soft seams.
vec3 stripes(float t) {
    float x = clamp(t, 0.0, 0.999) * 5.0;
    int i = int(x);
    return mix(bands[i], bands[min(i + 1, 5)], smoothstep(0.25, 0.75, x - float(i)));
}

// The softly lit floor with its drifting light patches.
vec3 floorColor(vec2 p) {
    bool dark = size.w > 0.5;
    float t = size.z;
    vec3 color = base.rgb;
    color += (dark ? 0.035 : 0.04) * (1.0 - smoothstep(0.0, 1.3, length(inHeights(p) * 0.8)));
    int blobCount = min(int(counts.y), 8);
    for (int i = 0; i < blobCount; ++i) {
        float fi = float(i);
        vec2 centre = blobPos[i].xy + 0.035 * vec2(sin(0.11 * t + 1.7 * fi), cos(0.13 * t + 2.3 * fi));
        vec2 d = inHeights(p - centre);
        float r = blobPos[i].z;
        float w = exp(-dot(d, d) / (r * r)) * blobCol[i].a;
        vec3 tint = blobPos[i].w > 0.5 ? stripes((p.y - centre.y) / (1.5 * r) + 0.5) : blobCol[i].rgb;
        color += (tint - color) * w * (dark ? 0.42 : 0.4);
    }
    return color;
}

// Falls from 1 to 0 between `lo` and `hi` (smoothstep with reversed edges is undefined).
float fall(float lo, float hi, float x) { return 1.0 - smoothstep(lo, hi, x); }

void waterDraw() {
    bool dark = size.w > 0.5;
    float darkness = dark ? 1.0 : 0.0;
    vec2 c = counts.zw;
    float h = field(uv).r;
    float left = field(uv - vec2(c.x, 0.0)).r;
    float right = field(uv + vec2(c.x, 0.0)).r;
    float up = field(uv - vec2(0.0, c.y)).r;
    float down = field(uv + vec2(0.0, c.y)).r;
    vec2 slope = vec2(right - left, down - up);
    float curve = left + right + up + down - 4.0 * h;

    // Refraction.
    vec3 color = floorColor(uv + 0.05 * slope);
    // 0 on calm water, 1 where the surface is pressed or raised.
    float lens = smoothstep(0.08, 0.2, abs(h));

    // The floor seen as a screen of red, green and blue subpixels, 15 points a cell.
    vec2 q = (uv + clamp(0.2 * slope, -0.18, 0.18)) * size.xy / 15.0;
    vec2 cell = floor(q);
    vec2 f = fract(q);
    vec3 source = floorColor((cell + 0.5) * 15.0 / size.xy);
    int sub = min(int(3.0 * f.x), 2);
    float fx = fract(3.0 * f.x);
    vec3 pick = vec3(sub == 0 ? 1.0 : 0.0, sub == 1 ? 1.0 : 0.0, sub == 2 ? 1.0 : 0.0);
    float edge = mix(0.12, 0.07, lens);
    float lit = smoothstep(0.03, 0.03 + edge, fx) * fall(0.97 - edge, 0.97, fx)
              * smoothstep(0.03, 0.03 + 0.7 * edge, f.y) * fall(0.97 - 0.7 * edge, 0.97, f.y);
    vec3 calm = source * (0.22 + 2.9 * lit * pick);
    vec3 vivid = min(pow(max(source, vec3(0.16)), vec3(0.6)) * pick * lit * 3.2, vec3(1.0)) + 0.22 * source + 0.03;
    float everywhere = mix(0.34, 0.62, base.w) * (dark ? 0.8 : 1.0);
    color = mix(color, mix(calm, vivid, lens), mix(everywhere, 1.0, lens));

    // Shading.
    vec3 normal = normalize(vec3(-3.0 * slope, 1.0));
    vec3 light = normalize(vec3(-0.5, -0.62, 0.6));
    float shade = dot(normal, light) - light.z;
    color *= 1.0 + clamp(shade, -0.5, 0.5) * (dark ? 2.4 : 0.45);

    // Highlight: a flat surface shines not at all.
    vec3 halfway = normalize(light + vec3(0.0, 0.0, 1.0));
    float shine = max(0.0, pow(max(dot(normal, halfway), 0.0), 70.0) - pow(halfway.z, 70.0));
    color += min(shine, 0.6) * (dark ? vec3(0.6, 0.68, 0.85) : vec3(0.75));

    // Caustics: crests gather light, troughs spread it.
    color += clamp(-curve, -0.5, 0.5) * (dark ? 0.34 : 0.12);

    // Pressed water reads cooler, in the light appearance only.
    color = mix(color, color * vec3(0.9, 0.95, 1.0), clamp(-0.6 * h, 0.0, 0.6) * (1.0 - darkness));

    // With Reduce Motion the surface never moves: a glow or shade marks each finger.
    if (tune.z > 0.5) {
        int fingerCount = min(int(counts.x), 12);
        for (int i = 0; i < fingerCount; ++i) {
            vec2 d = inHeights(uv - fingers[i].xy);
            color += exp(-dot(d, d) / 0.003) * (dark ? 0.25 : -0.12);
        }
    }

    // A low opacity thins the floor out; droplets and highlights stay solid.
    float alpha = clamp(mix(tune.w, 1.0, max(lens, min(shine, 0.6))), 0.0, 1.0);
    outColor = vec4(clamp(color, 0.0, 1.0) * alpha, alpha);
}

void main() { waterDraw(); }
)";

}  // namespace

const std::string& vertex() {
    static const std::string text = vertexText;
    return text;
}

const std::string& step() {
    static const std::string text = fragmentHead() + stepText;
    return text;
}

const std::string& draw() {
    static const std::string text = fragmentHead() + drawText;
    return text;
}

}  // namespace velorin::water_shaders
