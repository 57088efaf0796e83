#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>

#include "QtTestApp.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/Editor/ListeningRing.h"

namespace velorin {
namespace {

class GesturePickerTest : public ::testing::Test {
protected:
    GesturePickerTest() {
        QObject::connect(&picker, &GesturePicker::gesturePicked, [this](const Gesture& g) { picks.push_back(g); });
    }

    // Picks the item with this text in the menu, as the user does.
    void pick(QComboBox* menu, const QString& text) {
        const int index = menu->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        menu->setCurrentIndex(index);
        emit menu->activated(index);
    }
    // The menus shown beside the kind menu, by object name, in order.
    std::vector<std::string> shownMenus() const {
        std::vector<std::string> names;
        for (auto* menu : picker.findChildren<QComboBox*>()) {
            if (!menu->isHidden()) names.push_back(menu->objectName().toStdString() + "@" +
                                                   std::to_string(menu->width()));
        }
        return names;
    }
    QStringList items(QComboBox* menu) const {
        QStringList out;
        for (int i = 0; i < menu->count(); ++i) out << menu->itemText(i);
        return out;
    }

    QApplication& app = testing::qtApp();  // before any widget
    sim::SimPlatform sim;
    GesturePicker picker;
    std::vector<Gesture> picks;
};

TEST_F(GesturePickerTest, menus_listTheirItemsInOrder) {
    EXPECT_EQ(items(picker.kindMenu()), (QStringList{"Tap", "Hold", "Corner tap"}));
    EXPECT_EQ(items(picker.fingerMenu()), (QStringList{"1 finger", "2 fingers", "3 fingers", "4 fingers", "5 fingers"}));
    EXPECT_EQ(items(picker.countMenu()), (QStringList{"once", "twice", "three times"}));
    EXPECT_EQ(items(picker.cornerMenu()), (QStringList{"Top Left", "Top Right", "Bottom Left", "Bottom Right"}));
}

TEST_F(GesturePickerTest, detailMenus_followTheKind) {
    picker.setGesture(Gesture::tap(2, 1));
    EXPECT_EQ(shownMenus(), (std::vector<std::string>{"gesturePicker.kind@130", "gesturePicker.fingers@110",
                                                      "gesturePicker.count@130"}));
    picker.setGesture(Gesture::hold(2));
    EXPECT_EQ(shownMenus(), (std::vector<std::string>{"gesturePicker.kind@130", "gesturePicker.fingers@110"}));
    picker.setGesture(Gesture::cornerTap(Gesture::Corner::bottomLeft));
    EXPECT_EQ(shownMenus(), (std::vector<std::string>{"gesturePicker.kind@130", "gesturePicker.corner@150"}));
    EXPECT_EQ(picker.cornerMenu()->currentText(), "Bottom Left");
    EXPECT_TRUE(picks.empty());  // showing the caller's value is no pick
}

TEST_F(GesturePickerTest, picking_handsBackWholeGestures_andShowsThem) {
    picker.setGesture(Gesture::tap(2, 3));
    pick(picker.kindMenu(), "Hold");
    EXPECT_EQ(picker.gesture(), Gesture::hold(3));
    EXPECT_EQ(picker.fingerMenu()->currentText(), "3 fingers");
    EXPECT_TRUE(picker.countMenu()->isHidden());
    pick(picker.kindMenu(), "Tap");
    EXPECT_EQ(picker.gesture(), Gesture::tap(3, 1));

    picker.setGesture(Gesture::tap(4, 2));
    pick(picker.countMenu(), "three times");
    pick(picker.fingerMenu(), "1 finger");
    pick(picker.kindMenu(), "Tap");  // the kind it has: nothing changes
    pick(picker.kindMenu(), "Corner tap");
    pick(picker.cornerMenu(), "Bottom Right");
    EXPECT_EQ(picks, (std::vector<Gesture>{Gesture::hold(3), Gesture::tap(3, 1), Gesture::tap(4, 3),
                                           Gesture::tap(1, 3),
                                           Gesture::cornerTap(Gesture::Corner::topRight),
                                           Gesture::cornerTap(Gesture::Corner::bottomRight)}));
}

TEST_F(GesturePickerTest, gesturesBeyondTheMenus_showWithoutAnItemSelected) {
    picker.setGesture(Gesture::tap(7, 4));
    EXPECT_EQ(picker.fingerMenu()->currentIndex(), -1);
    EXPECT_EQ(picker.fingerMenu()->currentText(), "");
    EXPECT_EQ(picker.fingerMenu()->placeholderText(), "7 fingers");
    EXPECT_EQ(picker.countMenu()->placeholderText(), "4 times");
    pick(picker.fingerMenu(), "2 fingers");
    EXPECT_EQ(picker.gesture(), Gesture::tap(2, 4));
    EXPECT_EQ(picker.fingerMenu()->placeholderText(), "");
}

TEST(ListeningRingTest, ringsGrowAndFade_theSecondHalfAPeriodBehind) {
    using R = ListeningRing::Ring;
    const struct {
        int index;
        double elapsed;
        double scale, opacity;
    } cases[] = {
        {0, 0, 0.6, 0.9},
        {0, 1.2, 0.6, 0.9},  // a new round begins
        {1, 0.3, 0.6, 0.9},  // still waiting its turn
        {1, 0.6, 0.6, 0.9},
        {1, 1.8, 0.6, 0.9},
    };
    for (const auto& c : cases) {
        const R r = ListeningRing::ring(c.index, c.elapsed);
        EXPECT_NEAR(r.scale, c.scale, 1e-9) << c.index << " " << c.elapsed;
        EXPECT_NEAR(r.opacity, c.opacity, 1e-9) << c.index << " " << c.elapsed;
    }
    // Midway the ring has travelled more than half its way (ease-out), and the
    // second ring is where the first was 0.6 s before.
    const R mid = ListeningRing::ring(0, 0.6);
    EXPECT_GT(mid.scale, 1.2);
    EXPECT_LT(mid.scale, 1.8);
    EXPECT_NEAR(mid.opacity, 0.9 * (1.8 - mid.scale) / 1.2, 1e-9);
    EXPECT_EQ(ListeningRing::ring(1, 1.0), ListeningRing::ring(0, 0.4));
    const R nearEnd = ListeningRing::ring(0, 1.1999);
    EXPECT_NEAR(nearEnd.scale, 1.8, 1e-3);
    EXPECT_NEAR(nearEnd.opacity, 0, 1e-3);
}

TEST(ListeningRingTest, takes22PointsInItsLayout_andPulsesOnceShown) {
    testing::qtApp();
    sim::SimPlatform sim;
    ManualFrameClock clock(10);
    FrameClock::install(&clock);
    const bool instant = Motion::instant();
    Motion::setInstant(false);
    {
        QWidget parent;
        auto* layout = new QHBoxLayout(&parent);
        auto* ring = new ListeningRing(&parent);
        layout->addWidget(ring);
        EXPECT_EQ(ring->sizeHint(), QSize(22, 22));
        EXPECT_FALSE(ring->isOn());
        parent.show();
        EXPECT_TRUE(ring->isOn());
        EXPECT_EQ(ring->size(), QSize(22, 22));
        clock.advance(0.3);
        EXPECT_NEAR(ring->ringNow(0).scale, ListeningRing::ring(0, 0.3).scale, 1e-9);
        EXPECT_EQ(ring->ringNow(1), ListeningRing::ring(1, 0.3));  // still waiting its turn
        EXPECT_GT(ring->ringNow(0).scale, 0.6);
        parent.hide();
        EXPECT_EQ(clock.listenerCount(), 0u);
    }
    // Without motion the mark still shows its two rings, out and apart, and
    // asks for no frames.
    Motion::setInstant(true);
    {
        QWidget parent;
        auto* ring = new ListeningRing(&parent);
        parent.show();
        EXPECT_EQ(clock.listenerCount(), 0u);
        const auto first = ring->ringNow(0), second = ring->ringNow(1);
        EXPECT_GT(first.opacity, 0.05);
        EXPECT_GT(second.opacity, 0.05);
        EXPECT_GT(first.scale, second.scale);
        EXPECT_GT(second.scale, ListeningRing::restingScale);
    }
    Motion::setInstant(instant);
    FrameClock::install(nullptr);
}

}  // namespace
}  // namespace velorin
