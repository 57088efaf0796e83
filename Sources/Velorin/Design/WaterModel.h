#pragma once
// The water's state on the CPU side: what each update arms and wakes, and
// what each drawn frame computes before the GPU runs (how many simulation
// steps, the fades of the floor patches, the touch energy, the uniform
// record, the frame rate). Time is an input: every call carries the media
// clock's time in seconds. The GPU surface owns one and does the rest.

#include "Velorin/Design/FloorBlob.h"
#include "Velorin/Design/WaterInput.h"
#include "Velorin/Design/WaterUniforms.h"

#include <QSize>
#include <QSizeF>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velorin {

class WaterModel {
public:
    static constexpr double stepsPerSecond = 120;
    static constexpr int maxStepsPerFrame = 10;
    static constexpr double maxFrameInterval = 1.0 / 15;  // seconds a frame may account for
    static constexpr double idleAfter = 6;                // seconds without activity before slowing down
    static constexpr int activeFramesPerSecond = 60;
    static constexpr int idleFramesPerSecond = 12;
    static constexpr int idleFramesPerSecondReduceMotion = 2;
    static constexpr int splashFrames = 5;
    static constexpr int maxTouchFingers = 11;  // the twelfth slot is the splash's
    static constexpr double blobFadeRate = 3;   // per second
    static constexpr float levelSnap = 0.004f;  // fades and energy this close to their target snap to it
    static constexpr float velocityDamping = 0.982f;
    static constexpr float waveSpeedSquared = 0.24f;
    static constexpr float fingerRadius = 0.03f;
    static constexpr float fingerDepth = 0.32f;
    static constexpr float splashRadius = 0.055f;
    static constexpr float splashDepth = -0.6f;
    static constexpr double cellPoints = 2.5;  // points per simulation cell
    static constexpr int minGridCells = 16;
    static constexpr int maxGridCells = 640;
    static constexpr std::array<float, 3> lightFloor{0.835f, 0.855f, 0.885f};
    static constexpr std::array<float, 3> darkFloor{0.055f, 0.062f, 0.078f};

    // `now` is when the water was made: the origin of the shader's clock.
    explicit WaterModel(double now);

    // Takes new inputs: a new fired date arms a splash (not under Reduce
    // Motion); touches or any change but Reduce Motion wakes the frame rate.
    void update(const WaterInput& input, double now);

    // The simulation grid for a view of `viewSize` points: 2.5 points a cell,
    // 16…640 cells a side.
    static QSize gridSize(const QSizeF& viewSize);

    struct Frame {
        int steps = 0;  // simulation steps to run this frame, all with `uniforms`
        WaterUniforms uniforms;
    };
    // One drawn frame at `now` for a view of `viewSize` points over a height
    // field of `grid` cells. Skipped frames must not call this.
    Frame frame(double now, const QSizeF& viewSize, const QSize& grid);

    int framesPerSecond() const { return framesPerSecond_; }

    // For inspection.
    const WaterInput& input() const { return input_; }
    int splashSteps() const { return splashSteps_; }
    float energy() const { return energy_; }
    double stepDebt() const { return stepDebt_; }
    double lastActive() const { return lastActive_; }
    std::optional<float> blobAlpha(const std::string& id) const;
    std::array<float, 2> lastFinger() const { return lastFinger_; }

private:
    WaterUniforms write(const QSizeF& viewSize, const QSize& grid, double time);

    WaterInput input_;
    std::map<std::string, FloorBlob> known_;  // every blob ever given, latest values, by id
    std::map<std::string, float> blobAlpha_;
    std::array<float, 2> lastFinger_{0.5f, 0.5f};
    int splashSteps_ = 0;
    float energy_ = 0;
    std::optional<double> lastFrame_;
    double stepDebt_ = 0;
    double lastActive_ = 0;
    double started_;
    int framesPerSecond_ = activeFramesPerSecond;
};

}  // namespace velorin
