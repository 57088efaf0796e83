// The sensitivity tab with its preview and the trackpad tab with its live pad:
// the rows' texts and the preview's geometry as tables, and on the simulated
// desktop with the real engine, slider steps saved one by one, the reset, the
// focus, live touches on the pad and the guide, and the last gesture's card.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/NumericText.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Design/WaterLayer.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Settings/FingerGuide.h"
#include "Velorin/Settings/SensitivityPreview.h"
#include "Velorin/Settings/SensitivityPreviewGeometry.h"
#include "Velorin/Settings/SensitivityRules.h"
#include "Velorin/Settings/SensitivityTab.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/Settings/TrackpadRules.h"
#include "Velorin/Settings/TrackpadTab.h"
#include "Velorin/ThemedText.h"

namespace velorin {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
using Geometry = SensitivityPreviewGeometry;

// ---- The rows and the preview's geometry

TEST(SensitivityRulesTest, theDefaultsReadInTheOrderOfTheRows) {
    const RecognizerConfig defaults = SensitivityRules::defaults();
    const char* expected[] = {"300 ms", "250 ms", "1200 ms", "3%", "15%"};
    const auto& rows = SensitivityRules::rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].title);
        EXPECT_EQ(SensitivityRules::valueText(rows[i], SensitivityRules::read(defaults, rows[i])), expected[i]);
    }
    EXPECT_EQ(defaults, (RecognizerConfig{0.3, 1.2, 0.03f, 0.06f, 0.25, 0.15f}));
}

TEST(SensitivityRulesTest, storedValuesReadUnclampedAndValuesNoNumberCanHoldStillRead) {
    const auto& rows = SensitivityRules::rows();
    const SensitivityRow& tap = rows[0];
    const SensitivityRow& corner = rows[4];
    struct Case {
        const SensitivityRow& row;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {tap, 2.0, "2000 ms"},   // beyond the slider's range
        {tap, 0.0999, "99 ms"},  // truncated
        {tap, -0.0005, "0 ms"}, {tap, nan, "– ms"}, {tap, inf, "∞ ms"},
        {tap, 1e300, ""},  // beyond a 64-bit integer: every digit written out, without a conversion
        {corner, 0.5, "50%"},   {corner, nan, "–"}, {corner, -inf, "-∞%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string text = SensitivityRules::valueText(c.row, c.value);
        if (*c.text)
            EXPECT_EQ(text, c.text);
        else
            EXPECT_TRUE(text.size() > 300 && text.ends_with(" ms")) << text;
    }
}

TEST(SensitivityRulesTest, eachRowEditsItsFieldWithinItsRangeAndFocusesItsSetting) {
    struct Expected {
        const char* title;
        double lower, upper;
        bool ms;
        SensitivityFocus focus;
    };
    const Expected expected[] = {
        {"Longest tap", 0.1, 1.0, true, SensitivityFocus::tap},
        {"Time between taps", 0.1, 0.6, true, SensitivityFocus::gap},
        {"Hold after", 0.5, 3.0, true, SensitivityFocus::hold},
        {"Allowed movement", 0.01, 0.08, false, SensitivityFocus::travel},
        {"Corner size", 0.05, 0.30, false, SensitivityFocus::corner},
    };
    RecognizerConfig config{0.11, 2.2, 0.033f, 0.06f, 0.44, 0.155f};
    const double read[] = {0.11, 0.44, 2.2, double(0.033f), double(0.155f)};
    const auto& rows = SensitivityRules::rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].title);
        EXPECT_STREQ(rows[i].title, expected[i].title);
        EXPECT_EQ(rows[i].lower, expected[i].lower);
        EXPECT_EQ(rows[i].upper, expected[i].upper);
        EXPECT_EQ(rows[i].milliseconds, expected[i].ms);
        EXPECT_EQ(rows[i].focus, expected[i].focus);
        EXPECT_EQ(SensitivityRules::read(config, rows[i]), read[i]);
    }
}

