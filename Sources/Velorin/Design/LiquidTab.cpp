#include "Velorin/Design/LiquidTab.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {
// A soft blur of a snapshot: scaled down and back up smoothly, as far as the
// radius asks. Cheap enough for every frame of a 0.12-second fade.
QImage softened(const QPixmap& shot, double radius) {
    QImage image = shot.toImage();
    if (radius < 0.5 || image.isNull()) return image;
    const double factor = std::max(1.0, radius * image.devicePixelRatio() / 2);
    const QSize small(std::max(1, int(image.width() / factor)), std::max(1, int(image.height() / factor)));
    QImage down = image.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage up = down.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    up.setDevicePixelRatio(image.devicePixelRatio());
    return up;
}

void paintLook(QPainter& painter, const QPixmap& shot, const QRectF& area, double amount) {
    if (shot.isNull()) return;
    const BlurTransition::Look look = BlurTransition::at(amount);
    if (look.opacity <= 0) return;
    painter.save();
    painter.setOpacity(look.opacity);
    const QPointF c = area.center();
    painter.translate(c + look.offset);
    painter.scale(look.scale, look.scale);
    painter.translate(-c);
    painter.drawImage(area.topLeft(), softened(shot, look.blur));
    painter.restore();
}
}  // namespace

BlurTransition::Look BlurTransition::at(double amount) {
    const double a = std::clamp(amount, 0.0, 1.0);
    const BlurTransition on{true};
    const BlurTransition off{false};
    auto mix = [a](double x, double y) { return x + (y - x) * a; };
    return {mix(off.blur(), on.blur()), mix(off.opacity(), on.opacity()),
            QPointF(0, mix(off.offset().y(), on.offset().y())), mix(off.scale(), on.scale())};
}

// Paints both snapshots while the pages change; takes no input of its own.
class LiquidTabStack::Layer final : public QWidget {
public:
    explicit Layer(LiquidTabStack* stack) : QWidget(stack), stack_(stack) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF area(rect());
        paintLook(painter, stack_->outgoingShot_, area, stack_->outgoing_.value());
        paintLook(painter, stack_->incomingShot_, area, stack_->incoming_.value());
    }

private:
    LiquidTabStack* stack_;
};

LiquidTabStack::LiquidTabStack(QWidget* parent)
    : QWidget(parent), outgoing_(0), incoming_(0), layer_(new Layer(this)) {
    outgoing_.setOnFrame([this] { frame(); });
    incoming_.setOnFrame([this] { frame(); });
}

LiquidTabStack::~LiquidTabStack() {
    outgoing_.setOnFrame({});
    incoming_.setOnFrame({});
}

int LiquidTabStack::addPage(QWidget* page) {
    page->setParent(this);
    page->setGeometry(rect());
    pages_.push_back(page);
    const int index = int(pages_.size()) - 1;
    if (current_ < 0) {
        current_ = index;
        page->show();
        emit currentChanged(current_);
    } else {
        page->hide();
    }
    layer_->raise();
    updateGeometry();
    return index;
}

QWidget* LiquidTabStack::page(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return pages_[std::size_t(index)];
}

void LiquidTabStack::setCurrentPage(QWidget* page, const Animation& insertion) {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it != pages_.end()) setCurrentIndex(int(it - pages_.begin()), insertion);
}

void LiquidTabStack::setCurrentIndex(int index, const Animation& insertion) {
    if (index < 0 || index >= count() || index == current_) return;
    if (transitioning_) finish();
    QWidget* from = currentPage();
    QWidget* to = page(index);
    current_ = index;
    to->setGeometry(rect());
    if (Motion::instant() || !isVisible() || !from) {
        if (from) from->hide();
        to->show();
        emit currentChanged(current_);
        return;
    }
    // The pages change under snapshots; the live page comes back when both halves are done.
    outgoingShot_ = from->grab();
    to->show();
    incomingShot_ = to->grab();
    from->hide();
    to->hide();
    outgoing_.setValue(0);
    incoming_.setValue(1);
    transitioning_ = true;
    layer_->setGeometry(rect());
    layer_->show();
    layer_->raise();
    outgoing_.animateTo(1, LiquidTab::removal());
    incoming_.animateTo(0, insertion);
    emit currentChanged(current_);
}

void LiquidTabStack::frame() {
    if (!transitioning_) return;
    layer_->update();
    if (!outgoing_.isAnimating() && !incoming_.isAnimating()) finish();
}

void LiquidTabStack::finish() {
    transitioning_ = false;
    outgoing_.setValue(0);
    incoming_.setValue(0);
    layer_->hide();
    outgoingShot_ = QPixmap();
    incomingShot_ = QPixmap();
    if (QWidget* p = currentPage()) p->show();
}

QSize LiquidTabStack::sizeHint() const {
    QSize s(0, 0);
    for (QWidget* p : pages_) s = s.expandedTo(p->sizeHint());
    return s;
}

QSize LiquidTabStack::minimumSizeHint() const {
    QSize s(0, 0);
    for (QWidget* p : pages_) s = s.expandedTo(p->minimumSizeHint());
    return s;
}

void LiquidTabStack::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QWidget* p : pages_) p->setGeometry(rect());
    layer_->setGeometry(rect());
}

}  // namespace velorin
