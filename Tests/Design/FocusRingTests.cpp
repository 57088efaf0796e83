// Focus rings show for keyboard focus only: not when the window opens and
// hands focus to its first control, not after a click, and they survive the
// window losing and regaining the focus.

#include "ControlFixture.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/TabBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QTest>

#include <functional>

namespace velorin {
namespace {

using test::ControlTest;

class FocusRingTest : public ControlTest {
protected:
    FocusRingTest() { Motion::setInstant(true); }

    void showActive() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    static QImage picture(QWidget& control) {
        QImage image(control.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        control.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }
    // Whether the focused `control` draws a ring: its picture changes when
    // the focus goes to `elsewhere` (where it is left).
    static bool showsRing(QWidget& control, QWidget& elsewhere) {
        const QImage focused = picture(control);
        elsewhere.setFocus(Qt::OtherFocusReason);
        return picture(control) != focused;
    }
};

TEST_F(FocusRingTest, theFirstTabFocusedAsTheWindowOpensShowsNoRingUntilTheKeyboardMovesFocus) {
    auto* bar = new TabBar(&window);
    bar->resize(bar->sizeHint());
    auto* elsewhere = new QWidget(&window);
    elsewhere->setFocusPolicy(Qt::ClickFocus);
    elsewhere->setGeometry(0, 100, 10, 10);
    window.resize(900, 200);
    QAbstractButton* first = bar->button(SettingsTab::packs);
    QAbstractButton* second = bar->button(SettingsTab::shortcuts);

    showActive();
    ASSERT_TRUE(first->hasFocus()) << "the window gives its first control the focus";
    EXPECT_FALSE(showsRing(*first, *elsewhere)) << "no ring for focus nobody moved";

    first->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(first, Qt::Key_Tab);
    ASSERT_TRUE(second->hasFocus());
    EXPECT_TRUE(showsRing(*second, *elsewhere)) << "Tab moved the focus: the ring shows";
}

TEST_F(FocusRingTest, eachControlDrawsItsRingOnlyForFocusTheKeyboardMoved) {
    struct Control {
        const char* name;
        std::function<QWidget*(QWidget*)> make;
    };
    const Control controls[] = {
        {"pill button", [](QWidget* p) { return new PillButton(QStringLiteral("Save"), true, p); }},
        {"switch", [](QWidget* p) { return new LiquidSwitch(true, std::nullopt, p); }},
        {"slider", [](QWidget* p) { return new LiquidSlider(0.4, 0, 1, {}, p); }},
        {"tab", [](QWidget* p) { return new TabBar(p); }},
    };
    // Each step moves the focus to the control for a reason (after taking it
    // elsewhere first), or takes it away from and back to the whole window.
    enum class Step { focusFor, windowAwayAndBack };
    struct Case {
        const char* what;
        std::vector<std::pair<Step, Qt::FocusReason>> steps;
        bool ring;
    };
    const Case cases[] = {
        {"a click", {{Step::focusFor, Qt::MouseFocusReason}}, false},
        {"code", {{Step::focusFor, Qt::OtherFocusReason}}, false},
        {"the window opening", {{Step::focusFor, Qt::ActiveWindowFocusReason}}, false},
        {"Tab", {{Step::focusFor, Qt::TabFocusReason}}, true},
        {"Shift-Tab", {{Step::focusFor, Qt::BacktabFocusReason}}, true},
        {"a shortcut", {{Step::focusFor, Qt::ShortcutFocusReason}}, true},
        {"Tab, then the window away and back",
         {{Step::focusFor, Qt::TabFocusReason}, {Step::windowAwayAndBack, Qt::ActiveWindowFocusReason}}, true},
        {"Tab, then a popup and back",
         {{Step::focusFor, Qt::TabFocusReason}, {Step::windowAwayAndBack, Qt::PopupFocusReason}}, true},
        {"a click, then the window away and back",
         {{Step::focusFor, Qt::MouseFocusReason}, {Step::windowAwayAndBack, Qt::ActiveWindowFocusReason}}, false},
        {"Tab, then a click", {{Step::focusFor, Qt::TabFocusReason}, {Step::focusFor, Qt::MouseFocusReason}}, false},
    };
    auto* row = new QHBoxLayout(&window);
    auto* elsewhere = new QWidget(&window);
    elsewhere->setFocusPolicy(Qt::ClickFocus);
    row->addWidget(elsewhere);
    std::vector<QWidget*> made;
    for (const Control& c : controls) {
        QWidget* w = c.make(&window);
        row->addWidget(w);
        if (auto* bar = qobject_cast<TabBar*>(w)) w = bar->button(SettingsTab::about);
        made.push_back(w);
    }
    showActive();
    // A control's very first picture may differ from later ones: keep it out of the comparisons.
    for (QWidget* control : made) picture(*control);
    for (std::size_t i = 0; i < made.size(); ++i) {
        QWidget* control = made[i];
        for (const Case& c : cases) {
            for (const auto& [step, reason] : c.steps) {
                if (step == Step::focusFor) {
                    elsewhere->setFocus(Qt::OtherFocusReason);
                    control->setFocus(reason);
                } else {
                    QFocusEvent out(QEvent::FocusOut, reason), in(QEvent::FocusIn, reason);
                    QApplication::sendEvent(control, &out);
                    QApplication::sendEvent(control, &in);
                }
            }
            ASSERT_TRUE(control->hasFocus()) << controls[i].name << ", " << c.what;
            EXPECT_EQ(showsRing(*control, *elsewhere), c.ring) << controls[i].name << ", " << c.what;
        }
    }
}

}  // namespace
}  // namespace velorin