TEST(SensitivityPreviewGeometryTest, theRingIsTheAllowedMovementOnThePadsWidthPlusTheFingerDot) {
    struct Case {
        double width, travel, diameter;
    };
    const Case cases[] = {
        {222, 0.03, 2 * 6.66 + 14},  // the defaults: about 27.3 points
        {222, 0.01, 20},             // under 3 points of travel: still 3
        {222, 0.0, 20},
        {222, nan, 20},
        {222, -1, 20},
        {222, 0.08, 2 * 17.76 + 14},
        {222, inf, 222 + 14},  // at most half the pad's width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.travel);
        EXPECT_NEAR(Geometry::ringDiameter(c.width, c.travel), c.diameter, 1e-9);
    }
}

TEST(SensitivityPreviewGeometryTest, cornerZonesAreTheCornerSizeOfThePadEachTouchingItsCorner) {
    const QSizeF pad = Geometry::padSize(222);
    EXPECT_DOUBLE_EQ(pad.height(), 222 / 1.6);
    const auto zones = Geometry::cornerZones(pad, 0.15);
    const double w = 222 * 0.15, h = pad.height() * 0.15;
    const QRectF expected[] = {
        {0, 0, w, h}, {222 - w, 0, w, h}, {0, pad.height() - h, w, h}, {222 - w, pad.height() - h, w, h}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(zones[i].x(), expected[i].x(), 1e-9);
        EXPECT_NEAR(zones[i].y(), expected[i].y(), 1e-9);
        EXPECT_NEAR(zones[i].width(), w, 1e-9);
        EXPECT_NEAR(zones[i].height(), h, 1e-9);
    }
    for (double size : {0.0, -0.1, nan, inf}) {
        SCOPED_TRACE(size);
        for (const QRectF& zone : Geometry::cornerZones(pad, size)) EXPECT_TRUE(zone.isEmpty());
    }
    // A size beyond the pad draws the whole pad, no more.
    EXPECT_EQ(Geometry::cornerZones(pad, 3)[3], QRectF(QPointF(0, 0), pad));
}

