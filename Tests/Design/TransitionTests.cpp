// How views come and go (their look along the way, and the progress on the
// frame clock), a symbol's bounce, and the pill's swell.

#include "ControlFixture.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/SymbolBounce.h"
#include "Velorin/Design/Transition.h"

#include <vector>

namespace velorin {
namespace {

using test::ControlTest;
using Edge = Transition::Edge;

struct LookCase {
    const char* name;
    Transition transition;
    double progress;
    bool leaving;
    TransitionLook look;
};

TEST(TransitionTest, looksAlongTheWayInAndOut) {
    const Transition chipTitle{1, Edge::bottom, Edge::top};
    const std::vector<LookCase> cases = {
        {"a fade, gone", Transition::opacity(), 0, false, {0, 1, 0}},
        {"a fade, halfway", Transition::opacity(), 0.5, true, {0.5, 1, 0}},
        {"a scale from 0.6, gone", Transition::scaled(0.6), 0, false, {0, 0.6, 0}},
        {"a scale from 0.6, halfway", Transition::scaled(0.6), 0.5, false, {0.5, 0.8, 0}},
        {"a scale past its end: the opacity stops at 1", Transition::scaled(0.6), 1.05, false, {1, 1.02, 0}},
        {"from the bottom, a quarter in", Transition::moving(Edge::bottom), 0.25, false, {0.25, 1, 30}},
        {"to the bottom, a quarter out", Transition::moving(Edge::bottom), 0.75, true, {0.75, 1, 10}},
        {"a title coming up from below", chipTitle, 0.5, false, {0.5, 1, 20}},
        {"a title leaving upwards", chipTitle, 0.5, true, {0.5, 1, -20}},
        {"there", Transition::moving(Edge::bottom), 1, false, {1, 1, 0}},
    };
    for (const LookCase& c : cases) {
        const TransitionLook look = c.transition.lookAt(c.progress, 40, c.leaving);
        EXPECT_NEAR(look.opacity, c.look.opacity, 1e-9) << c.name;
        EXPECT_NEAR(look.scale, c.look.scale, 1e-9) << c.name;
        EXPECT_NEAR(look.dy, c.look.dy, 1e-9) << c.name;
    }
}

class PresentationTest : public ControlTest {};

TEST_F(PresentationTest, comesAlongItsSpringAndIsShownUntilItHasLeft) {
    int frames = 0;
    Presentation shown(false, [&] { ++frames; });
    EXPECT_FALSE(shown.isShown());
    const Spring spring{0.62, 0.84, 0};
    shown.set(true, Animation::spring(spring));
    EXPECT_TRUE(shown.isPresent());
    EXPECT_TRUE(shown.isShown());
    EXPECT_DOUBLE_EQ(shown.progress(), 0);
    clock.frameAt(100.1);
    EXPECT_NEAR(shown.progress(), evaluateSpring(spring, 0, 1, 0, 0.1).value, 1e-9);
    settle();
    EXPECT_DOUBLE_EQ(shown.progress(), 1);
    EXPECT_FALSE(shown.isMoving());
    EXPECT_GT(frames, 2);

    shown.set(false, Animation::spring(spring));
    clock.advance(0.1);
    EXPECT_TRUE(shown.isShown()) << "still on its way out";
    EXPECT_TRUE(shown.isLeaving());
    // Turned back midway it comes from where it stands.
    const double midway = shown.progress();
    shown.set(true, Animation::spring(spring));
    EXPECT_DOUBLE_EQ(shown.progress(), midway);
    shown.set(false, Animation::spring(spring));
    settle();
    EXPECT_FALSE(shown.isShown());
    EXPECT_DOUBLE_EQ(shown.progress(), 0);
}

TEST_F(PresentationTest, withoutAnAnimationOrUnderInstantMotionItIsThereAtOnce) {
    Presentation shown;
    shown.set(true, std::nullopt);
    EXPECT_DOUBLE_EQ(shown.progress(), 1);
    EXPECT_FALSE(shown.isMoving());
    Motion::setInstant(true);
    shown.set(false, Animation::spring(Theme::snappy));
    EXPECT_FALSE(shown.isShown());
    EXPECT_FALSE(clock.hasListeners());
}

TEST_F(PresentationTest, aSymbolBouncesFromEightyPercentUnlessMotionIsReduced) {
    SymbolBounce bounce;
    bounce.play();
    EXPECT_DOUBLE_EQ(bounce.scale(), SymbolBounce::start);
    clock.frameAt(100.1);
    EXPECT_NEAR(bounce.scale(), evaluateSpring(Theme::wobble, 0.8, 1, 0, 0.1).value, 1e-9);
    settle();
    EXPECT_DOUBLE_EQ(bounce.scale(), 1);
    sim.displaySettings().setReduceMotion(true);
    bounce.play();
    EXPECT_DOUBLE_EQ(bounce.scale(), 1);
    EXPECT_FALSE(bounce.isBouncing());
}

class PillSwellTest : public ControlTest {};

TEST_F(PillSwellTest, roomForTheSwellKeepsThePillItsSizeAndTheSwollenPillInsideTheButton) {
    PillButton plain("Save", true, &window);
    PillButton roomy("Save", true, &window);
    roomy.setSwellRoom(1.08);
    plain.resize(plain.sizeHint());
    roomy.resize(roomy.sizeHint());
    EXPECT_GT(roomy.sizeHint().width(), plain.sizeHint().width());
    EXPECT_GT(roomy.sizeHint().height(), plain.sizeHint().height());
    EXPECT_EQ(roomy.pillRect().size(), plain.pillRect().size());
    const QMarginsF m = roomy.swellMargins();
    EXPECT_EQ(roomy.sizeHint() - plain.sizeHint(), QSize(int(m.left() + m.right()), int(m.top() + m.bottom())));

    roomy.swellTo(1.08, std::nullopt);
    const QRectF drawn = roomy.drawnPillRect();
    EXPECT_NEAR(drawn.width(), roomy.pillRect().width() * 1.08, 1e-9);
    EXPECT_EQ(drawn.center(), roomy.pillRect().center());
    EXPECT_TRUE(QRectF(roomy.rect()).contains(drawn)) << "the swollen pill is cut off";
}

TEST_F(PillSwellTest, swellsAlongItsSpringAndBack) {
    PillButton pill("Save", true, &window);
    const Spring up{0.25, 0.45, 0};
    pill.swellTo(1.08, Animation::spring(up));
    EXPECT_DOUBLE_EQ(pill.swell(), 1);
    EXPECT_DOUBLE_EQ(pill.swellTarget(), 1.08);
    clock.frameAt(100.05);
    EXPECT_NEAR(pill.swell(), evaluateSpring(up, 1, 1.08, 0, 0.05).value, 1e-9);
    settle();
    EXPECT_DOUBLE_EQ(pill.swell(), 1.08);
    pill.swellTo(1, std::nullopt);
    EXPECT_DOUBLE_EQ(pill.swell(), 1);
}

}  // namespace
}  // namespace velorin
