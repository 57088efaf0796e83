// Cost of the recogniser per contact frame, and of a whole tap sequence.

#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "Recognizer/GestureRecognizer.h"

using namespace velorin;

namespace {

TouchFrame frameWith(int fingers, double t) {
    TouchFrame f{0, t, {}};
    for (int i = 0; i < fingers; ++i) f.touches.push_back({i, TouchState::touching, 0.2f + 0.1f * i, 0.5f, 0, 0, 1});
    return f;
}

void reportAllocations(benchmark::State& state, std::size_t before, double perIteration) {
    state.counters["allocs/frame"] = benchmark::Counter(
        static_cast<double>(velorin::bench::allocationCount() - before) /
        (static_cast<double>(state.iterations()) * perIteration));
}

// Frames during one long contact: the path every frame takes while fingers rest on the pad.
void duringContact(benchmark::State& state) {
    const int fingers = static_cast<int>(state.range(0));
    GestureRecognizer r({}, GestureRecognizer::GestureSet{Gesture::tap(3, 1), Gesture::tap(3, 2)});
    r.config.holdDuration = 1e12;  // stay inside the contact, never hold
    TouchFrame frame = frameWith(fingers, 0);
    r.process(frame);
    double t = 0;
    float jitter = 1e-4f;
    const std::size_t before = velorin::bench::allocationCount();
    for (auto _ : state) {
        t += 0.007;
        jitter = -jitter;
        frame.timestamp = t;
        for (auto& touch : frame.touches) touch.x += jitter;
        auto events = r.process(frame);
        benchmark::DoNotOptimize(events);
    }
    reportAllocations(state, before, 1);
}
BENCHMARK(duringContact)->Arg(1)->Arg(3)->Arg(5);

// A whole three-finger tap: ten frames down, then the lift that emits it.
void wholeTap(benchmark::State& state) {
    GestureRecognizer r({}, GestureRecognizer::GestureSet{Gesture::tap(3, 1)});
    TouchFrame down = frameWith(3, 0);
    TouchFrame up{0, 0, {}};
    double t = 0;
    const std::size_t before = velorin::bench::allocationCount();
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) {
            down.timestamp = t;
            auto e = r.process(down);
            benchmark::DoNotOptimize(e);
            t += 0.007;
        }
        up.timestamp = t;
        auto events = r.process(up);
        benchmark::DoNotOptimize(events);
        t += 1;
    }
    reportAllocations(state, before, 11);
}
BENCHMARK(wholeTap);

}  // namespace