TEST(SensitivityPreviewGeometryTest, barsStandForThreeSecondsAndAreNeverShorterThanEightPoints) {
    struct Case {
        double seconds, track, width;
    };
    const Case cases[] = {
        {3.0, 150, 150},                                 // fills the track
        {1.5, 150, 75},  {0.1, 150, 8},                  // 5 by the formula
        {0.0, 150, 8},   {nan, 150, 8}, {10, 150, 150},  // a hand-edited hold time stays inside the track
        {inf, 150, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_DOUBLE_EQ(Geometry::barFillWidth(c.seconds, c.track), c.width);
    }
}

TEST(SensitivityPreviewGeometryTest, theSettingInFocusTakesItsHighlightedLook) {
    EXPECT_EQ(Geometry::barHeight(0), 7);
    EXPECT_EQ(Geometry::barHeight(1), 10);
    EXPECT_DOUBLE_EQ(Geometry::barOpacity(0), 0.6);
    EXPECT_DOUBLE_EQ(Geometry::barOpacity(1), 1);
    EXPECT_DOUBLE_EQ(Geometry::ringFillOpacity(0), 0.15);
    EXPECT_DOUBLE_EQ(Geometry::ringFillOpacity(1), 0.3);
    EXPECT_DOUBLE_EQ(Geometry::zoneOpacity(0), 0.45);
    EXPECT_DOUBLE_EQ(Geometry::zoneOpacity(1), 0.85);
}

// ---- The trackpad tab's rules

Binding bound(Gesture gesture, Action action, bool enabled = true) {
    return Binding{Uuid::generate(), gesture, std::move(action), enabled, {}, std::nullopt};
}

TEST(TrackpadRulesTest, theGuideFollowsFingersUpToFiveAndKeepsTheLastNumberWhenTheyLift) {
    struct Case {
        int shown, touches, next;
    };
    const Case cases[] = {{3, 0, 3}, {3, 1, 1}, {1, 0, 1}, {3, 2, 2}, {2, 5, 5}, {3, 6, 5}, {5, 11, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.touches);
        EXPECT_EQ(TrackpadRules::shownFingers(c.shown, c.touches), c.next);
    }
    EXPECT_EQ(TrackpadRules::fingerWord(1), "finger");
    EXPECT_EQ(TrackpadRules::fingerWord(3), "fingers");
}

TEST(TrackpadRulesTest, guideRowsShowTheWinnerForEveryAppWithItsSourcesColour) {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    const AppConfig::Resolution packs = config.resolved();
    // The gestures of three fingers the pack binds for every app.
    std::optional<Gesture> packTap;
    for (const Gesture g : {Gesture::tap(3, 1), Gesture::tap(3, 2), Gesture::tap(3, 3), Gesture::hold(3)})
        if (packs.contains(g) && !packTap) packTap = g;
    ASSERT_TRUE(packTap) << "the everyday pack binds a three-finger gesture";
    config.bindings = {bound(Gesture::tap(3, 2), Action::media(MediaKey::next))};
    if (*packTap == Gesture::tap(3, 2))
        config.bindings.push_back(bound(Gesture::tap(3, 3), Action::media(MediaKey::next)));

    const auto rows = TrackpadRules::guideRows(config, 3);
    const char* labels[] = {"Tap", "Double tap", "Triple tap", "Hold"};
    const Gesture gestures[] = {Gesture::tap(3, 1), Gesture::tap(3, 2), Gesture::tap(3, 3), Gesture::hold(3)};
    const auto resolved = config.resolved();
    const std::optional<Pack> pack = config.pack("everyday-mac");
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(labels[i]);
        EXPECT_EQ(rows[i].label, labels[i]);
        EXPECT_EQ(rows[i].gesture, gestures[i]);
        const auto found = resolved.find(gestures[i]);
        if (found == resolved.end()) {
            EXPECT_FALSE(rows[i].entry);
            continue;
        }
        ASSERT_TRUE(rows[i].entry);
        EXPECT_EQ(rows[i].entry->action, displayName(found->second.action));
        EXPECT_EQ(rows[i].entry->dot, found->second.source.isMine() ? Theme::honey : PackStyle::accent(&*pack));
    }
    EXPECT_EQ(rows[1].entry->action, "Next track");
    EXPECT_EQ(rows[1].entry->dot, Theme::honey);

    // Switched off, nothing is bound.
    config.isEnabled = false;
    for (const FingerGuideRow& row : TrackpadRules::guideRows(config, 3)) EXPECT_FALSE(row.entry);
}

TEST(TrackpadRulesTest, aPacksEntryShowsThatPacksOwnColour) {
    Pack custom = Pack::newCustom({});
    custom.name = "Mine";
    custom.accent = 0x22AA44;
    custom.bindings = {bound(Gesture::tap(2, 1), Action::media(MediaKey::playPause))};
    AppConfig config;
    config.customPacks = {custom};
    config.enabledPacks = {custom.id};
    auto rows = TrackpadRules::guideRows(config, 2);
    ASSERT_TRUE(rows[0].entry);
    EXPECT_EQ(rows[0].entry->dot, PackStyle::accent(&custom));
    EXPECT_NE(rows[0].entry->dot, Theme::honey);
}

TEST(TrackpadRulesTest, theLastGestureCardSaysWhatRanWhereItCameFromAndWhatWentWrong) {
    Engine::Fired fired{Gesture::tap(3, 1), Action::media(MediaKey::playPause), "My shortcut", std::nullopt,
                        dateFromSecondsSince1970(5)};
    LastGestureCard card = TrackpadRules::card(fired);
    EXPECT_EQ(card, (LastGestureCard{"hand.tap", displayName(fired.gesture), "Play / Pause", "from My shortcut",
                                     std::nullopt}));
    fired.action.reset();
    fired.source.reset();
    fired.error = "Couldn't open /usr/bin/shortcuts";
    card = TrackpadRules::card(fired);
    EXPECT_EQ(card.action, "no action");
    EXPECT_FALSE(card.source);
    EXPECT_EQ(card.error, fired.error);

    EXPECT_EQ(TrackpadRules::symbol(Gesture::hold(2)), "hand.raised");
    EXPECT_EQ(TrackpadRules::symbol(Gesture::cornerTap(Gesture::Corner::topLeft)),
              "arrow.up.left.and.arrow.down.right");
}

