#include "ControlFixture.h"
#include "Velorin/Design/LiquidTab.h"
#include "Velorin/Design/SymbolBounce.h"
#include "Velorin/Design/TabBar.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace velorin {
namespace {

using test::ControlTest;

TEST(TabBarItemsTest, sixTabsInOrderWithTheirTitlesSymbolsTipsAndKeys) {
    const auto items = TabBar::items();
    ASSERT_EQ(items.size(), 6u);
    const char* titles[] = {"Packs", "My Shortcuts", "Sensitivity", "Trackpad", "General", "About"};
    const char* symbols[] = {"square.stack.3d.up.fill", "hand.tap.fill", "slider.horizontal.3",
                             "rectangle.and.hand.point.up.left.fill", "gearshape.fill", "info.circle.fill"};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].tab, allSettingsTabs[i]);
        EXPECT_EQ(items[i].title, titles[i]);
        EXPECT_EQ(items[i].symbol, symbols[i]);
        EXPECT_EQ(TabBar::number(items[i].tab), int(i) + 1);
    }
    EXPECT_EQ(TabBar::toolTip(SettingsTab::shortcuts), QString::fromUtf8("My Shortcuts (\u23182)"));
    EXPECT_EQ(TabBar::toolTip(SettingsTab::packs), QString::fromUtf8("Packs (\u23181)"));
    EXPECT_EQ(TabBar::keyEquivalent(SettingsTab::trackpad), QKeySequence(QStringLiteral("Ctrl+4")));
}

class TabBarTest : public ControlTest {
protected:
    TabBarTest() {
        bar = new TabBar(&window);
        bar->move(10, 10);
        bar->resize(bar->sizeHint());
        window.resize(900, 200);
    }
    void showActive() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    TabBar* bar = nullptr;
};

TEST_F(TabBarTest, everyTabHasANamedButtonWithItsTitleAndTip) {
    for (const TabBarItem& item : TabBar::items()) {
        QAbstractButton* b = bar->button(item.tab);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), TabBar::title(item.tab));
        EXPECT_EQ(b->accessibleName(), TabBar::title(item.tab));
        EXPECT_EQ(b->toolTip(), TabBar::toolTip(item.tab));
    }
    EXPECT_EQ(bar->objectName(), QStringLiteral("tabBar"));
    EXPECT_EQ(bar->button(SettingsTab::general)->objectName(), QStringLiteral("tab.general"));
    EXPECT_NE(window.findChild<QAbstractButton*>(QStringLiteral("tab.about")), nullptr);
    EXPECT_EQ(bar->selection(), SettingsTab::packs);
    EXPECT_TRUE(bar->button(SettingsTab::packs)->isChecked());
}

TEST_F(TabBarTest, clickingATabSelectsItWithOneHapticAGlideAndASplash) {
    window.show();
    QSignalSpy changed(bar, &TabBar::selectionChanged);
    const QRectF from = bar->blobRect();
    QTest::mouseClick(bar->button(SettingsTab::sensitivity), Qt::LeftButton);
    EXPECT_EQ(bar->selection(), SettingsTab::sensitivity);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<SettingsTab>(), SettingsTab::sensitivity);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
    EXPECT_EQ(bar->splashes(), 1);
    EXPECT_TRUE(bar->button(SettingsTab::sensitivity)->isChecked());
    EXPECT_FALSE(bar->button(SettingsTab::packs)->isChecked());
    // The blob glides from the old tab to the new one with the wobble spring.
    EXPECT_TRUE(bar->isGliding());
    clock.advance(0.05);
    const QRectF between = bar->blobRect();
    EXPECT_GT(between.center().x(), from.center().x());
    EXPECT_LT(between.center().x(), QRectF(bar->button(SettingsTab::sensitivity)->geometry()).center().x());
    settle();
    EXPECT_FALSE(bar->isGliding());
    EXPECT_EQ(bar->blobRect(), QRectF(bar->button(SettingsTab::sensitivity)->geometry()));
}

TEST_F(TabBarTest, theSelectedTabDoesNothingWhenChosenAgain) {
    window.show();
    QSignalSpy changed(bar, &TabBar::selectionChanged);
    QTest::mouseClick(bar->button(SettingsTab::packs), Qt::LeftButton);
    bar->select(SettingsTab::packs);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(haptics().empty());
    EXPECT_EQ(bar->splashes(), 0);
    EXPECT_FALSE(bar->isGliding());
    EXPECT_TRUE(bar->button(SettingsTab::packs)->isChecked());
}

