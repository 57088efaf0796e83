#include "Velorin/Design/WaterModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velorin {

std::array<std::byte, 512> WaterUniforms::bytes() const {
    std::array<std::byte, 512> out{};
    std::memcpy(out.data(), this, sizeof(WaterUniforms));
    return out;
}

WaterModel::WaterModel(double now) : started_(now) {}

void WaterModel::update(const WaterInput& input, double now) {
    const bool firedChanged = input.fired != input_.fired;
    if (firedChanged && input.fired && !input.reduceMotion) splashSteps_ = splashFrames;
    const bool wakes = !input.touches.empty() || firedChanged || input.blobs != input_.blobs ||
                       input.dark != input_.dark || float(input.opacity) != float(input_.opacity);
    if (wakes) {
        lastActive_ = now;
        framesPerSecond_ = activeFramesPerSecond;
    }
    input_ = input;
    for (const FloorBlob& blob : input.blobs) known_[blob.id] = blob;
}

QSize WaterModel::gridSize(const QSizeF& viewSize) {
    auto cells = [](double points) {
        const double n = std::floor(points / cellPoints);
        if (!(n >= minGridCells)) return minGridCells;
        return int(std::min<double>(n, maxGridCells));
    };
    return QSize(cells(viewSize.width()), cells(viewSize.height()));
}

std::optional<float> WaterModel::blobAlpha(const std::string& id) const {
    const auto it = blobAlpha_.find(id);
    if (it == blobAlpha_.end()) return std::nullopt;
    return it->second;
}

WaterModel::Frame WaterModel::frame(double now, const QSizeF& viewSize, const QSize& grid) {
    double dt = lastFrame_ ? now - *lastFrame_ : 0;
    lastFrame_ = now;
    dt = std::clamp(dt, 0.0, maxFrameInterval);

    // Fades of the floor patches toward in (wanted) or out (gone).
    const float k = float(std::min(blobFadeRate * dt, 1.0));
    bool fading = false;
    for (const auto& [id, blob] : known_) {
        const bool wanted =
            std::any_of(input_.blobs.begin(), input_.blobs.end(), [&](const FloorBlob& b) { return b.id == id; });
        const float target = wanted ? 1.0f : 0.0f;
        float a = blobAlpha_.count(id) ? blobAlpha_[id] : 0.0f;
        a = a + (target - a) * k;
        if (std::abs(a - target) < levelSnap) a = target;
        blobAlpha_[id] = a;
        if (a != target) fading = true;
    }

    // Touch energy rises quickly and ebbs slowly.
    const bool touched = !input_.touches.empty() || splashSteps_ != 0;
    const float targetEnergy = touched ? 1.0f : 0.0f;
    const double rate = energy_ < targetEnergy ? 12 : 1.1;
    energy_ = energy_ + (targetEnergy - energy_) * float(std::min(dt * rate, 1.0));
    bool active = true;
    if (energy_ < levelSnap) {
        energy_ = 0;
        active = !input_.touches.empty();
    }
    if (active || fading) lastActive_ = now;

    Frame out;
    if (!input_.reduceMotion) {
        const double debt = dt * stepsPerSecond + stepDebt_;
        // A hair of tolerance: a frame of exactly 1/60 s is two steps, whatever the rounding of its times.
        out.steps = int(std::min(std::floor(debt + 1e-9), double(maxStepsPerFrame)));
        stepDebt_ = std::max(0.0, debt - out.steps);
    }
    out.uniforms = write(viewSize, grid, now - started_);
    if (splashSteps_ > 0) --splashSteps_;

    const bool idle = now - lastActive_ > idleAfter;
    framesPerSecond_ =
        idle ? (input_.reduceMotion ? idleFramesPerSecondReduceMotion : idleFramesPerSecond) : activeFramesPerSecond;
    return out;
}

WaterUniforms WaterModel::write(const QSizeF& viewSize, const QSize& grid, double time) {
    WaterUniforms u;
    int fingers = 0;
    const int touchCount = std::min<int>(int(input_.touches.size()), maxTouchFingers);
    for (int i = 0; i < touchCount; ++i) {
        const Touch& t = input_.touches[std::size_t(i)];
        // The pad's far edge is the top of the view.
        u.fingers[std::size_t(fingers++)] = {t.x, 1 - t.y, fingerRadius, fingerDepth};
    }
    if (fingers > 0) {
        const Float4& last = u.fingers[std::size_t(fingers - 1)];
        lastFinger_ = {last.x, last.y};
    }
    if (splashSteps_ > 0)
        u.fingers[std::size_t(fingers++)] = {lastFinger_[0], lastFinger_[1], splashRadius, splashDepth};

    int blobs = 0;
    for (const auto& [id, blob] : known_) {  // by id, ascending
        if (blobs == WaterUniforms::maxBlobs) break;
        const auto alpha = blobAlpha_.find(id);
        if (alpha == blobAlpha_.end() || !(alpha->second > 0)) continue;
        u.blobPos[std::size_t(blobs)] = {blob.x, blob.y, blob.radius, blob.rainbow ? 1.0f : 0.0f};
        u.blobCol[std::size_t(blobs)] = {blob.color[0], blob.color[1], blob.color[2], alpha->second};
        ++blobs;
    }

    const bool reduceMotion = input_.reduceMotion;
    const std::array<float, 3>& floor = input_.dark ? darkFloor : lightFloor;
    u.size = {float(viewSize.width()), float(viewSize.height()), reduceMotion ? 0.0f : float(time),
              input_.dark ? 1.0f : 0.0f};
    u.counts = {float(fingers), float(blobs), grid.width() > 0 ? 1.0f / float(grid.width()) : 0.0f,
                grid.height() > 0 ? 1.0f / float(grid.height()) : 0.0f};
    u.tune = {velocityDamping, waveSpeedSquared, reduceMotion ? 1.0f : 0.0f, float(input_.opacity)};
    u.base = {floor[0], floor[1], floor[2], energy_};
    return u;
}

}  // namespace velorin