// ---- The tabs on the simulated desktop

class SensitivityTabTest : public testing::AppModelFixture {
protected:
    SensitivityTabTest() {
        testing::qtApp();
        Motion::setInstant(true);
    }
    ~SensitivityTabTest() override {
        delete view;
        Motion::setInstant(false);
    }
    template <typename Tab>
    Tab& show(SettingsTab which) {
        if (!model) makeModel();
        sim.runUntilIdle();
        model->showSettings(which);
        view = new SettingsView(*model, SettingsContent::standard());
        view->resize(820, 580);
        view->show();
        auto* tab = qobject_cast<Tab*>(view->tabView());
        EXPECT_NE(tab, nullptr);
        return *tab;
    }
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    RecognizerConfig saved() const { return ConfigStore(configFile()).load().recognizer; }
    static void mouse(QWidget* widget, QEvent::Type type, double x) {
        const QPointF at(x, widget->height() / 2.0);
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    SettingsView* view = nullptr;
};

TEST_F(SensitivityTabTest, everyStepOfADragIsSavedAndTheEngineHoldsIt) {
    auto& tab = show<SensitivityTab>(SettingsTab::sensitivity);
    LiquidSlider* slider = tab.slider(3);  // "Allowed movement"
    const QRectF track = slider->trackRect();
    mouse(slider, QEvent::MouseButtonPress, track.left() + track.width() * 0.25);
    std::vector<float> seen;
    for (double f : {0.3, 0.5, 0.8}) {
        mouse(slider, QEvent::MouseMove, track.left() + track.width() * f);
        const float stored = saved().maxTravel;
        // Each step is in the file, narrowed to the field's 32 bits, and in force in the engine.
        EXPECT_EQ(stored, static_cast<float>(slider->value()));
        EXPECT_EQ(model->engine().config().get().recognizer.maxTravel, stored);
        seen.push_back(stored);
        settle();
        EXPECT_EQ(tab.valueText(3)->text(),
                  QString::fromStdString(SensitivityRules::valueText(SensitivityRules::rows()[3], double(stored))));
    }
    mouse(slider, QEvent::MouseButtonRelease, track.left() + track.width() * 0.8);
    EXPECT_LT(seen[0], seen[1]);
    EXPECT_LT(seen[1], seen[2]);
    // The other fields are untouched.
    EXPECT_EQ(saved().maxTapDuration, 0.3);
    EXPECT_EQ(saved().cornerSize, 0.15f);
}

TEST_F(SensitivityTabTest, theFirstChangeOfARowFocusesItsSettingAndAnotherRowMovesTheFocus) {
    auto& tab = show<SensitivityTab>(SettingsTab::sensitivity);
    EXPECT_FALSE(tab.focus());
    EXPECT_FALSE(tab.preview()->focus());
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(tab.valueText(i)->color(), Theme::inkMuted);

    tab.slider(3)->nudge(20);
    EXPECT_EQ(tab.focus(), SensitivityFocus::travel);
    EXPECT_EQ(tab.preview()->focus(), SensitivityFocus::travel);
    EXPECT_EQ(tab.valueText(3)->color(), Theme::ink);
    tab.slider(3)->nudge(20);
    EXPECT_EQ(tab.focus(), SensitivityFocus::travel);

    tab.slider(4)->nudge(-20);
    EXPECT_EQ(tab.focus(), SensitivityFocus::corner);
    EXPECT_EQ(tab.valueText(3)->color(), Theme::inkMuted);
    EXPECT_EQ(tab.valueText(4)->color(), Theme::ink);
    const auto shown = tab.preview()->shown();
    EXPECT_EQ(shown.highlight[std::size_t(SensitivityFocus::corner)], 1);
    EXPECT_EQ(shown.highlight[std::size_t(SensitivityFocus::travel)], 0);
}

TEST_F(SensitivityTabTest, aMoveOfTheFocusFadesTheValueTextsAndThePreviewWithTheSnappySpring) {
    auto& tab = show<SensitivityTab>(SettingsTab::sensitivity);
    ManualFrameClock clock(10);
    FrameClock::install(&clock);
    Motion::setInstant(false);
    const ColorEnvironment env = colorEnvironmentFor(tab.valueText(3));
    const QColor ink = Theme::ink.resolve(env);
    const QColor muted = Theme::inkMuted.resolve(env);
    ASSERT_NE(ink, muted);
    auto between = [](const QColor& a, const QColor& b, double p) {
        auto mix = [p](float x, float y) { return std::clamp(x + (y - x) * p, 0.0, 1.0); };
        return std::array<double, 4>{mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()),
                                     mix(a.alphaF(), b.alphaF())};
    };
    auto expectColor = [](const QColor& drawn, const std::array<double, 4>& want, const char* what, double t) {
        EXPECT_NEAR(drawn.redF(), want[0], 2e-4) << what << " at " << t;
        EXPECT_NEAR(drawn.greenF(), want[1], 2e-4) << what << " at " << t;
        EXPECT_NEAR(drawn.blueF(), want[2], 2e-4) << what << " at " << t;
        EXPECT_NEAR(drawn.alphaF(), want[3], 2e-4) << what << " at " << t;
    };

