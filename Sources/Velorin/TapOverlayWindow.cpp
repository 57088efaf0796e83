#include "Velorin/TapOverlayWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

#include "Velorin/TapBadge.h"

namespace velorin {

QPoint qtWindowPosition(Point origin, QSize window, const std::vector<QtScreenGeometry>& screens) {
    if (screens.empty()) return {int(std::lround(origin.x)), int(std::lround(-origin.y - window.height()))};
    const auto ratio = [](const QtScreenGeometry& s) { return s.devicePixelRatio > 0 ? s.devicePixelRatio : 1.0; };
    const QtScreenGeometry& primary = screens.front();
    // Points are the primary screen's: from its top left, y down, then in
    // device pixels of the whole desktop.
    const double scale = ratio(primary);
    const double topLeftY = primary.geometry.height() - origin.y - window.height();
    const double px = primary.geometry.x() + origin.x * scale;
    const double py = primary.geometry.y() + topLeftY * scale;
    // Qt scales positions about the top left of the screen they fall on.
    const QtScreenGeometry* on = &primary;
    for (const auto& s : screens) {
        const double r = ratio(s);
        const QRectF native(s.geometry.x(), s.geometry.y(), s.geometry.width() * r, s.geometry.height() * r);
        if (native.contains(px, py)) {
            on = &s;
            break;
        }
    }
    const double r = ratio(*on);
    return {int(std::lround(on->geometry.x() + (px - on->geometry.x()) / r)),
            int(std::lround(on->geometry.y() + (py - on->geometry.y()) / r))};
}

TapOverlayWindow::TapOverlayWindow(TapBadgeState& state)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint) {
    setObjectName("tapOverlay");
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(int(TapOverlay::panelSize.width), int(TapOverlay::panelSize.height));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    badge_ = new TapBadge(state, this);
    layout->addWidget(badge_);

    opacity_.setOnFrame([this] { setWindowOpacity(opacity_.value()); });
}

TapOverlayWindow::~TapOverlayWindow() = default;

Size TapOverlayWindow::size() const { return {double(width()), double(height())}; }

void TapOverlayWindow::setFrameOrigin(Point origin) {
    std::vector<QtScreenGeometry> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screens.push_back({primary->geometry(), primary->devicePixelRatio()});
        for (const QScreen* s : QGuiApplication::screens()) {
            if (s != primary) screens.push_back({s->geometry(), s->devicePixelRatio()});
        }
    }
    move(qtWindowPosition(origin, QWidget::size(), screens));
}

void TapOverlayWindow::setAlphaValue(double alpha) {
    alpha_ = alpha;
    opacity_.setValue(alpha);
}

void TapOverlayWindow::fadeAlphaValue(double alpha, double durationSeconds) {
    alpha_ = alpha;
    opacity_.animateTo(alpha, Animation::easeOut(durationSeconds));
}

void TapOverlayWindow::orderFrontRegardless() {
    show();
    raise();
}

void TapOverlayWindow::orderOut() { hide(); }

}  // namespace velorin
