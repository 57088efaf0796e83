#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <cmath>

#include "QtTestApp.h"
#include "Velorin/MenuContent.h"
#include "Velorin/TrayIcon.h"

namespace velorin {
namespace {

double luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The share of the icon's square that stands out from the panel by `ratio`.
double shareStandingOut(const QImage& icon, const QColor& panel, double ratio) {
    QImage onPanel(icon.size(), QImage::Format_RGB32);
    onPanel.fill(panel);
    QPainter painter(&onPanel);
    painter.drawImage(0, 0, icon);
    painter.end();
    int standing = 0;
    for (int y = 0; y < onPanel.height(); ++y)
        for (int x = 0; x < onPanel.width(); ++x) standing += contrast(onPanel.pixelColor(x, y), panel) >= ratio;
    return double(standing) / (onPanel.width() * onPanel.height());
}

// Panels come dark and light, whatever the app's own palette says.
TEST(TrayIcon, readsOnDarkAndLightPanels_andIsFainterWhenOff) {
    testing::qtApp();
    const QColor panels[] = {QColor(0x1e, 0x1e, 0x1e), QColor(0x30, 0x34, 0x3b), QColor(0xf2, 0xf2, 0xf2),
                             QColor(0xd6, 0xd6, 0xd6), QColor(0x3d, 0x7a, 0xe0)};
    for (int size : {16, 22, 32}) {
        const QImage on = TrayIcon::image(MenuContent::iconSymbol(true), true, size);
        const QImage off = TrayIcon::image(MenuContent::iconSymbol(false), false, size);
        for (const QColor& panel : panels) {
            const QString where = panel.name() + " at " + QString::number(size);
            EXPECT_GT(shareStandingOut(on, panel, 3.0), 0.15) << where.toStdString();
            EXPECT_GT(shareStandingOut(off, panel, 1.5), 0.10) << "off, " << where.toStdString();
            EXPECT_LT(shareStandingOut(off, panel, 3.0), shareStandingOut(on, panel, 3.0))
                << "off is fainter, " << where.toStdString();
        }
    }
}

}  // namespace
}  // namespace velorin