    tab.slider(3)->nudge(20);  // "Allowed movement" takes the focus
    clock.advance(2);
    EXPECT_EQ(tab.valueText(3)->drawnColor(), ink);
    tab.slider(4)->nudge(-20);  // and "Corner size" takes it over
    const auto travel = std::size_t(SensitivityFocus::travel);
    const auto corner = std::size_t(SensitivityFocus::corner);
    double elapsed = 0;
    for (double t : {0.04, 0.1, 0.25}) {
        clock.advance(t - elapsed);
        elapsed = t;
        const double p = evaluateSpring(Theme::snappy, 0, 1, 0, t).value;
        expectColor(tab.valueText(4)->drawnColor(), between(muted, ink, p), "the newly focused value", t);
        expectColor(tab.valueText(3)->drawnColor(), between(ink, muted, p), "the value that lost the focus", t);
        const auto shown = tab.preview()->shown();
        EXPECT_NEAR(shown.highlight[corner], p, 1e-9) << t;
        EXPECT_NEAR(shown.highlight[travel], 1 - p, 1e-9) << t;
    }
    clock.advance(2);
    EXPECT_EQ(tab.valueText(4)->drawnColor(), ink);
    EXPECT_EQ(tab.valueText(3)->drawnColor(), muted);
    EXPECT_EQ(tab.valueText(0)->drawnColor(), muted) << "values never in focus stay muted";

    // Under Reduce Motion the focus moves at once.
    sim.displaySettings().setReduceMotion(true);
    tab.slider(0)->nudge(20);
    EXPECT_EQ(tab.valueText(0)->drawnColor(), ink);
    EXPECT_EQ(tab.valueText(4)->drawnColor(), muted);
    const auto shown = tab.preview()->shown();
    EXPECT_EQ(shown.highlight[std::size_t(SensitivityFocus::tap)], 1);
    EXPECT_EQ(shown.highlight[corner], 0);
    FrameClock::install(nullptr);
}

