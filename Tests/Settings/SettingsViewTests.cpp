// The settings window's view on the simulated desktop with the real engine:
// the layers and the water's feed (through a recording surface), the tab
// switch, the studio slot, the sheets that block the tabs, the save notice.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QAbstractButton>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Settings/SaveNotice.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/SettingsWindowWidget.h"
#include "Velorin/SheetHost.h"

namespace velorin {
namespace {

class RecordingWater : public QWidget, public WaterSurface {
public:
    using QWidget::QWidget;
    void update(const WaterInput& input) override { inputs.push_back(input); }
    const WaterInput& last() const { return inputs.back(); }
    std::vector<WaterInput> inputs;
};

class SettingsViewTest : public testing::AppModelFixture {
protected:
    SettingsViewTest() {
        testing::qtApp();
        Motion::setInstant(true);
    }
    ~SettingsViewTest() override {
        delete view;
        Motion::setInstant(false);
    }

    SettingsContent content() {
        SettingsContent c;
        c.water = [this](QWidget* parent) {
            water = new RecordingWater(parent);
            return WaterSlot{water, water};
        };
        c.tabs[SettingsTab::general] = [this](AppModel&, QWidget* parent) {
            ++generalBuilt;
            auto* tab = new QWidget(parent);
            new QPushButton("Inside", tab);
            return tab;
        };
        c.studio = [this](AppModel&, std::function<void()> done, QWidget* parent) {
            studioDone = std::move(done);
            ++studiosBuilt;
            return new QWidget(parent);
        };
        return c;
    }

    SettingsView& makeView() {
        makeModel();
        model->engine().setShowsLiveTouches(true);
        view = new SettingsView(*model, content());
        view->resize(820, 580);
        return *view;
    }

    // Touches down on the pad at frame time t, through the real engine.
    void touch(double t, int fingers) {
        touchpad->deliver(TouchFrame{0, t, testing::fingersDown(fingers)});
        sim.runUntilIdle();
    }

