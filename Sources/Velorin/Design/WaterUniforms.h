#pragma once
// The record the water's shader program reads each frame: 32 four-component
// float vectors, 512 bytes, laid out as the std140 uniform block below, so
// the bytes are copied to the GPU as they stand. Entries not written are zero.

#include <array>
#include <cstddef>
#include <type_traits>

namespace velorin {

struct Float4 {
    float x = 0;
    float y = 0;
    float z = 0;
    float w = 0;

    bool operator==(const Float4&) const = default;
};

struct alignas(16) WaterUniforms {
    static constexpr int maxFingers = 12;
    static constexpr int maxBlobs = 8;

    Float4 size;    // view width, view height (points), time (seconds; 0 with Reduce Motion), dark (1 or 0)
    Float4 counts;  // fingers written, blobs written, 1 / grid width, 1 / grid height
    Float4 tune;    // velocity damping, wave speed squared, Reduce Motion (1 or 0), opacity
    Float4 base;    // floor colour red, green, blue; touch energy
    std::array<Float4, maxFingers> fingers;  // x, y (origin top-left, shares of the view), radius, depth
    std::array<Float4, maxBlobs> blobPos;    // x, y, radius, rainbow (1 or 0)
    std::array<Float4, maxBlobs> blobCol;    // red, green, blue, fade level

    bool operator==(const WaterUniforms&) const = default;

    // The uniform block as the shader program declares it.
    static constexpr const char* glslBlock =
        "layout(std140) uniform Uniforms {\n"
        "    vec4 size;\n"
        "    vec4 counts;\n"
        "    vec4 tune;\n"
        "    vec4 base;\n"
        "    vec4 fingers[12];\n"
        "    vec4 blobPos[8];\n"
        "    vec4 blobCol[8];\n"
        "};\n";

    // The 512 bytes handed to the GPU.
    std::array<std::byte, 512> bytes() const;
};

// std140: a vec4 is 16 bytes at a 16-byte boundary, and arrays of vec4 have a 16-byte stride.
static_assert(std::is_standard_layout_v<WaterUniforms>);
static_assert(std::is_trivially_copyable_v<WaterUniforms>);
static_assert(sizeof(Float4) == 16);
static_assert(offsetof(WaterUniforms, size) == 0);
static_assert(offsetof(WaterUniforms, counts) == 16);
static_assert(offsetof(WaterUniforms, tune) == 32);
static_assert(offsetof(WaterUniforms, base) == 48);
static_assert(offsetof(WaterUniforms, fingers) == 64);
static_assert(offsetof(WaterUniforms, blobPos) == 256);
static_assert(offsetof(WaterUniforms, blobCol) == 384);
static_assert(sizeof(WaterUniforms::fingers) == 12 * 16);
static_assert(sizeof(WaterUniforms::blobPos) == 8 * 16);
static_assert(sizeof(WaterUniforms::blobCol) == 8 * 16);
static_assert(sizeof(WaterUniforms) == 512);

}  // namespace velorin
