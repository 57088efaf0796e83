#include "Recognizer/GestureRecognizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace velorin;
using Corner = Gesture::Corner;
using Events = GestureRecognizer::Events;

namespace {

struct Finger {
    std::int32_t id;
    float x;
    float y;
};

// One step of a scenario: a frame, a click or a tick, what it must emit (and nothing
// else), and optionally what `nextDeadline` must be afterwards.
struct Step {
    enum class Kind { frame, click, tick } kind = Kind::frame;
    double time = 0;
    std::vector<Finger> fingers;  // frames only: the touches down
    Events expected;
    bool checkDeadline = false;
    std::optional<double> deadline;

    Step& emits(Events e) {
        expected = std::move(e);
        return *this;
    }
    Step& deadlineIs(std::optional<double> d) {
        checkDeadline = true;
        deadline = d;
        return *this;
    }
};

Step make(Step::Kind kind, double t, std::vector<Finger> fingers = {}) {
    Step s;
    s.kind = kind;
    s.time = t;
    s.fingers = std::move(fingers);
    return s;
}
Step frame(double t, std::vector<Finger> fingers) { return make(Step::Kind::frame, t, std::move(fingers)); }
Step lift(double t) { return frame(t, {}); }
Step click(double t) { return make(Step::Kind::click, t); }
Step tick(double t) { return make(Step::Kind::tick, t); }

GestureEvent at(double t, Gesture g) { return {g, t}; }

struct Scenario {
    Scenario(std::string name, std::optional<GestureRecognizer::GestureSet> bound, std::vector<Step> steps,
             std::optional<int> dragFingers = std::nullopt, RecognizerConfig config = {})
        : name(std::move(name)), bound(std::move(bound)), steps(std::move(steps)), dragFingers(dragFingers),
          config(config) {}
    std::string name;
    std::optional<GestureRecognizer::GestureSet> bound;
    std::vector<Step> steps;
    std::optional<int> dragFingers;
    RecognizerConfig config;
};

std::string text(const Events& events) {
    std::string s = "[";
    for (const auto& e : events) s += e.gesture.description() + " @" + std::to_string(e.time) + "; ";
    return s + "]";
}

// Frames carry the down fingers as `touching` plus, for fingers that were down in the
// previous frame and are not now, a `breakTouch`, the way the framework reports a lift.
void run(const Scenario& scenario) {
    GestureRecognizer r(scenario.config, scenario.bound);
    r.dragFingers = scenario.dragFingers;
    std::vector<Finger> previous;
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        Events got;
        switch (step.kind) {
            case Step::Kind::frame: {
                TouchFrame f{0, step.time, {}};
                for (const auto& p : step.fingers) f.touches.push_back({p.id, TouchState::touching, p.x, p.y, 0, 0, 1});
                for (const auto& p : previous) {
                    bool still = false;
                    for (const auto& q : step.fingers) still = still || q.id == p.id;
                    if (!still) f.touches.push_back({p.id, TouchState::breakTouch, p.x, p.y, 0, 0, 0});
                }
                previous = step.fingers;
                got = r.process(f);
                break;
            }
            case Step::Kind::click: got = r.click(step.time); break;
            case Step::Kind::tick: got = r.tick(step.time); break;
        }
        EXPECT_EQ(got, step.expected) << scenario.name << ", step " << i << ": got " << text(got) << " expected "
                                      << text(step.expected);
        if (step.checkDeadline) {
            EXPECT_EQ(r.nextDeadline(), step.deadline) << scenario.name << ", step " << i;
        }
    }
}

const Finger centre{1, 0.5f, 0.5f};
GestureRecognizer::GestureSet taps(std::initializer_list<Gesture> g) { return {g}; }

}  // namespace