// A new value glides there with the wobble spring, and is there at once under
// Reduce Motion, as the focus is.
TEST_F(SensitivityTabTest, thePreviewsValuesGlideUnlessMotionIsReduced) {
    struct Case {
        const char* name;
        bool reduceMotion;
    };
    for (const Case& c : {Case{"moving", false}, Case{"reduced", true}}) {
        ManualFrameClock clock(10);
        FrameClock::install(&clock);
        Motion::setInstant(false);
        sim.displaySettings().setReduceMotion(c.reduceMotion);
        SensitivityPreview preview;
        const RecognizerConfig from = preview.config();
        RecognizerConfig to = from;
        to.maxTapDuration = 0.9;
        to.maxTravel = 0.2f;
        preview.setConfig(to);
        const double t = 0.1;
        clock.advance(t);
        const double p = c.reduceMotion ? 1 : evaluateSpring(Theme::wobble, 0, 1, 0, t).value;
        ASSERT_LT(evaluateSpring(Theme::wobble, 0, 1, 0, t).value, 0.9) << "still on its way when moving";
        const auto shown = preview.shown();
        EXPECT_NEAR(shown.maxTapDuration, from.maxTapDuration + (0.9 - from.maxTapDuration) * p, 1e-9) << c.name;
        EXPECT_NEAR(shown.maxTravel, from.maxTravel + (double(0.2f) - from.maxTravel) * p, 1e-6) << c.name;
        EXPECT_EQ(shown.holdDuration, from.holdDuration) << c.name << ": an unchanged value stands";
        clock.advance(3);
        EXPECT_EQ(preview.shown().maxTapDuration, 0.9) << c.name;
        FrameClock::install(nullptr);
    }
}

TEST_F(SensitivityTabTest, resetRestoresAllSixDefaultsInOneAssignmentWithOneHaptic) {
    AppConfig config;
    config.recognizer = RecognizerConfig{0.8, 2.5, 0.07f, 0.02f, 0.5, 0.25f};
    config.enabledPacks = {"everyday-mac"};
    writeConfig(config);
    auto& tab = show<SensitivityTab>(SettingsTab::sensitivity);
    tab.slider(0)->nudge(10);  // a focus the reset leaves alone
    settle();
    const auto focus = tab.focus();
    const auto hapticsBefore = sim.haptics().performed().size();
    int assignments = 0;
    const auto token = model->engine().config().observe([&](const AppConfig&) { ++assignments; });

    tab.resetButton()->click();
    model->engine().config().unobserve(token);
    EXPECT_EQ(assignments, 1);
    EXPECT_EQ(saved(), (RecognizerConfig{0.3, 1.2, 0.03f, 0.06f, 0.25, 0.15f}));
    EXPECT_EQ(ConfigStore(configFile()).load().enabledPacks, config.enabledPacks);  // the rest is kept
    const auto haptics = sim.haptics().performed();
    ASSERT_EQ(haptics.size(), hapticsBefore + 1);
    EXPECT_EQ(haptics.back(), (sim::HapticFeedback{HapticPattern::alignment, HapticPerformanceTime::now}));
    EXPECT_EQ(tab.focus(), focus);
    settle();
    const char* texts[] = {"300 ms", "250 ms", "1200 ms", "3%", "15%"};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(tab.valueText(i)->text(), texts[i]);
    EXPECT_EQ(tab.preview()->config(), RecognizerConfig{});
}

TEST_F(SensitivityTabTest, theResetRollsTheValuesToTheDefaultsAndADragShowsThemAtOnce) {
    AppConfig config;
    config.recognizer.maxTapDuration = 0.5;
    writeConfig(config);
    auto& tab = show<SensitivityTab>(SettingsTab::sensitivity);
    Motion::setInstant(false);
    tab.slider(2)->nudge(30);
    EXPECT_FALSE(tab.valueText(2)->isRolling());
    tab.resetButton()->click();
    EXPECT_TRUE(tab.valueText(0)->isRolling());
    EXPECT_EQ(tab.valueText(0)->text(), "300 ms");
    EXPECT_FALSE(tab.valueText(1)->isRolling());  // it was at its default already
    sim.advance(3);
    settle();
    EXPECT_FALSE(tab.valueText(0)->isRolling());
}

