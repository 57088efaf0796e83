// The gesture studio offscreen, in a window with its sheet host, on the
// simulated desktop with the real engine: a two-finger tap recorded, a
// keystroke composed in the action popover, saved into My shortcuts and into
// a pack chosen in the target popover; listening that follows the window;
// and how its parts come and go on a manual frame clock.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

#include "QtTestApp.h"
#include "RecordingFixture.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Fade.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/ReadableOnWater.h"
#include "Velorin/Design/Spring.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/GestureStudio.h"
#include "Velorin/Editor/GestureStudioMotion.h"
#include "Velorin/Editor/GestureStudioRules.h"
#include "Velorin/Editor/GestureStudioSession.h"
#include "Velorin/SheetHost.h"
#include "Velorin/ThemedText.h"

namespace velorin {
namespace {

const Action mute = Action::media(MediaKey::mute);
const Action pressT = Action::keystroke(KeyCombo(17, KeyCombo::Modifiers::command));

class GestureStudioTest : public testing::RecordingFixture {
protected:
    GestureStudioTest() {
        testing::qtApp();
        Motion::setInstant(true);
        AppConfig config = AppConfig::starter();
        config.enabledPacks.clear();
        config.bindings = {testing::binding(Gesture::tap(4, 1), mute)};
        pack = Pack::newCustom({"com.c"});
        pack.name = "Gamma";
        config.savePack(pack);
        writeConfig(config);
        makeModel();
        sim.runUntilIdle();
    }
    ~GestureStudioTest() override {
        delete window;
        Motion::setInstant(false);
    }

    GestureStudio& open() {
        window = new QWidget;
        window->resize(820, 580);
        studio = new GestureStudio(
            *model, std::nullopt, [this] { ++closed; }, window);
        studio->setGeometry(28, 12, 764, 548);
        new SheetHost(window);
        window->show();
        QCoreApplication::processEvents();
        return *studio;
    }
    template <typename T = QWidget>
    T* part(const char* name) const {
        return window->findChild<T*>(name);
    }
    bool shows(const char* name) const { return part(name) && part(name)->isVisible(); }

    Pack pack;
    QWidget* window = nullptr;
    GestureStudio* studio = nullptr;
    int closed = 0;
};

TEST_F(GestureStudioTest, recordsATwoFingerTap_composesAKeystroke_andSavesIntoMyShortcuts) {
    auto& s = open();
    EXPECT_TRUE(s.session().isListening());
    EXPECT_TRUE(shows("studio.listening"));
    EXPECT_TRUE(shows("studio.hint"));
    EXPECT_FALSE(shows("studio.line"));

    tap(2);
    EXPECT_FALSE(shows("studio.listening"));
    EXPECT_TRUE(shows("studio.capsule"));
    EXPECT_TRUE(shows("studio.retry"));
    EXPECT_TRUE(shows("studio.line"));
    EXPECT_FALSE(shows("studio.hint"));
    EXPECT_EQ(part<QAbstractButton>("studio.actionChip")->text(), "Play / Pause");
    EXPECT_EQ(part<QAbstractButton>("studio.targetChip")->text(), "My shortcuts");

    // The action popover: the composer picks a keystroke; the popover closes a moment later.
    QTest::mouseClick(part<QAbstractButton>("studio.actionChip"), Qt::LeftButton);
    ASSERT_NE(s.actionPopover(), nullptr);
    ASSERT_NE(s.composer(), nullptr);
    s.composer()->choose(ActionComposer::Kind::keys);
    s.composer()->pick(pressT);
    EXPECT_EQ(s.session().action(), pressT);
    EXPECT_NE(s.actionPopover(), nullptr);
    sim.advance(0.4);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.actionPopover(), nullptr);
    EXPECT_EQ(part<QAbstractButton>("studio.actionChip")->text(), "Press \u2318T");

    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    EXPECT_TRUE(shows("studio.saved"));
    const auto& bindings = model->config().bindings;
    ASSERT_EQ(bindings.size(), 2u);
    EXPECT_EQ(bindings[1].gesture, Gesture::tap(2, 1));
    EXPECT_EQ(bindings[1].action, pressT);
    EXPECT_TRUE(bindings[1].apps.empty());
    QTest::keyClick(&s, Qt::Key_Return);  // Save again on the "Saved" card: nothing more
    EXPECT_EQ(model->config().bindings.size(), 2u);
    sim.advance(1);
    EXPECT_EQ(closed, 1);
}

TEST_F(GestureStudioTest, targetPopover_choosesAPackThatIsOff_andSavingSwitchesItOn) {
    auto& s = open();
    tap(3);
    QTest::mouseClick(part<QAbstractButton>("studio.targetChip"), Qt::LeftButton);
    ASSERT_NE(s.targetPopover(), nullptr);
    QAbstractButton* row = nullptr;
    for (auto* candidate : s.targetPopover()->findChildren<QAbstractButton*>("studio.target")) {
        if (candidate->property("packID").toString().toStdString() == pack.id) row = candidate;
    }
    ASSERT_NE(row, nullptr);
    const auto texts = row->findChildren<ThemedText*>();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1]->text(), "Pack, off: saving turns it on");
    QTest::mouseClick(row, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.targetPopover(), nullptr);
    EXPECT_EQ(part<QAbstractButton>("studio.targetChip")->text(), "Gamma");

    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    EXPECT_TRUE(model->config().isPackEnabled(pack.id));
    ASSERT_EQ(model->config().shortcuts(pack.id).size(), 1u);
    EXPECT_EQ(model->config().shortcuts(pack.id)[0].gesture, Gesture::tap(3, 1));
    EXPECT_EQ(model->config().shortcuts(pack.id)[0].apps, (std::vector<std::string>{"com.c"}));
    EXPECT_EQ(model->config().bindings.size(), 1u);
}