TEST(GestureRecognizer, scenarios) {
    const auto single1 = Gesture::tap(1, 1);
    const auto double1 = Gesture::tap(1, 2);
    const std::vector<Scenario> scenarios = {
        {"singleTap_nothingLongerBound_emitsAtLift",
         taps({single1}),
         {frame(0, {centre}), lift(0.125).emits({at(0.125, single1)}).deadlineIs(std::nullopt)}},
        {"singleTap_doubleBound_waitsForTheInterval",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125).deadlineIs(0.375), tick(0.25).deadlineIs(0.375),
          tick(0.375).emits({at(0.375, single1)}).deadlineIs(std::nullopt)}},
        {"secondTapWithinInterval_emitsDouble",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {centre}).deadlineIs(std::nullopt),
          lift(0.375).emits({at(0.375, double1)})}},
        {"secondTapAfterInterval_firstFrameEmitsSingle_thenNewSequence",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.5, {centre}).emits({at(0.5, single1)}), lift(0.625).deadlineIs(0.875)}},
        {"secondTapStartingExactlyAtDeadline_isTooLate",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.375, {centre}).emits({at(0.375, single1)})}},
        {"tripleTap_emitsAtOnceWhenCountReachesThree",
         taps({single1, double1, Gesture::tap(1, 3)}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {centre}), lift(0.375).deadlineIs(0.625), frame(0.5, {centre}),
          lift(0.625).emits({at(0.625, Gesture::tap(1, 3))}).deadlineIs(std::nullopt)}},
        {"doubleTap_waitsOnlyWhileTripleBound",
         taps({Gesture::tap(1, 3)}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {centre}), lift(0.375).deadlineIs(0.625),
          tick(0.625).emits({at(0.625, double1)})}},
        {"otherFingerCount_endsTheSequence",
         taps({single1, double1, Gesture::tap(2, 1)}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {{1, 0.5f, 0.5f}, {2, 0.6f, 0.5f}}),
          lift(0.375).emits({at(0.375, single1), at(0.375, Gesture::tap(2, 1))})}},
        {"recording_everySequenceMayGrow",
         std::nullopt,
         {frame(0, {centre}), lift(0.125).deadlineIs(0.375), tick(0.375).emits({at(0.375, single1)})}},
        {"emptyBound_nothingWaits",
         taps({}),
         {frame(0, {centre}), lift(0.125).emits({at(0.125, single1)})}},
        {"fingerCountIsThePeak",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), frame(0.125, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}, {3, 0.6f, 0.5f}}),
          lift(0.25).emits({at(0.25, Gesture::tap(3, 1))})}},
        {"fingersLiftingApart_isOneContact",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), frame(0.125, {{2, 0.5f, 0.5f}}),
          lift(0.25).emits({at(0.25, Gesture::tap(2, 1))})}},
        {"tapOfExactlyMaxDuration_counts",
         taps({}),
         {frame(0, {centre}), lift(0.3).emits({at(0.3, single1)})}},
        {"tapLongerThanMaxDuration_givesNothing",
         taps({}),
         {frame(0, {centre}), lift(0.3125)}},
        {"driftBeyondMaxTravel_noTap_pendingEmittedWhenTravelFirstExceeds",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {centre}),
          frame(0.28125, {{1, 0.54f, 0.5f}}).emits({at(0.28125, single1)}), lift(0.3125)}},
        // From an edge at 0 the float distances are exactly the allowances.
        {"travelExactlyMaxTravel_stillTaps",
         taps({}),
         {frame(0, {{1, 0, 0.5f}}), frame(0.0625, {{1, 0.03f, 0.5f}}), lift(0.125).emits({at(0.125, single1)})}},
        {"travelExactlyHoldTravel_stillHolds",
         taps({}),
         {frame(0, {{1, 0, 0.5f}}), frame(0.5, {{1, 0.06f, 0.5f}}),
          frame(1.25, {{1, 0.06f, 0.5f}}).emits({at(1.25, Gesture::hold(1))}), lift(1.5)}},
        {"driftWithinHoldTravel_holdsOnceAtHoldDuration",
         taps({}),
         {frame(0, {centre}), frame(0.5, {{1, 0.55f, 0.5f}}), frame(1.1875, {{1, 0.55f, 0.5f}}),
          frame(1.25, {{1, 0.55f, 0.5f}}).emits({at(1.25, Gesture::hold(1))}), frame(2.5, {{1, 0.55f, 0.5f}}),
          lift(3)}},
        {"holdAtExactlyHoldDuration",
         taps({}),
         {frame(0, {{1, 0.5f, 0.5f}, {2, 0.6f, 0.5f}}),
          frame(1.2, {{1, 0.5f, 0.5f}, {2, 0.6f, 0.5f}}).emits({at(1.2, Gesture::hold(2))}), lift(1.25)}},
        {"liftAfterHoldDuration_withoutAFrameBetween_givesNoHold",
         taps({}),
         {frame(0, {centre}), lift(1.5)}},
        {"jumpBeyondBothAllowances_emitsThePendingTapInThatFrame",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {centre}),
          frame(0.28125, {{1, 0.6f, 0.5f}}).emits({at(0.28125, single1)}), lift(0.3125)}},
        {"driftBeyondHoldTravel_givesNothingAtAll",
         taps({}),
         {frame(0, {centre}), frame(0.5, {{1, 0.57f, 0.5f}}), frame(1.5, {{1, 0.57f, 0.5f}}), lift(2)}},
        {"travelIsTheMedian_oneStillOneMoved",
         taps({}),
         {frame(0, {{1, 0.3f, 0.5f}, {2, 0.6f, 0.5f}}), frame(0.0625, {{1, 0.3f, 0.5f}, {2, 0.65f, 0.5f}}),
          lift(0.125).emits({at(0.125, Gesture::tap(2, 1))})}},
        {"travelReachedStays_afterTheMovedFingerLifts",
         taps({}),
         {frame(0, {{1, 0.3f, 0.5f}, {2, 0.6f, 0.5f}, {3, 0.7f, 0.5f}}),
          frame(0.0625, {{1, 0.34f, 0.5f}, {2, 0.64f, 0.5f}, {3, 0.7f, 0.5f}}), frame(0.125, {{3, 0.7f, 0.5f}}),
          lift(0.1875)}},
        {"fingerPutDownAgain_isMeasuredFromItsNewPlace",
         taps({}),
         {frame(0, {{1, 0.3f, 0.5f}, {2, 0.6f, 0.5f}}), frame(0.0625, {{2, 0.6f, 0.5f}}),
          frame(0.125, {{1, 0.4f, 0.5f}, {2, 0.6f, 0.5f}}), lift(0.1875).emits({at(0.1875, Gesture::tap(2, 1))})}},
        {"pendingTap_thenHold_emitsTapThenHold",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {centre}),
          frame(1.5, {centre}).emits({at(1.5, single1), at(1.5, Gesture::hold(1))})}},
        {"cornerTaps_strictBandsTopFirst",
         taps({}),
         {frame(0, {{1, 0.1f, 0.9f}}), lift(0.125).emits({at(0.125, Gesture::cornerTap(Corner::topLeft))}),
          frame(1, {{1, 0.9f, 0.9f}}), lift(1.125).emits({at(1.125, Gesture::cornerTap(Corner::topRight))}),
          frame(2, {{1, 0.1f, 0.1f}}), lift(2.125).emits({at(2.125, Gesture::cornerTap(Corner::bottomLeft))}),
          frame(3, {{1, 0.9f, 0.1f}}), lift(3.125).emits({at(3.125, Gesture::cornerTap(Corner::bottomRight))}),
          frame(4, {{1, 0.1f, 0.5f}}), lift(4.125).emits({at(4.125, single1)}),
          frame(5, {{1, 0.15f, 0.9f}}), lift(5.125).emits({at(5.125, single1)}),
          frame(6, {{1, 0.85f, 0.9f}}), lift(6.125).emits({at(6.125, single1)}),
          frame(7, {{1, 0.1f, 0.85f}}), lift(7.125).emits({at(7.125, single1)}),
          frame(8, {{1, 0.1f, 0.15f}}), lift(8.125).emits({at(8.125, single1)}),
          frame(9, {{1, 0.86f, 0.14f}}), lift(9.125).emits({at(9.125, Gesture::cornerTap(Corner::bottomRight))})}},
        {"cornerTap_neverWaits_andEndsThePendingTap",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {{1, 0.05f, 0.95f}}),
          lift(0.375).emits({at(0.375, single1), at(0.375, Gesture::cornerTap(Corner::topLeft))})
              .deadlineIs(std::nullopt)}},
        {"cornerTap_usesTheFirstPosition",
         taps({}),
         {frame(0, {{1, 0.05f, 0.95f}}), frame(0.0625, {{1, 0.06f, 0.95f}}),
          lift(0.125).emits({at(0.125, Gesture::cornerTap(Corner::topLeft))})}},
        {"twoFingersInACorner_isATwoFingerTap",
         taps({}),
         {frame(0, {{1, 0.05f, 0.95f}, {2, 0.1f, 0.95f}}), lift(0.125).emits({at(0.125, Gesture::tap(2, 1))})}},
        {"wideCorners_goTopAndLeft",
         taps({}),
         {frame(0, {{1, 0.55f, 0.45f}}), lift(0.125).emits({at(0.125, Gesture::cornerTap(Corner::topLeft))})},
         std::nullopt,
         RecognizerConfig{0.3, 1.2, 0.03f, 0.06f, 0.25, 0.6f}},
        {"twoFingerClick_isATapAtOnce_noHoldNoRelease",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), click(0.0625).emits({at(0.0625, Gesture::tap(2, 1))}),
          frame(1.5, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), lift(2)}},
        {"clickAfterLongPressAndMovement_stillTaps",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), frame(0.5, {{1, 0.44f, 0.5f}, {2, 0.54f, 0.5f}}),
          click(0.75).emits({at(0.75, Gesture::tap(2, 1))}), lift(1)}},
        {"clickAfterHold_givesNothing",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}),
          frame(1.25, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}).emits({at(1.25, Gesture::hold(2))}), click(1.5), lift(2)}},
        {"clickAfterMovingTooFar_givesNothing",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), frame(0.0625, {{1, 0.5f, 0.5f}, {2, 0.6f, 0.5f}}),
          click(0.125), lift(0.25)}},
        {"oneFingerClick_givesNothing",
         taps({}),
         {frame(0, {centre}), click(0.0625), lift(0.125)}},
        {"secondClickInOneContact_isIgnored",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), click(0.0625).emits({at(0.0625, Gesture::tap(2, 1))}),
          click(0.125), lift(0.25)}},
        {"clickWithoutContact_isIgnored", taps({}), {click(0.5)}},
        {"threeFingerClick_whileThreeFingerDrag_isIgnored",
         taps({}),
         {frame(0, {{1, 0.3f, 0.5f}, {2, 0.4f, 0.5f}, {3, 0.5f, 0.5f}}), click(0.0625),
          lift(0.25).emits({at(0.25, Gesture::tap(3, 1))})},
         3},
        {"twoFingerClick_whileThreeFingerDrag_stillTaps",
         taps({}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), click(0.0625).emits({at(0.0625, Gesture::tap(2, 1))}),
          lift(0.125)},
         3},
        {"clickWithOtherFingers_endsThePendingSequenceFirst",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), frame(0.25, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}),
          click(0.3125).emits({at(0.3125, single1), at(0.3125, Gesture::tap(2, 1))}), lift(0.375)}},
        {"clickCompletingATripleTap_emitsAtOnce",
         taps({Gesture::tap(2, 3)}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), lift(0.125), frame(0.25, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}),
          lift(0.375).deadlineIs(0.625), frame(0.5, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}),
          click(0.5625).emits({at(0.5625, Gesture::tap(2, 3))}), lift(0.625).deadlineIs(std::nullopt)}},
        {"clickedSequenceWaits_deadlineOnlyAfterRelease",
         taps({Gesture::tap(2, 1), Gesture::tap(2, 2)}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), click(0.0625).deadlineIs(std::nullopt), tick(1),
          lift(1.5).deadlineIs(1.75), tick(1.75).emits({at(1.75, Gesture::tap(2, 1))})}},
        {"clickJoinsAPendingTapSequence",
         taps({Gesture::tap(2, 1), Gesture::tap(2, 2)}),
         {frame(0, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}), lift(0.125), frame(0.25, {{1, 0.4f, 0.5f}, {2, 0.5f, 0.5f}}),
          click(0.3125).emits({at(0.3125, Gesture::tap(2, 2))}), lift(0.375)}},
        {"emptyFrameWhileIdle_changesNothing",
         taps({}),
         {lift(0), lift(0.125).deadlineIs(std::nullopt)}},
        {"framesAfterDeadlineWithoutTouches_emitThePendingTap",
         taps({single1, double1}),
         {frame(0, {centre}), lift(0.125), lift(0.25), lift(0.375).emits({at(0.375, single1)})}},
    };
    for (const auto& s : scenarios) run(s);
}

