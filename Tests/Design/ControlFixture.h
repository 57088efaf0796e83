#pragma once
// What the control tests share: a fresh simulated desktop, the Qt
// application, a manual frame clock (time moves only when a test says so),
// a host window, and ways to read the haptics played and to paint a control
// onto a known background.

#include "Platform/Sim/SimPlatform.h"
#include "QtApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velorin::test {

class ControlTest : public ::testing::Test {
protected:
    ControlTest() { FrameClock::install(&clock); }
    ~ControlTest() override {
        FrameClock::install(nullptr);
        Motion::setInstant(false);
    }

    std::vector<sim::HapticFeedback> haptics() const { return sim.haptics().performed(); }
    int hapticCount(HapticPattern pattern) const {
        const auto all = haptics();
        return int(std::count_if(all.begin(), all.end(), [&](const sim::HapticFeedback& h) {
            return h.pattern == pattern && h.time == HapticPerformanceTime::now;
        }));
    }
    // Lets every running animation come to rest.
    void settle(double seconds = 3) { clock.advance(seconds); }

    // `widget` painted (with its children) over `background`.
    static QImage paint(QWidget& widget, QColor background = Qt::white) {
        QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(background);
        widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    sim::SimPlatform sim;
    QApplication& app = qtApp();  // before any widget
    ManualFrameClock clock{100};
    QWidget window;
};

// How far a colour lies from another, the largest difference of a channel (0…255).
inline int distance(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

}  // namespace velorin::test
