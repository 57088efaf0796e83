// The shell's own pictures: the tap badge as it shows on screen, and the tray
// icon on dark and light panels.

#include "Scene.h"
#include "Velorin/MenuContent.h"
#include "Velorin/TapBadge.h"
#include "Velorin/TapOverlay.h"
#include "Velorin/TrayIcon.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace velorin::screenshots {
namespace {

// A badge over a busy desktop, so its own capsule and shadow show.
class BadgeScene : public QWidget {
public:
    BadgeScene(const char* gesture, const char* action, bool failed) {
        state_.gesture.set(gesture);
        state_.action.set(action);
        state_.failed.set(failed);
        state_.count.set(1);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* badge = new TapBadge(state_, this);
        badge->setFixedSize(560, 120);
        layout->addWidget(badge);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient desktop(0, 0, width(), height());
        desktop.setColorAt(0, QColor(0x6a, 0x9f, 0xd8));
        desktop.setColorAt(1, QColor(0xe8, 0xd8, 0xb0));
        painter.fillRect(rect(), desktop);
    }

private:
    TapBadgeState state_;
};

const SceneRegistrar badge(
    "shell-tap-badge",
    [](SceneContext&) -> std::unique_ptr<QWidget> {
        return std::make_unique<BadgeScene>("3-finger double tap", "Mission Control", false);
    },
    QSize(560, 120));

const SceneRegistrar failedBadge(
    "shell-tap-badge-failed",
    [](SceneContext&) -> std::unique_ptr<QWidget> {
        return std::make_unique<BadgeScene>("2-finger hold", "Window \u2192 left half", true);
    },
    QSize(560, 120));

// The icon at the sizes trays use, on and off, on panels of several colours.
class TrayScene : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QColor panels[] = {QColor(0x1e, 0x1e, 0x1e), QColor(0x30, 0x34, 0x3b), QColor(0xf2, 0xf2, 0xf2),
                                 QColor(0xd6, 0xd6, 0xd6), QColor(0x3d, 0x7a, 0xe0)};
        const int sizes[] = {16, 22, 32};
        int y = 0;
        for (const QColor& panel : panels) {
            painter.fillRect(0, y, width(), 40, panel);
            int x = 8;
            for (bool on : {true, false}) {
                for (int size : sizes) {
                    painter.drawImage(x, y + (40 - size) / 2, TrayIcon::image(MenuContent::iconSymbol(on), on, size));
                    x += size + 12;
                }
                x += 16;
            }
            y += 40;
        }
    }
};

const SceneRegistrar tray(
    "shell-tray-icon", [](SceneContext&) -> std::unique_ptr<QWidget> { return std::make_unique<TrayScene>(); },
    QSize(320, 260));

}  // namespace
}  // namespace velorin::screenshots
