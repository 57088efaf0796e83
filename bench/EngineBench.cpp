// The engine's costs: from the frame that lifts the last finger to the posted
// key-up, through the simulated desktop; and the frame handler's work under
// the core's lock, per frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

#include "AllocationCounter.h"
#include "Engine/Core.h"
#include "Engine/Engine.h"
#include "Platform/Sim/SimPlatform.h"
#include "TouchInput/TouchSource.h"

using namespace velorin;

namespace {

std::vector<Touch> fingers(int n, float jitter = 0) {
    std::vector<Touch> touches;
    for (int i = 0; i < n; ++i) {
        touches.push_back(
            Touch{i + 1, TouchState::touching, 0.2f + 0.07f * static_cast<float>(i) + jitter, 0.5f, 0, 0, 1});
    }
    return touches;
}

class BenchTouchSource final : public TouchSource {
public:
    void start(TouchFrameHandler handler) override { handler_ = std::move(handler); }
    void stop() override { handler_ = nullptr; }
    void deliver(const TouchFrame& frame) const { handler_(frame); }

private:
    TouchFrameHandler handler_;
};

// A three-finger tap bound to ⌘C: the lift's frame, its block on the main
// queue, resolution for the front app, the runner and both posted events.
// Argument 1 also switches on the starter's packs, so resolution goes
// through their shortcuts as well.
void liftToKeyUp(benchmark::State& state) {
    sim::SimPlatform sim;
    sim.accessibility().setTrusted(true);
    AppConfig config = state.range(0) ? AppConfig::starter() : AppConfig{};
    config.bindings = {Binding{Uuid::generate(),
                               Gesture::tap(3, 1),
                               Action::keystroke(KeyCombo{8, KeyCombo::Modifiers::command}),
                               true,
                               {},
                               std::nullopt}};
    auto source = std::make_unique<BenchTouchSource>();
    BenchTouchSource& touches = *source;
    Engine::Parts parts;
    parts.touches = std::move(source);
    Engine engine(config, std::move(parts));
    engine.start();

    std::vector<double> samples;
    double t = 100;
    for (auto _ : state) {
        touches.deliver(TouchFrame{0, t, fingers(3)});
        touches.deliver(TouchFrame{0, t + 0.05, fingers(3)});
        sim.runUntilIdle();
        sim.eventSystem().clearPostedEvents();

        const auto start = std::chrono::steady_clock::now();
        touches.deliver(TouchFrame{0, t + 0.1, {}});
        sim.runUntilIdle();
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds);
        if (sim.eventSystem().postedKeyboardEvents().size() != 2) state.SkipWithError("the key events were not posted");
        t += 1;
    }
    if (!samples.empty()) {
        std::nth_element(samples.begin(), samples.begin() + static_cast<long>(samples.size() / 2), samples.end());
        state.counters["median_us"] = samples[samples.size() / 2] * 1e6;
    }
}
BENCHMARK(liftToKeyUp)->Arg(0)->Arg(1)->ArgName("starterPacks")->UseManualTime()->Unit(benchmark::kMicrosecond);

// Core::frame during a contact: what the framework's thread does under the
// lock for every frame while fingers rest on the pad. Live touches off, then on.
void frameUnderLock(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool live = state.range(1) != 0;
    sim::SimClock clock;
    Core core(clock);
    RecognizerConfig longHold;
    longHold.holdDuration = 1e12;  // stay inside the contact, never hold
    core.rearm(longHold, Core::GestureSet{Gesture::tap(3, 1), Gesture::tap(3, 2)});
    core.setWantsTouches(live);
    TouchFrame frame{0, 100, fingers(n)};
    (void)core.frame(frame);
    double t = 100;
    float jitter = 1e-4f;
    const std::size_t before = velorin::bench::allocationCount();
    for (auto _ : state) {
        t += 0.007;
        jitter = -jitter;
        frame.timestamp = t;
        for (auto& touch : frame.touches) touch.x += jitter;
        auto result = core.frame(frame);
        benchmark::DoNotOptimize(result);
    }
    state.counters["allocs/frame"] = benchmark::Counter(
        static_cast<double>(velorin::bench::allocationCount() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(frameUnderLock)->ArgsProduct({{1, 3, 5, 10}, {0, 1}})->ArgNames({"touches", "live"});

}  // namespace
