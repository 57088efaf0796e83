// Frames from a second thread at 1 kHz while the main thread replaces the
// configuration, switches live touches and records gestures. Every gesture
// that one recogniser would give for the same frames must be fired exactly
// once, in the same order. Run under ThreadSanitizer as well.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "EngineFixture.h"
#include "Recognizer/GestureRecognizer.h"

namespace velorin::test {
namespace {

// Every gesture that can occur, each bound to its own key code (its index).
std::vector<Gesture> everyGesture() {
    std::vector<Gesture> all;
    for (int fingers = 1; fingers <= 10; ++fingers) {
        for (int count = 1; count <= 3; ++count) all.push_back(Gesture::tap(fingers, count));
        all.push_back(Gesture::hold(fingers));
    }
    for (Gesture::Corner corner : Gesture::allCorners) all.push_back(Gesture::cornerTap(corner));
    return all;
}

// Frames at 1/1024 s apart (exact in binary, so both clocks agree to the
// last bit): taps, multi-taps, holds, corner taps and moving contacts of 1
// to 10 fingers, with idle frames between them and at the end long enough
// for every waiting tap to expire by frame time alone.
std::vector<TouchFrame> script(unsigned seed, int contactFrames) {
    std::mt19937 random(seed);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    std::vector<TouchFrame> frames;
    auto push = [&](std::vector<Touch> touches) {
        const double t = 100.0 + static_cast<double>(frames.size()) / 1024.0;
        frames.push_back(TouchFrame{0, t, std::move(touches)});
    };
    auto idle = [&](int n) {
        for (int i = 0; i < n; ++i) push({});
    };
    auto contact = [&](int fingers, int length, float x, float y, float speed) {
        const int arriving = std::min(fingers, uniform(1, 3));
        for (int i = 0; i < length; ++i) {
            const int down = i < arriving ? std::max(1, fingers * (i + 1) / arriving) : fingers;
            std::vector<Touch> touches = fingersAt(down, x + speed * static_cast<float>(i), y);
            if (i % 2) touches[0].x += 1e-4f;
            push(std::move(touches));
        }
        push({});
    };

    enum class Kind { tap, corner, taps, moving, hold };
    const Kind cycle[] = {Kind::tap,  Kind::corner, Kind::taps, Kind::moving,
                          Kind::taps, Kind::hold,   Kind::tap,  Kind::taps};
    for (std::size_t episode = 0; static_cast<int>(frames.size()) < contactFrames; ++episode) {
        const int fingers = uniform(1, 10);
        const float x = 0.3f + 0.01f * static_cast<float>(uniform(0, 10));
        switch (cycle[episode % std::size(cycle)]) {
            case Kind::hold:
                contact(fingers, uniform(1240, 1300), x, 0.5f, 0);
                break;
            case Kind::corner: {
                const bool left = uniform(0, 1);
                const bool top = uniform(0, 1);
                contact(1, uniform(15, 120), left ? 0.05f : 0.95f, top ? 0.95f : 0.05f, 0);
                break;
            }
            case Kind::moving:  // not a tap
                contact(fingers, uniform(40, 120), 0.1f, 0.3f, 0.002f);
                break;
            case Kind::tap:
                contact(fingers, uniform(15, 120), x, 0.5f, 0);
                break;
            case Kind::taps: {  // two or three, sometimes too slow to join
                const int taps = uniform(2, 3);
                for (int i = 0; i < taps; ++i) {
                    contact(fingers, uniform(15, 120), x, 0.5f, 0);
                    if (i + 1 < taps) idle(uniform(15, 300));
                }
                break;
            }
        }
        idle(uniform(0, 200));
    }
    idle(300);  // > 0.25 s: the last waiting tap expires in these frames
    return frames;
}

AppConfig bindingEvery(const std::vector<Gesture>& gestures, bool reversed) {
    std::vector<Binding> bindings;
    for (std::size_t i = 0; i < gestures.size(); ++i) {
        bindings.push_back(binding(gestures[i], Action::keystroke(KeyCombo{static_cast<std::uint16_t>(i), {}})));
    }
    if (reversed) {
        std::reverse(bindings.begin(), bindings.end());
        // Changes nothing for the apps in front here, but is a different configuration.
        bindings.push_back(binding(Gesture::tap(2, 1), copyAction, {"com.example.never"}));
    }
    return configWith(std::move(bindings));
}

class EngineStress : public EngineFixture {};

TEST_F(EngineStress, framesFromASecondThread_fireExactlyWhatOneRecogniserGives) {
    const std::vector<Gesture> gestures = everyGesture();
    const AppConfig configA = bindingEvery(gestures, false);
    const AppConfig configB = bindingEvery(gestures, true);
    const std::vector<TouchFrame> frames = script(20240611, 5000);

    // The single-threaded replay.
    std::vector<Gesture> expected;
    {
        GestureRecognizer::GestureSet bound(gestures.begin(), gestures.end());
        GestureRecognizer recognizer(configA.recognizer, bound);
        for (const TouchFrame& frame : frames) {
            for (const GestureEvent& e : recognizer.process(frame)) expected.push_back(e.gesture);
        }
        ASSERT_FALSE(recognizer.nextDeadline());
    }
    ASSERT_GE(expected.size(), 10u);  // every kind of gesture, some waiting for longer ones

    Engine& e = startEngine(configA);

    // What fired, in order: keys as they were posted, recorded gestures at
    // the place among them where they were taken.
    std::vector<std::pair<std::size_t, Gesture>> recorded;
    bool recording = false;
    auto keyCount = [&] { return keysDown().size(); };

    std::atomic<bool> done{false};
    std::thread producer([&] {
        auto next = std::chrono::steady_clock::now();
        for (const TouchFrame& frame : frames) {
            framework->deliver(frame);
            next += std::chrono::milliseconds(1);
            std::this_thread::sleep_until(next);
        }
        done = true;
    });

    int turn = 0;
    std::size_t liveLists = 0;
    e.liveTouches().observe([&](const std::vector<Touch>& touches) {
        ++liveLists;
        for (const Touch& t : touches) EXPECT_TRUE(t.isDown());
    });
    while (!done) {
        sim.mainQueue().waitUntilDue(std::chrono::milliseconds(2));
        sim.runUntilIdle();
        ++turn;
        if (turn % 7 == 0) e.setConfig(turn % 14 == 0 ? configA : configB);
        if (turn % 5 == 0) e.setShowsLiveTouches(!e.showsLiveTouches().get());
        if (turn % 23 == 0 && !recording) {
            recording = true;
            e.recordNextGesture([&](const Gesture& g) {
                recorded.emplace_back(keyCount(), g);
                recording = false;
            });
        }
        if (turn % 61 == 0 && recording) {
            e.cancelRecording();
            recording = false;
        }
        if (!e.showsLiveTouches().get()) {
            EXPECT_TRUE(e.liveTouches().get().empty());
        }
    }
    producer.join();
    sim.runUntilIdle();
    e.cancelRecording();

    std::vector<Gesture> fired;
    const std::vector<std::uint16_t> keys = keysDown();
    std::size_t r = 0;
    for (std::size_t k = 0; k <= keys.size(); ++k) {
        while (r < recorded.size() && recorded[r].first == k) fired.push_back(recorded[r++].second);
        if (k < keys.size()) {
            ASSERT_LT(keys[k], gestures.size());
            fired.push_back(gestures[keys[k]]);
        }
    }
    EXPECT_EQ(fired, expected);
    EXPECT_FALSE(recorded.empty());
    EXPECT_GT(liveLists, 0u);
    EXPECT_EQ(sim.eventSystem().postedKeyboardEvents().size(), 2 * keys.size());
}

}  // namespace
}  // namespace velorin::test
