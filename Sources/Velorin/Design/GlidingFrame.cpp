#include "Velorin/Design/GlidingFrame.h"

#include <QEvent>

#include <algorithm>
#include <cmath>

#include "Velorin/Design/Display.h"

namespace velorin {

GlidingFrame::GlidingFrame(QWidget* content, QWidget* parent)
    : QWidget(parent), content_(content), height_(0.0, [this] { follow(); }) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    content_->setParent(this);
    // The content's own layout changes reach us as layout requests.
    content_->installEventFilter(this);
}

GlidingFrame::~GlidingFrame() {
    if (content_) content_->removeEventFilter(this);
}

double GlidingFrame::contentHeight(int width) const {
    if (!content_) return 0;
    return content_->hasHeightForWidth() ? content_->heightForWidth(width) : content_->sizeHint().height();
}

double GlidingFrame::contentHeight() const { return contentHeight(width()); }

void GlidingFrame::glide(const Spring& spring) {
    const double target = contentHeight();
    if (!isVisible() || Motion::instant() || Display::reduceMotion()) {
        height_.setValue(target);
        return;
    }
    // From what is on screen: the glide under way, else the laid-out height.
    if (!isGliding()) height_.setValue(height());
    spring_ = spring;
    height_.animateTo(target, Animation::spring(spring));
}

int GlidingFrame::heightForWidth(int width) const {
    const double h = isGliding() ? height_.value() : contentHeight(width);
    return std::max(0, int(std::lround(h)));
}

QSize GlidingFrame::sizeHint() const {
    const int width = content_ ? content_->sizeHint().width() : 0;
    return {width, heightForWidth(width)};
}

QSize GlidingFrame::minimumSizeHint() const {
    // Any height: the frame cuts off what does not fit.
    return {content_ ? content_->minimumSizeHint().width() : 0, 0};
}

bool GlidingFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_ && event->type() == QEvent::LayoutRequest) {
        // After the content's layout has done its own work.
        QMetaObject::invokeMethod(this, [this] { follow(); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void GlidingFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeContent();
}

void GlidingFrame::follow() {
    // A change during a glide is taken up by the same spring, keeping its speed.
    if (isGliding() && std::abs(height_.target() - contentHeight()) > 0.5)
        height_.animateTo(contentHeight(), Animation::spring(spring_));
    placeContent();
    const int reported = heightForWidth(width());
    if (reported != lastReported_) {
        lastReported_ = reported;
        updateGeometry();
    }
}

void GlidingFrame::placeContent() {
    if (!content_) return;
    // While the frame is taller than its content, the content reaches down
    // to the frame's bottom, so what leaves it can fade out in place.
    const double h = std::max(contentHeight(), shownHeight());
    const QRect place(0, 0, width(), std::max(0, int(std::ceil(h))));
    if (content_->geometry() != place) content_->setGeometry(place);
}

}  // namespace velorin