TEST_F(TabBarTest, ctrlAndANumberSelectThatTabAsAClickDoes) {
    showActive();
    QTest::keyClick(&window, Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(bar->selection(), SettingsTab::trackpad);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
    EXPECT_EQ(bar->splashes(), 1);
    QTest::keyClick(&window, Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
    QTest::keyClick(&window, Qt::Key_6, Qt::ControlModifier);
    EXPECT_EQ(bar->selection(), SettingsTab::about);

    // A sheet over the window turns them off.
    bar->setShortcutsEnabled(false);
    QTest::keyClick(&window, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(bar->selection(), SettingsTab::about);
    bar->setShortcutsEnabled(true);
    QTest::keyClick(&window, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(bar->selection(), SettingsTab::packs);
}

TEST_F(TabBarTest, aSelectionFromTheWindowMovesTheBlobAtOnceWithoutHapticOrSplash) {
    window.show();
    QSignalSpy changed(bar, &TabBar::selectionChanged);
    bar->setSelection(SettingsTab::general);
    bar->setSelection(SettingsTab::general);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(haptics().empty());
    EXPECT_EQ(bar->splashes(), 0);
    EXPECT_FALSE(bar->isGliding());
    EXPECT_EQ(bar->blobRect(), QRectF(bar->button(SettingsTab::general)->geometry()));
}

TEST_F(TabBarTest, theSpaceKeySelectsAFocusedTab) {
    bar->button(SettingsTab::about)->setFocus();
    QTest::keyClick(bar->button(SettingsTab::about), Qt::Key_Space);
    EXPECT_EQ(bar->selection(), SettingsTab::about);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
}

TEST(BlurTransitionTest, anActiveLookIsBlurredTransparentLowerAndSmaller) {
    const BlurTransition on{true};
    EXPECT_DOUBLE_EQ(on.blur(), 8);
    EXPECT_DOUBLE_EQ(on.opacity(), 0);
    EXPECT_EQ(on.offset(), QPointF(0, 10));
    EXPECT_DOUBLE_EQ(on.scale(), 0.985);
    const BlurTransition off{false};
    EXPECT_DOUBLE_EQ(off.blur(), 0);
    EXPECT_DOUBLE_EQ(off.opacity(), 1);
    EXPECT_EQ(off.offset(), QPointF(0, 0));
    EXPECT_DOUBLE_EQ(off.scale(), 1);
    const BlurTransition::Look half = BlurTransition::at(0.5);
    EXPECT_DOUBLE_EQ(half.blur, 4);
    EXPECT_DOUBLE_EQ(half.opacity, 0.5);
    EXPECT_EQ(BlurTransition::at(-0.2), BlurTransition::at(0));
}

class LiquidTabStackTest : public ControlTest {
protected:
    LiquidTabStackTest() {
        stack = new LiquidTabStack(&window);
        stack->resize(300, 200);
        first = new QLabel(QStringLiteral("first"));
        second = new QLabel(QStringLiteral("second"));
        stack->addPage(first);
        stack->addPage(second);
        window.resize(300, 200);
    }
    LiquidTabStack* stack = nullptr;
    QLabel* first = nullptr;
    QLabel* second = nullptr;
};

TEST_F(LiquidTabStackTest, theFirstPageShowsAndAChangeOutOfSightIsImmediate) {
    EXPECT_EQ(stack->currentIndex(), 0);
    EXPECT_EQ(stack->currentPage(), first);
    stack->setCurrentIndex(1);
    EXPECT_EQ(stack->currentPage(), second);
    EXPECT_FALSE(stack->isTransitioning());
    stack->setCurrentIndex(7);  // no such page
    EXPECT_EQ(stack->currentIndex(), 1);
}

TEST_F(LiquidTabStackTest, theOutgoingPageLeavesInATenthOfASecondWhileTheIncomingOneTakesItsAnimation) {
    window.show();
    QSignalSpy changed(stack, &LiquidTabStack::currentChanged);
    stack->setCurrentIndex(1, Animation::spring(Theme::wobble));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(stack->isTransitioning());
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(second->isVisible());  // drawn from its snapshot meanwhile
    clock.advance(LiquidTab::removalDuration);
    EXPECT_DOUBLE_EQ(stack->outgoingAmount(), 1);
    EXPECT_GT(stack->incomingAmount(), 0.01);
    settle();
    EXPECT_FALSE(stack->isTransitioning());
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
}

TEST_F(LiquidTabStackTest, underInstantMotionThePagesSwapAtOnce) {
    Motion::setInstant(true);
    window.show();
    stack->setCurrentPage(second);
    EXPECT_FALSE(stack->isTransitioning());
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
}

}  // namespace
}  // namespace velorin

namespace velorin {
namespace {

// The newly and the previously selected symbols bounce like every symbol;
// under Reduce Motion they stand still.
TEST_F(TabBarTest, bothSymbolsOfAChangeBounce_unlessMotionIsReduced) {
    window.show();
    for (bool reduced : {false, true}) {
        sim.displaySettings().setReduceMotion(reduced);
        const SettingsTab from = bar->selection();
        const SettingsTab to = from == SettingsTab::about ? SettingsTab::packs : SettingsTab::about;
        bar->select(to);
        const double start = reduced ? 1 : SymbolBounce::start;
        EXPECT_EQ(bar->symbolScale(to), start) << reduced;
        EXPECT_EQ(bar->symbolScale(from), start) << reduced;
        EXPECT_EQ(bar->symbolScale(SettingsTab::general), 1) << "the others stay";
        clock.advance(0.1);
        const double p = evaluateSpring(SymbolBounce::spring, 0, 1, 0, 0.1).value;
        EXPECT_NEAR(bar->symbolScale(to), reduced ? 1 : start + (1 - start) * p, 1e-9) << reduced;
        settle();
        EXPECT_EQ(bar->symbolScale(to), 1);
        EXPECT_EQ(bar->symbolScale(from), 1);
    }
}

TEST_F(TabBarTest, underReduceMotionTheBlobStillGlides) {
    sim.displaySettings().setReduceMotion(true);
    window.show();
    QTest::mouseClick(bar->button(SettingsTab::about), Qt::LeftButton);
    EXPECT_TRUE(bar->isGliding());
    EXPECT_EQ(bar->splashes(), 1);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
}

}  // namespace
}  // namespace velorin
