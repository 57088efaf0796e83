#include "Velorin/Design/AppBadge.h"

#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"

#include <QPainter>
#include <QTextBoundaryFinder>

#include <cmath>

namespace velorin {

QString firstCharacter(const QString& text) {
    if (text.isEmpty()) return QString();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    const qsizetype end = graphemes.toNextBoundary();
    return text.left(end > 0 ? end : 1);
}

AppBadge::AppBadge(AppLookup lookup, QWidget* parent)
    : QWidget(parent), lookup_(std::move(lookup)), display_([this] { update(); }) {
    setObjectName(QStringLiteral("appBadge"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

AppBadge::AppBadge(AppLookup lookup, std::string bundleID, double size, QWidget* parent)
    : AppBadge(std::move(lookup), parent) {
    size_ = size;
    bundleID_ = std::move(bundleID);
    look();
}

void AppBadge::setBundleID(const std::string& bundleID) {
    if (bundleID == bundleID_) return;
    bundleID_ = bundleID;
    look();
    update();
}

void AppBadge::setEdge(double size) {
    if (size == size_) return;
    size_ = size;
    scaled_ = QPixmap();
    updateGeometry();
    update();
}

void AppBadge::look() {
    // No app, nothing to ask about.
    icon_ = bundleID_.empty() ? std::nullopt : lookup_.iconFor(bundleID_);
    if (icon_ && icon_->isNull()) icon_.reset();
    scaled_ = QPixmap();
    const QString name = bundleID_.empty() ? QString() : QString::fromStdString(lookup_.nameFor(bundleID_));
    letter_ = icon_ ? QString() : firstCharacter(name);
    setAccessibleName(name);
}

QSize AppBadge::sizeHint() const {
    const int edge = int(std::ceil(size_));
    return QSize(edge, edge);
}

void AppBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const ColorEnvironment environment = colorEnvironmentFor(this);
    // The badge's frame, centred in the widget.
    const QRectF frame(QPointF((width() - size_) / 2, (height() - size_) / 2), QSizeF(size_, size_));

    if (icon_) {
        // The icon overflows the frame a little (icons keep a margin round their artwork); what
        // overflows the widget is cut: badges stand in overlapping rows, where drawing beyond
        // the widget would lay one badge's edge over its neighbour.
        const double side = size_ * iconShare;
        const QRectF square(frame.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
        const double dpr = devicePixelRatioF();
        const QSize pixels(int(std::ceil(side * dpr)), int(std::ceil(side * dpr)));
        if (scaled_.size() != pixels || scaled_.devicePixelRatio() != dpr) {
            scaled_ = QPixmap::fromImage(icon_->scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            scaled_.setDevicePixelRatio(dpr);
        }
        const QSizeF drawn = QSizeF(scaled_.size()) / dpr;
        painter.drawPixmap(QRectF(square.center() - QPointF(drawn.width() / 2, drawn.height() / 2), drawn), scaled_,
                           QRectF(scaled_.rect()));
        return;
    }

    const double diameter = std::max(0.0, size_ - discInset);
    const QRectF disc(frame.center() - QPointF(diameter / 2, diameter / 2), QSizeF(diameter, diameter));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::cream.resolve(environment));
    painter.drawEllipse(disc);
    // The rim lies inside the disc's edge.
    const double half = rimWidth / 2;
    painter.setPen(QPen(Theme::inkFaint.resolve(environment), rimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc.adjusted(half, half, -half, -half));
    if (!letter_.isEmpty()) {
        painter.setFont(Fonts::rounded(size_ * letterShare, QFont::Bold));
        painter.setPen(Theme::inkMuted.resolve(environment));
        painter.drawText(disc, Qt::AlignCenter, letter_);
    }
}

}  // namespace velorin
