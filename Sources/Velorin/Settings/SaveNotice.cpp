#include "Velorin/Settings/SaveNotice.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "Velorin/Design/Display.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

namespace {

constexpr double fontPixels = 12;
constexpr double symbolGap = 6;

QFont noticeFont() {
    QFont font;
    font.setPixelSize(int(fontPixels));
    font.setWeight(QFont::DemiBold);
    return font;
}

}  // namespace

SaveNotice::SaveNotice(QWidget* parent) : QWidget(parent), presence_(0.0, [this] { moved(); }) {
    setObjectName("saveNotice");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void SaveNotice::setText(const std::optional<std::string>& text) {
    const bool showing = text.has_value();
    if (showing) {
        const QString next = QString::fromStdString(*text);
        if (next != text_) {
            text_ = next;
            setAccessibleName(text_);
            updateGeometry();
            place(area_);
            update();
        }
    }
    if (showing == showing_) return;
    showing_ = showing;
    if (showing_) show();
    presence_.animateTo(showing_ ? 1.0 : 0.0, Animation::spring(Theme::wobble));
}

QSize SaveNotice::sizeHint() const {
    const QFontMetricsF metrics(noticeFont());
    const double width = fontPixels + symbolGap + metrics.horizontalAdvance(text_) + 2 * horizontalPadding;
    const double height = std::max(metrics.height(), fontPixels) + 2 * verticalPadding;
    return QSize(int(std::ceil(width)), int(std::ceil(height)));
}

void SaveNotice::place(const QRect& area) {
    area_ = area;
    if (area_.isEmpty()) return;
    const QSize size = sizeHint().boundedTo(QSize(area_.width() - 2 * bottomSpace, area_.height()));
    // Out of sight below the bottom edge at presence 0, in place at 1.
    const double p = presence_.value();
    const int restingTop = area_.bottom() + 1 - bottomSpace - size.height();
    const int hiddenTop = area_.bottom() + 1;
    const int top = int(std::lround(hiddenTop + (restingTop - hiddenTop) * p));
    setGeometry(area_.left() + (area_.width() - size.width()) / 2, top, size.width(), size.height());
}

void SaveNotice::moved() {
    place(area_);
    if (!showing_ && presence_.value() <= 0.001 && !presence_.isAnimating()) hide();
    update();
}

void SaveNotice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(std::clamp(presence_.value(), 0.0, 1.0));
    const ColorEnvironment environment = colorEnvironmentFor(this);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath capsule;
    capsule.addRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);
    // The warning tint lies under a thin frosted layer (the material is a
    // translucent theme fill here: nothing blurs what lies behind a child).
    painter.fillPath(capsule, Theme::warning.opacity(0.35).resolve(environment));
    painter.fillPath(capsule, Theme::warmWhite.opacity(0.45).resolve(environment));

    const QColor ink = Theme::ink.resolve(environment);
    const QRectF content = QRectF(rect()).adjusted(horizontalPadding, verticalPadding, -horizontalPadding,
                                                   -verticalPadding);
    const QRectF symbolRect(content.left(), content.center().y() - fontPixels / 2, fontPixels, fontPixels);
    Symbols::draw(painter, symbolRect, "exclamationmark.triangle.fill", ink, fontPixels);
    painter.setFont(noticeFont());
    painter.setPen(ink);
    const QRectF textRect = content.adjusted(fontPixels + symbolGap, 0, 0, 0);
    const QString shown = QFontMetricsF(noticeFont()).elidedText(text_, Qt::ElideMiddle, textRect.width());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, shown);
}

}  // namespace velorin
