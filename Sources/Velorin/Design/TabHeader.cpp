#include "Velorin/Design/TabHeader.h"

#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/ReadableOnWater.h"
#include "Velorin/Design/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace velorin {

namespace {
// The width a header asks for when nothing constrains it: its title, or a
// comfortable reading width for a long subtitle.
constexpr double preferredSubtitleWidth = 520;
constexpr int wrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
}  // namespace

TabHeader::TabHeader(QWidget* parent) : TabHeader(QString(), QString(), parent) {}

TabHeader::TabHeader(const QString& title, const QString& subtitle, QWidget* parent)
    : QWidget(parent), title_(title), subtitle_(subtitle), display_([this] { update(); }) {
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(title_);
    setAccessibleDescription(subtitle_);
    setGraphicsEffect(new ReadableOnWaterEffect(this));
}

void TabHeader::setTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    setAccessibleName(title_);
    updateGeometry();
    update();
}

void TabHeader::setSubtitle(const QString& subtitle) {
    if (subtitle == subtitle_) return;
    subtitle_ = subtitle;
    setAccessibleDescription(subtitle_);
    updateGeometry();
    update();
}

QFont TabHeader::titleFont() const { return Fonts::rounded(titlePoints, QFont::Bold); }
QFont TabHeader::subtitleFont() const { return Fonts::system(subtitlePoints, QFont::Medium); }

QRectF TabHeader::subtitleRect(double width) const {
    const QFontMetricsF title(titleFont());
    const QFontMetricsF sub(subtitleFont());
    const double top = title.height() + spacing;
    const QRectF bounds = sub.boundingRect(QRectF(0, 0, std::max(1.0, width), 1e6), wrapFlags, subtitle_);
    return QRectF(0, top, width, subtitle_.isEmpty() ? 0 : bounds.height());
}

int TabHeader::heightForWidth(int width) const {
    const QRectF sub = subtitleRect(width);
    return int(std::ceil(sub.bottom()));
}

QSize TabHeader::sizeHint() const {
    const double titleWidth = QFontMetricsF(titleFont()).horizontalAdvance(title_);
    const double subWidth = std::min(preferredSubtitleWidth, QFontMetricsF(subtitleFont()).horizontalAdvance(subtitle_));
    const int w = int(std::ceil(std::max(titleWidth, subWidth)));
    return QSize(w, heightForWidth(w));
}

QSize TabHeader::minimumSizeHint() const {
    const int w = int(std::ceil(std::min(double(sizeHint().width()), 200.0)));
    return QSize(w, heightForWidth(w));
}

void TabHeader::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFontMetricsF title(titleFont());
    painter.setFont(titleFont());
    painter.setPen(Theme::ink.resolve(env));
    painter.drawText(QRectF(0, 0, width(), title.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     title.elidedText(title_, Qt::ElideRight, width()));
    painter.setFont(subtitleFont());
    painter.setPen(Theme::ink.opacity(subtitleOpacity).resolve(env));
    painter.drawText(subtitleRect(width()), wrapFlags, subtitle_);
}

}  // namespace velorin