TEST_F(SensitivityTabTest, storedValuesShowAsTheyAreAndFollowChangesFromElsewhere) {
    AppConfig config;
    config.recognizer.maxTapDuration = 2.0;  // beyond the slider's range, from a hand-edited file
    config.recognizer.cornerSize = 1e30f;
    writeConfig(config);
    auto& tab = show<SensitivityTab>(SettingsTab::sensitivity);
    EXPECT_EQ(tab.valueText(0)->text(), "2000 ms");
    EXPECT_EQ(tab.slider(0)->value(), 1.0);
    EXPECT_EQ(saved().maxTapDuration, 2.0);  // showing it wrote nothing back
    EXPECT_TRUE(tab.valueText(4)->text().endsWith("%"));
    // Each value text ends at its row's trailing edge, whatever its length.
    settle();
    for (std::size_t i = 0; i < 5; ++i) {
        const auto* text = tab.valueText(i);
        EXPECT_EQ(text->geometry().right() + 1, text->parentWidget()->width()) << i;
    }

    AppConfig changed = model->config();
    changed.recognizer.holdDuration = 2.5;
    model->setConfig(changed);
    settle();
    EXPECT_EQ(tab.valueText(2)->text(), "2500 ms");
    EXPECT_EQ(tab.slider(2)->value(), 2.5);
    EXPECT_EQ(tab.preview()->config().holdDuration, 2.5);
}

TEST_F(SensitivityTabTest, liveTouchesAppearOnThePadAndTheGuideAndLeaveOnLift) {
    auto& tab = show<TrackpadTab>(SettingsTab::trackpad);
    EXPECT_EQ(tab.pad()->fingerChip()->text(), "0 fingers");
    EXPECT_EQ(tab.guide()->countText(), "3");
    EXPECT_FALSE(tab.guide()->isLit());

    touchpad->deliver(TouchFrame{0, 1.0, testing::fingersDown(2)});
    sim.runUntilIdle();
    EXPECT_EQ(tab.pad()->input().touches.size(), 2u);
    EXPECT_EQ(tab.pad()->fingerChip()->text(), "2 fingers");
    EXPECT_EQ(tab.guide()->countText(), "2");
    EXPECT_EQ(tab.guide()->wordText(), "fingers");
    EXPECT_TRUE(tab.guide()->isLit());

    touchpad->deliver(TouchFrame{0, 1.1, testing::fingersDown(6)});
    sim.runUntilIdle();
    EXPECT_EQ(tab.pad()->fingerChip()->text(), "6 fingers");
    EXPECT_EQ(tab.guide()->countText(), "5");
    EXPECT_EQ(tab.guide()->rowLabel(0), "Tap");

    touchpad->deliver(TouchFrame{0, 1.2, testing::fingersDown(1)});
    sim.runUntilIdle();
    EXPECT_EQ(tab.pad()->fingerChip()->text(), "1 finger");
    EXPECT_EQ(tab.guide()->wordText(), "finger");

    touchpad->deliver(TouchFrame{0, 1.3, {}});
    sim.runUntilIdle();
    EXPECT_TRUE(tab.pad()->input().touches.empty());
    EXPECT_EQ(tab.pad()->fingerChip()->text(), "0 fingers");
    EXPECT_EQ(tab.guide()->countText(), "1");  // keeps the last number used
    EXPECT_FALSE(tab.guide()->isLit());

    // The window's own water gets no touches while this tab is shown: the pad has them.
    touchpad->deliver(TouchFrame{0, 1.4, testing::fingersDown(3)});
    sim.runUntilIdle();
    EXPECT_EQ(tab.pad()->fingers(), 3);
    auto* water = view->findChild<WaterLayer*>("water", Qt::FindDirectChildrenOnly);
    ASSERT_NE(water, nullptr);
    EXPECT_TRUE(water->input().touches.empty());
}

TEST_F(SensitivityTabTest, theGuideShowsWhatEachGestureDoesAndNothingWhileSwitchedOff) {
    AppConfig config;
    config.bindings = {testing::binding(Gesture::tap(3, 1), Action::media(MediaKey::playPause))};
    writeConfig(config);
    auto& tab = show<TrackpadTab>(SettingsTab::trackpad);
    EXPECT_EQ(tab.guide()->rowText(0), "Play / Pause");
    EXPECT_EQ(tab.guide()->rowDot(0), Theme::honey);
    EXPECT_EQ(tab.guide()->rowText(1), "Nothing yet");
    EXPECT_FALSE(tab.guide()->rowDot(1));

    AppConfig off = model->config();
    off.isEnabled = false;
    model->setConfig(off);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(tab.guide()->rowText(i), "Nothing yet");
}