TEST(GestureRecognizer, settingsChangeKeepsTheWaitingSequence) {
    GestureRecognizer r({}, GestureRecognizer::GestureSet{Gesture::tap(1, 2)});
    r.process({0, 0, {{1, TouchState::touching, 0.5f, 0.5f}}});
    EXPECT_TRUE(r.process({0, 0.125, {{1, TouchState::breakTouch, 0.5f, 0.5f}}}).empty());
    r.config.multiTapInterval = 0.5;
    r.bound = GestureRecognizer::GestureSet{};
    EXPECT_EQ(r.nextDeadline(), 0.625);
    EXPECT_TRUE(r.tick(0.375).empty());
    EXPECT_EQ(r.tick(0.625), (Events{{Gesture::tap(1, 1), 0.625}}));
}

TEST(GestureRecognizer, aContactBeginningExactlyTheIntervalAfterTheReleaseJoins) {
    // Only reachable when the interval changes while the contact is down: a longer one
    // keeps the sequence from expiring, the shorter one then decides the join.
    GestureRecognizer r({}, GestureRecognizer::GestureSet{Gesture::tap(1, 1), Gesture::tap(1, 2)});
    r.process({0, 0, {{1, TouchState::touching, 0.5f, 0.5f}}});
    r.process({0, 0.125, {{1, TouchState::breakTouch, 0.5f, 0.5f}}});
    r.config.multiTapInterval = 0.5;
    EXPECT_TRUE(r.process({0, 0.375, {{1, TouchState::touching, 0.5f, 0.5f}}}).empty());
    r.config.multiTapInterval = 0.25;
    EXPECT_EQ(r.process({0, 0.4375, {{1, TouchState::breakTouch, 0.5f, 0.5f}}}),
              (Events{{Gesture::tap(1, 2), 0.4375}}));
}

TEST(GestureRecognizer, touchesThatAreNotDownAreIgnored) {
    GestureRecognizer r({}, GestureRecognizer::GestureSet{});
    EXPECT_TRUE(r.process({0, 0, {{1, TouchState::hoverInRange, 0.5f, 0.5f}}}).empty());
    // The contact's first position is its first touch that is down, not the first reported.
    r.process({0, 0.125, {{2, TouchState::lingerInRange, 0.05f, 0.95f}, {1, TouchState::makeTouch, 0.5f, 0.5f}}});
    EXPECT_EQ(r.process({0, 0.25, {{1, TouchState::outOfRange, 0.5f, 0.5f}}}),
              (Events{{Gesture::tap(1, 1), 0.25}}));
}

TEST(GestureRecognizer, medianOfOddEvenAndEmptyLists) {
    std::vector<float> odd{0.3f, 0.1f, 0.2f}, even{0.4f, 0.1f, 0.2f, 0.3f}, none;
    EXPECT_FLOAT_EQ(GestureRecognizer::median(odd), 0.2f);
    EXPECT_FLOAT_EQ(GestureRecognizer::median(even), 0.25f);
    EXPECT_EQ(GestureRecognizer::median(none), 0.0f);
}
