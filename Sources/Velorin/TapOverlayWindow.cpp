#include "Velorin/TapOverlayWindow.h"

#include <QVBoxLayout>

#include <cmath>

#include "Platform/Platform.h"
#include "Platform/Screens.h"
#include "Velorin/TapBadge.h"

namespace velorin {

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
    // The screens report the bottom-left convention, measured from the
    // primary screen's bottom edge; Qt places windows by their top left.
    const auto screens = platform::current().screens().screens();
    const double primaryTop = screens.empty() ? 0 : screens.front().frame.maxY();
    move(int(std::lround(origin.x)), int(std::lround(primaryTop - origin.y - height())));
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