    SettingsView* view = nullptr;
    RecordingWater* water = nullptr;
    int generalBuilt = 0;
    int studiosBuilt = 0;
    std::function<void()> studioDone;
};

TEST_F(SettingsViewTest, seeThroughDefault_followsAtOnce_andReduceTransparencyWins) {
    auto& v = makeView();
    EXPECT_EQ(v.layers(), (WindowLayers{Backdrop::fill, 1}));
    EXPECT_EQ(water->last().opacity, 1);

    sim.defaults().set("windowSeeThrough", PropertyValue(0.8));
    EXPECT_EQ(v.layers(), (WindowLayers{Backdrop::desktop, 1 - 0.6}));
    EXPECT_DOUBLE_EQ(water->last().opacity, 0.4);

    sim.displaySettings().setReduceTransparency(true);
    EXPECT_EQ(v.layers(), (WindowLayers{Backdrop::fill, 1}));
    EXPECT_EQ(water->last().opacity, 1);
    sim.displaySettings().setReduceTransparency(false);

    sim.defaults().set("windowSeeThrough", PropertyValue(std::string("nan")));
    EXPECT_EQ(v.layers(), (WindowLayers{Backdrop::fill, 1}));
}

TEST_F(SettingsViewTest, water_getsTouchesAndSplashes_exceptOnTheTrackpadTabAndUnderTheStudio) {
    auto& v = makeView();
    (void)v;
    model->selectedTab.set(SettingsTab::general);
    touch(1.0, 3);
    EXPECT_EQ(water->last().touches.size(), 3u);

    model->selectedTab.set(SettingsTab::trackpad);
    EXPECT_TRUE(water->last().touches.empty());
    touch(1.1, 2);
    EXPECT_TRUE(water->last().touches.empty());

    model->selectedTab.set(SettingsTab::about);
    EXPECT_EQ(water->last().touches.size(), 2u);
    model->studioOpen.set(true);
    EXPECT_TRUE(water->last().touches.empty());
    EXPECT_FALSE(water->last().fired);
    model->studioOpen.set(false);
    EXPECT_EQ(water->last().touches.size(), 2u);
}

TEST_F(SettingsViewTest, firedGesture_splashesTheWater_andPacksColourTheFloor) {
    AppConfig config;
    config.bindings = {testing::binding(Gesture::tap(3, 1), Action::media(MediaKey::mute))};
    config.enabledPacks = {};
    writeConfig(config);
    auto& v = makeView();
    (void)v;
    model->selectedTab.set(SettingsTab::general);
    EXPECT_FALSE(water->last().fired);
    EXPECT_TRUE(water->last().blobs.empty());

    tapFrames(2.0, 3);
    sim.advance(1);
    ASSERT_TRUE(model->engine().lastFired().get());
    EXPECT_EQ(water->last().fired, model->engine().lastFired().get()->date);

    AppConfig changed = model->config();
    changed.setPack("everyday-mac", true);
    model->setConfig(changed);
    EXPECT_EQ(water->last().blobs.size(), 1u);
    EXPECT_EQ(water->last().blobs[0].id, "everyday-mac");
}

TEST_F(SettingsViewTest, tabSwitch_replacesTheView_andAnUnfilledTabIsEmpty) {
    auto& v = makeView();
    model->selectedTab.set(SettingsTab::general);
    QPointer<QWidget> general = v.tabView();
    EXPECT_EQ(generalBuilt, 1);
    model->selectedTab.set(SettingsTab::packs);
    EXPECT_EQ(v.shownTab(), SettingsTab::packs);
    EXPECT_EQ(v.tabView()->objectName(), "tabView.packs");
    EXPECT_TRUE(v.tabView()->children().isEmpty());  // no invented content
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(general.isNull());
    model->selectedTab.set(SettingsTab::general);
    EXPECT_EQ(generalBuilt, 2);  // a new view: its own state starts over
}

TEST_F(SettingsViewTest, tabBarAndKeys_selectTabs) {
    auto& v = makeView();
    v.show();
    QApplication::setActiveWindow(&v);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    v.findChild<QAbstractButton*>("tab.about")->click();
    EXPECT_EQ(model->selectedTab.get(), SettingsTab::about);
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(&v, Qt::Key(Qt::Key_1 + i), Qt::ControlModifier);
        EXPECT_EQ(model->selectedTab.get(), allSettingsTabs[std::size_t(i)]);
    }
}

TEST_F(SettingsViewTest, openSheet_blocksTheTabBarAndItsKeys_untilDismissed) {
    auto& v = makeView();
    v.show();
    QApplication::setActiveWindow(&v);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    model->selectedTab.set(SettingsTab::general);
    QWidget* tab = v.tabView();
    SheetHost* host = SheetHost::of(tab->findChild<QPushButton*>());
    ASSERT_EQ(host, &v.sheets());
    int dismissRequests = 0;
    auto* sheet = new QPushButton("Sheet");
    QSignalSpy presenting(host, &SheetHost::presentingChanged);
    host->present(sheet, [&] { ++dismissRequests; });
    EXPECT_EQ(presenting.count(), 1);

    QTest::keyClick(&v, Qt::Key_6, Qt::ControlModifier);
    v.findChild<QAbstractButton*>("tab.about")->click();
    QTest::mouseClick(v.findChild<QAbstractButton*>("tab.packs"), Qt::LeftButton);
    EXPECT_EQ(model->selectedTab.get(), SettingsTab::general);
    EXPECT_EQ(v.tabView(), tab);

    // The menu choosing a tab meanwhile waits for the sheet to close.
    model->selectedTab.set(SettingsTab::about);
    EXPECT_EQ(v.tabView(), tab);

    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_EQ(dismissRequests, 1);  // asked, not closed: the presenter decides
    EXPECT_TRUE(host->isPresenting());
    host->dismiss(sheet);
    EXPECT_FALSE(host->isPresenting());
    EXPECT_EQ(v.shownTab(), SettingsTab::about);
    QTest::keyClick(&v, Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(model->selectedTab.get(), SettingsTab::general);
}

TEST_F(SettingsViewTest, aSheetDeletedWithoutDismissal_stopsBlockingTheWindow) {
    auto& v = makeView();
    v.show();
    QApplication::setActiveWindow(&v);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    SheetHost& host = v.sheets();
    auto* sheet = new QPushButton("Sheet");
    QSignalSpy presenting(&host, &SheetHost::presentingChanged);
    host.present(sheet, [] {});
    ASSERT_TRUE(host.isPresenting());
    delete sheet;
    EXPECT_FALSE(host.isPresenting());
    ASSERT_EQ(presenting.count(), 2);
    EXPECT_FALSE(presenting.last().at(0).toBool());
    EXPECT_FALSE(host.isVisible());
    QTest::keyClick(&v, Qt::Key_6, Qt::ControlModifier);
    EXPECT_EQ(model->selectedTab.get(), SettingsTab::about);
}

// A sheet of one colour and a given size.
class Card : public QWidget {
public:
    Card(QSize size, QColor colour) : size_(size), colour_(colour) {}
    QSize sizeHint() const override { return size_; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QSize size_;
    QColor colour_;
};

// A glow in pure red reaching 40 points beyond its host.
class Glow final : public OverlayEffect {
public:
    using OverlayEffect::OverlayEffect;
    QRectF area() const override { return QRectF(QPointF(0, 0), host()->size()).adjusted(-40, -40, 40, 40); }
    void paint(QPainter& painter) override { painter.fillRect(area(), Qt::red); }
};

TEST_F(SettingsViewTest, aSheetOverASheet_dimsTheOneBeneath_andNothingOfItShowsThrough) {
    auto& v = makeView();
    v.show();
    QApplication::setActiveWindow(&v);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    SheetHost& host = v.sheets();
    auto* below = new Card(QSize(500, 400), Qt::green);
    auto* lit = new QWidget(below);  // something on the lower sheet that glows
    lit->setGeometry(230, 180, 40, 40);
    host.present(below, [] {});
    Glow glow(lit);
    glow.refresh();
    auto colourAt = [&](QPoint p) { return v.grab().toImage().pixelColor(p); };
    const QPoint centre = v.rect().center();
    const QPoint edgeOfBelow = below->mapTo(&v, QPoint(10, 10));
    ASSERT_EQ(colourAt(centre), QColor(Qt::red)) << "the glow shows on its own sheet";
    const QColor lowerAlone = colourAt(edgeOfBelow);
    ASSERT_EQ(lowerAlone, QColor(Qt::green));

    auto* above = new Card(QSize(300, 240), Qt::blue);
    host.present(above, [] {});
    EXPECT_EQ(colourAt(centre), QColor(Qt::blue)) << "the lower sheet's glow must not shine through";
    const QColor dimmed = colourAt(edgeOfBelow);
    EXPECT_LT(dimmed.green(), lowerAlone.green() - 30) << "the lower sheet is dimmed as the window is";

    // A popover leaves the sheet it points at undimmed.
    host.dismiss(above);
    auto* popover = new Card(QSize(120, 60), Qt::blue);
    host.presentPopover(popover, lit, [] {});
    EXPECT_EQ(colourAt(edgeOfBelow), lowerAlone);
    host.dismiss(popover);
    EXPECT_EQ(colourAt(centre), QColor(Qt::red));
    EXPECT_EQ(colourAt(edgeOfBelow), lowerAlone);
}

TEST_F(SettingsViewTest, studio_coversTheContent_aNewOneEachTime_closedByDone) {
    auto& v = makeView();
    model->studioOpen.set(true);
    ASSERT_NE(v.studio(), nullptr);
    EXPECT_EQ(studiosBuilt, 1);
    EXPECT_FALSE(v.contentLayer()->isEnabled());
    EXPECT_FALSE(v.contentLayer()->isVisible());
    EXPECT_EQ(v.studio()->geometry(), QRect(28, 12, 820 - 56, 580 - 32));

    studioDone();
    EXPECT_FALSE(model->studioOpen.get());
    EXPECT_TRUE(v.contentLayer()->isEnabled());
    EXPECT_EQ(v.studio(), nullptr);
    model->studioOpen.set(true);
    EXPECT_EQ(studiosBuilt, 2);
}

TEST_F(SettingsViewTest, saveNotice_appearsWithTheModelsError_andLeavesWhenCleared) {
    auto& v = makeView();
    v.show();
    SaveNotice& notice = v.notice();
    EXPECT_FALSE(notice.isShowing());
    EXPECT_TRUE(notice.isHidden());

    // A save where a folder stands in the file's place fails.
    std::filesystem::remove_all(folder / "Velorin");
    std::filesystem::create_directories(configFile());
    AppConfig changed = model->config();
    changed.isEnabled = false;
    model->setConfig(changed);
    std::filesystem::remove_all(configFile());
    ASSERT_TRUE(model->saveError.get());
    EXPECT_TRUE(notice.isShowing());
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.text(), QString::fromStdString(*model->saveError.get()));
    EXPECT_TRUE(notice.text().startsWith("Couldn't save settings: "));
    EXPECT_EQ(notice.geometry().bottom(), 580 - 1 - SaveNotice::bottomSpace);
    EXPECT_EQ(notice.geometry().left(), (820 - notice.width()) / 2);

    model->setConfig(changed);
    EXPECT_FALSE(model->saveError.get());
    EXPECT_FALSE(notice.isShowing());
    EXPECT_TRUE(notice.isHidden());
}

TEST_F(SettingsViewTest, saveNotice_slidesUpWithTheWobble) {
    Motion::setInstant(false);
    ManualFrameClock clock;
    FrameClock::install(&clock);
    auto& v = makeView();
    v.show();
    model->saveError.set("Launch at login: refused");
    SaveNotice& notice = v.notice();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_GT(notice.geometry().top(), 580 - 40);  // starts below its place
    clock.advance(2);
    EXPECT_EQ(notice.presence(), 1);
    model->saveError.set(std::nullopt);
    EXPECT_TRUE(notice.isVisible());  // leaving
    clock.advance(2);
    EXPECT_TRUE(notice.isHidden());
    delete view;
    view = nullptr;
    FrameClock::install(nullptr);
}

TEST_F(SettingsViewTest, hostWindow_getsTheBlurWhileTheDesktopShowsThrough) {
    makeModel();
    std::vector<bool> blurs;
    WindowEffects effects;
    effects.backdrop = [] { return WindowEffects::Backdrop::blurred; };
    effects.setBlurBehind = [&](QWidget*, bool on) { blurs.push_back(on); };
    SettingsWindowWidget window(
        *model, [this](AppModel& m, QWidget* parent) -> QWidget* { return new SettingsView(m, content(), parent); },
        effects);
    EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
    auto* settings = qobject_cast<SettingsView*>(window.content());
    window.show();
    EXPECT_TRUE(blurs.empty());
    EXPECT_TRUE(settings->drawsFill());
    sim.defaults().set("windowSeeThrough", PropertyValue(0.3));
    EXPECT_EQ(blurs, std::vector<bool>{true});
    EXPECT_FALSE(settings->drawsFill());
    sim.defaults().set("windowSeeThrough", PropertyValue(0.0));
    EXPECT_EQ(blurs, (std::vector<bool>{true, false}));
}

TEST_F(SettingsViewTest, opaqueDesktop_keepsTheFillWhateverIsStored) {
    makeModel();
    sim.defaults().set("windowSeeThrough", PropertyValue(0.5));
    SettingsWindowWidget window(*model, [this](AppModel& m, QWidget* parent) -> QWidget* {
        return new SettingsView(m, content(), parent);
    });
    EXPECT_FALSE(window.testAttribute(Qt::WA_TranslucentBackground));
    auto* settings = qobject_cast<SettingsView*>(window.content());
    EXPECT_EQ(settings->layers().backdrop, Backdrop::desktop);
    EXPECT_DOUBLE_EQ(settings->layers().waterOpacity, 0.5);
    EXPECT_TRUE(settings->drawsFill());
}

}  // namespace
}  // namespace velorin