TEST_F(SensitivityTabTest, aFiredGestureBringsItsCardAndEachNewOneANewCard) {
    AppConfig config;
    config.bindings = {testing::binding(Gesture::tap(3, 1), Action::media(MediaKey::playPause))};
    writeConfig(config);
    auto& tab = show<TrackpadTab>(SettingsTab::trackpad);
    QWidget* before = tab.lastGesture()->content();
    EXPECT_EQ(before->objectName(), "trackpad.noGesture");
    EXPECT_EQ(static_cast<ThemedText*>(before)->text(), TrackpadRules::noGestureText);

    tapFrames(2.0, 3);
    sim.runUntilIdle();
    QWidget* first = tab.lastGesture()->content();
    ASSERT_EQ(first->objectName(), "trackpad.lastGesture");
    EXPECT_EQ(first->findChild<ThemedText*>("trackpad.lastGesture.action")->text(), "Play / Pause");
    EXPECT_EQ(first->findChild<ThemedText*>("trackpad.lastGesture.source")->text(), "from My shortcut");
    EXPECT_EQ(first->findChild<ThemedText*>("trackpad.lastGesture.error"), nullptr);

    sim.advance(1);
    tapFrames(4.0, 3);
    sim.runUntilIdle();
    QWidget* second = tab.lastGesture()->content();
    EXPECT_NE(second, first);
    EXPECT_EQ(second->objectName(), "trackpad.lastGesture");
}

TEST_F(SensitivityTabTest, aRecordWithoutAnActionReadsNoActionAndAnErrorShowsUnderTheSource) {
    testing::qtApp();
    LastGestureArea area;
    area.resize(700, 100);
    area.show(std::optional<Engine::Fired>(
        Engine::Fired{Gesture::hold(2), std::nullopt, "Everyday", "It failed", dateFromSecondsSince1970(9)}));
    QWidget* card = area.content();
    EXPECT_EQ(card->findChild<ThemedText*>("trackpad.lastGesture.action")->text(), "no action");
    EXPECT_EQ(card->findChild<ThemedText*>("trackpad.lastGesture.source")->text(), "from Everyday");
    auto* error = card->findChild<ThemedText*>("trackpad.lastGesture.error");
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->text(), "It failed");
    EXPECT_EQ(error->color(), Theme::warning);
    EXPECT_LE(card->width(), LastGestureArea::maxCardWidth);
    EXPECT_EQ(card->geometry().center().x(), area.rect().center().x());
}

TEST_F(SensitivityTabTest, aNewCardGrowsInWhileTheOldOneLeaves) {
    Motion::setInstant(false);
    testing::qtApp();
    LastGestureArea area;
    area.resize(700, 100);
    area.QWidget::show();
    area.show(std::nullopt);
    EXPECT_FALSE(area.isTransitioning());
    area.show(std::optional<Engine::Fired>(
        Engine::Fired{Gesture::tap(2, 1), std::nullopt, std::nullopt, std::nullopt, dateFromSecondsSince1970(1)}));
    EXPECT_TRUE(area.isTransitioning());
    EXPECT_FALSE(area.content()->isVisible());  // its picture grows in first
    sim.advance(3);
    EXPECT_FALSE(area.isTransitioning());
    EXPECT_TRUE(area.content()->isVisible());
    // The same record again changes nothing.
    QWidget* shown = area.content();
    area.show(std::optional<Engine::Fired>(
        Engine::Fired{Gesture::tap(2, 1), std::nullopt, std::nullopt, std::nullopt, dateFromSecondsSince1970(1)}));
    EXPECT_EQ(area.content(), shown);
}

}  // namespace
}  // namespace velorin