TEST_F(GestureStudioTest, saveWithAnIncompleteAction_opensTheActionPopover) {
    auto& s = open();
    tap(2);
    s.session().setAction(Action::openApp(""));
    EXPECT_EQ(part<QAbstractButton>("studio.actionChip")->text(), "Choose\u2026");
    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    EXPECT_NE(s.actionPopover(), nullptr);
    EXPECT_EQ(model->config().bindings.size(), 1u);
}

TEST_F(GestureStudioTest, listening_followsTheWindow) {
    auto& s = open();
    window->hide();
    EXPECT_FALSE(s.session().isListening());
    tap(4);
    EXPECT_TRUE(ran(mute)) << "a hidden studio swallowed the gesture";
    window->show();
    EXPECT_TRUE(s.session().isListening());
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(s.session().isListening());
    window->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(s.session().isListening());

    // The close button gives the request back and closes.
    QTest::mouseClick(part<QAbstractButton>("studio.close"), Qt::LeftButton);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(s.session().isListening());
}

// --- Motion ---

using Motions = GestureStudioMotion;

// The listening call is white on the pad; right around its letters it must
// stand off from the pad's pale floor as well as from the dark one.
TEST(GestureStudioListeningTest, theCallStandsOffThePadInBothThemes) {
    testing::qtApp();
    const QString text = QString::fromUtf8(GestureStudioRules::listeningText);
    const QFont font = Fonts::system(15, QFont::DemiBold);
    const QSizeF box(QFontMetricsF(font).horizontalAdvance(text) + 2, QFontMetricsF(font).height());
    auto luminance = [](const QColor& c) {
        auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    for (bool dark : {false, true}) {
        const ColorEnvironment env{dark ? Appearance::dark : Appearance::light};
        for (ThemeColor floor : {Theme::milk, Theme::warmWhite}) {
            const QImage call = HaloText::image(text, font, box, Qt::AlignCenter, QColor::fromRgbF(1, 1, 1, 0.9f),
                                                Qt::black, 1, GestureStudioRules::listeningShadow(dark));
            QImage onPad(call.size(), QImage::Format_ARGB32);
            onPad.fill(floor.resolve(env));
            QPainter(&onPad).drawImage(0, 0, call);
            double darkest = 1;
            for (int y = 0; y < onPad.height(); ++y) {
                for (int x = 0; x < onPad.width(); ++x) darkest = std::min(darkest, luminance(onPad.pixelColor(x, y)));
            }
            const double contrast = (luminance(QColor::fromRgbF(0.9f, 0.9f, 0.9f)) + 0.05) / (darkest + 0.05);
            EXPECT_GE(contrast, 4.5) << (dark ? "dark" : "light") << " on " << floor.resolve(env).name().toStdString();
        }
    }
}

TEST(GestureStudioMotionRulesTest, saveSwellsQuicklyAndSettlesBackCalmer) {
    EXPECT_EQ(Motions::swell(true), (Motions::Swell{1.08, Spring{0.25, 0.45, 0}}));
    EXPECT_EQ(Motions::swell(false), (Motions::Swell{1, Spring{0.35, 0.6, 0}}));
}

struct ClashMotionCase {
    const char* name;
    bool gesture;
    bool target;
    bool reduce;
    std::optional<Animation> motion;
};

TEST(GestureStudioMotionRulesTest, theClashWarningMovesWithWhatBroughtIt) {
    const std::vector<ClashMotionCase> cases = {
        {"a new gesture", true, false, false, Animation::spring(Motions::flow)},
        {"a new gesture and target", true, true, false, Animation::spring(Motions::flow)},
        {"a new target", false, true, false, Animation::spring(Motions::choiceSpring)},
        {"the configuration alone", false, false, false, std::nullopt},
        {"a new gesture under Reduce Motion", true, false, true, std::nullopt},
        {"a new target under Reduce Motion", false, true, true, std::nullopt},
    };
    for (const ClashMotionCase& c : cases) {
        EXPECT_EQ(Motions::clashMotion(c.gesture, c.target, c.reduce), c.motion) << c.name;
    }
    EXPECT_EQ(Motions::moving(Motions::savedSpring, true), std::nullopt);
}

// The studio on a manual frame clock: time for the engine and its delays
// moves with the simulated desktop, frames only when the test says so.
class GestureStudioMotionTest : public GestureStudioTest {
protected:
    GestureStudioMotionTest() {
        Motion::setInstant(false);
        FrameClock::install(&clock);
    }
    ~GestureStudioMotionTest() override {
        // The studio's animations leave the clock before it goes.
        delete window;
        window = nullptr;
        FrameClock::install(nullptr);
    }
    // The caught gesture, its parts at rest.
    GestureStudio& caught() {
        auto& s = open();
        tap(2);
        clock.advance(3);
        return s;
    }
    PillButton* save() const { return part<PillButton>("studio.save"); }

    ManualFrameClock clock{0};
};

TEST_F(GestureStudioMotionTest, aCaughtGestureGrowsOnThePadAndTheLineComesUpFromBelow) {
    auto& s = open();
    EXPECT_EQ(s.look(GestureStudio::Part::listening), TransitionLook{}) << "the first drawing stands";
    tap(2);
    using Part = GestureStudio::Part;
    EXPECT_EQ(s.look(Part::capsule), (TransitionLook{0, 0.6, 0}));
    EXPECT_TRUE(shows("studio.capsule"));
    EXPECT_TRUE(shows("studio.listening")) << "the listening mark fades out";
    QWidget* slot = part("studio.lineSlot");
    QWidget* line = part("studio.line");
    QCoreApplication::processEvents();
    EXPECT_EQ(line->geometry(), slot->geometry().translated(0, slot->height()));

    clock.frameAt(0.1);
    const double p = evaluateSpring(Motions::flow, 0, 1, 0, 0.1).value;
    EXPECT_NEAR(s.look(Part::capsule).scale, 0.6 + 0.4 * p, 1e-9);
    EXPECT_NEAR(s.look(Part::capsule).opacity, p, 1e-9);
    EXPECT_NEAR(fadeOf(part("studio.capsule")), p, 1e-9);
    EXPECT_NEAR(s.look(Part::listening).opacity, 1 - p, 1e-9);
    EXPECT_NEAR(s.look(Part::retry).opacity, p, 1e-9);
    EXPECT_NEAR(s.look(Part::line).dy, slot->height() * (1 - p), 1e-9);
    EXPECT_EQ(line->y(), slot->y() + int(std::lround(slot->height() * (1 - p))));
    EXPECT_NEAR(fadeOf(part("studio.actionChip")), p, 1e-9) << "the line's chips fade with it";

    clock.advance(3);
    EXPECT_FALSE(shows("studio.listening"));
    EXPECT_FALSE(shows("studio.hint"));
    EXPECT_EQ(s.look(Part::capsule), TransitionLook{});
    EXPECT_EQ(line->geometry(), slot->geometry());
    EXPECT_DOUBLE_EQ(fadeOf(part("studio.save")), 1);

    // Again: the line goes back down, the hint comes back.
    QTest::mouseClick(part<QAbstractButton>("studio.retry"), Qt::LeftButton);
    clock.frameAt(clock.now() + 0.1);
    EXPECT_NEAR(s.look(Part::line).dy, slot->height() * p, 1e-9);
    EXPECT_NEAR(s.look(Part::hint).opacity, p, 1e-9);
    EXPECT_TRUE(shows("studio.line"));
    clock.advance(3);
    EXPECT_FALSE(shows("studio.line"));
    EXPECT_FALSE(shows("studio.capsule"));
    EXPECT_TRUE(shows("studio.hint"));
}

TEST_F(GestureStudioMotionTest, saveSwellsWhenATargetIsChosenAndShrinksBackAfterTheDelay) {
    auto& s = caught();
    const double start = clock.now();
    s.session().chooseTarget(pack.id);
    EXPECT_DOUBLE_EQ(save()->swellTarget(), 1.08);
    clock.frameAt(start + 0.05);
    EXPECT_NEAR(save()->swell(), evaluateSpring(Motions::swellSpring, 1, 1.08, 0, 0.05).value, 1e-9);
    clock.frameAt(start + 0.22);
    const SpringState atTurn = evaluateSpring(Motions::swellSpring, 1, 1.08, 0, 0.22);
    sim.advance(0.22);
    EXPECT_DOUBLE_EQ(save()->swellTarget(), 1);
    // Back from where it stood, with the speed it had.
    clock.frameAt(start + 0.3);
    EXPECT_NEAR(save()->swell(), evaluateSpring(Motions::unswellSpring, atTurn.value, 1, atTurn.velocity, 0.08).value,
                1e-9);
    clock.advance(3);
    EXPECT_DOUBLE_EQ(save()->swell(), 1);

    // The target chip's new title comes up from below.
    s.session().chooseTarget(std::nullopt);
    const double h = s.chipTitleLook(GestureStudio::Chip::target).dy;
    EXPECT_GT(h, 10);
    EXPECT_DOUBLE_EQ(s.chipTitleLook(GestureStudio::Chip::target).opacity, 0);
    clock.advance(3);
    EXPECT_EQ(s.chipTitleLook(GestureStudio::Chip::target), TransitionLook{});
}

TEST_F(GestureStudioMotionTest, theSavedCardGrowsInAndItsCheckBounces) {
    auto& s = caught();
    const double start = clock.now();
    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    using Part = GestureStudio::Part;
    EXPECT_TRUE(shows("studio.saved"));
    EXPECT_EQ(s.look(Part::saved), (TransitionLook{0, 0.6, 0}));
    EXPECT_DOUBLE_EQ(s.savedCheckScale(), 0.8);
    clock.frameAt(start + 0.1);
    const double p = evaluateSpring(Motions::savedSpring, 0, 1, 0, 0.1).value;
    EXPECT_NEAR(s.look(Part::saved).scale, 0.6 + 0.4 * p, 1e-9);
    EXPECT_NEAR(fadeOf(part("studio.saved")), p, 1e-9);
    EXPECT_NEAR(s.savedCheckScale(), evaluateSpring(Theme::wobble, 0.8, 1, 0, 0.1).value, 1e-9);
    clock.advance(3);
    EXPECT_EQ(s.look(Part::saved), TransitionLook{});
    EXPECT_DOUBLE_EQ(s.savedCheckScale(), 1);
}

TEST_F(GestureStudioMotionTest, underReduceMotionEveryChangeIsThereAtOnce) {
    sim.displaySettings().setReduceMotion(true);
    auto& s = open();
    tap(2);
    using Part = GestureStudio::Part;
    EXPECT_FALSE(shows("studio.listening"));
    EXPECT_FALSE(shows("studio.hint"));
    for (Part part : {Part::capsule, Part::retry, Part::line}) EXPECT_EQ(s.look(part), TransitionLook{});
    QCoreApplication::processEvents();
    EXPECT_EQ(part("studio.line")->geometry(), part("studio.lineSlot")->geometry());
    s.session().chooseTarget(pack.id);
    EXPECT_DOUBLE_EQ(save()->swell(), 1.08);
    EXPECT_EQ(s.chipTitleLook(GestureStudio::Chip::target), TransitionLook{});
    sim.advance(0.22);
    EXPECT_DOUBLE_EQ(save()->swell(), 1);
    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    EXPECT_EQ(s.look(Part::saved), TransitionLook{});
    EXPECT_DOUBLE_EQ(s.savedCheckScale(), 1);
}

// The call under the listening mark casts its dark shadow, inside the mark's own bounds.
TEST_F(GestureStudioTest, theListeningCallCastsASoftDarkShadow) {
    open();
    QWidget* listening = part("studio.listening");
    const QColor grey(128, 128, 128);
    QImage image(listening->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(grey);
    listening->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    auto darkest = [&](int y) {
        int gray = 255;
        for (int x = 0; x < image.width(); ++x) gray = std::min(gray, qGray(image.pixel(x, y)));
        return gray;
    };
    auto brightest = [&](int y) {
        int gray = 0;
        for (int x = 0; x < image.width(); ++x) gray = std::max(gray, qGray(image.pixel(x, y)));
        return gray;
    };
    // The white text's rows, below the ring.
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (brightest(y) <= 220) continue;
        if (top < 0) top = y;
        bottom = y;
    }
    ASSERT_GE(top, 0) << "no white call";
    EXPECT_LT(darkest(top - 2), 128 - 10) << "no shadow above the text";
    EXPECT_LT(darkest(bottom + 1), 128 - 10) << "no shadow below the text";
    // It dies away inside the mark's bounds instead of being cut at their edge.
    EXPECT_GE(darkest(0), 126);
    EXPECT_GE(darkest(image.height() - 1), 126);
}

}  // namespace
}  // namespace velorin
