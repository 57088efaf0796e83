#include "Velorin/Editor/PopUpMenu.h"

#include <QAbstractItemView>
#include <QPainter>
#include <algorithm>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

namespace velorin {
namespace {

QFont faceFont() {
    QFont font;
    font.setPixelSize(int(PopUpMenu::fontPoints));
    font.setWeight(QFont::Medium);
    return font;
}

}  // namespace

PopUpMenu::PopUpMenu(QWidget* parent) : QComboBox(parent) {
    setFont(faceFont());
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString PopUpMenu::shownText() const { return currentIndex() < 0 ? placeholderText() : currentText(); }

QSize PopUpMenu::sizeHint() const {
    const QFontMetrics metrics(font());
    int widest = metrics.horizontalAdvance(placeholderText());
    for (int i = 0; i < count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    return {int(textInset + widest + 8 + chevronPoints + chevronInset), int(faceHeight)};
}

QSize PopUpMenu::minimumSizeHint() const { return {int(textInset + chevronPoints + chevronInset), int(faceHeight)}; }

void PopUpMenu::showPopup() {
    // The list opens in the appearance the face is drawn in.
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPalette palette = view()->palette();
    for (auto role : {QPalette::Base, QPalette::Window, QPalette::Button}) palette.setColor(role, Theme::warmWhite.resolve(env));
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) palette.setColor(role, Theme::ink.resolve(env));
    palette.setColor(QPalette::Highlight, Theme::honey.resolve(env));
    palette.setColor(QPalette::HighlightedText, Theme::onAccent.resolve(env));
    view()->setPalette(palette);
    if (QWidget* frame = view()->parentWidget()) frame->setPalette(palette);
    QComboBox::showPopup();
}

void PopUpMenu::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1 : 0.45);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = continuousRoundedRect(face, radius);
    painter.fillPath(shape, Theme::warmWhite.resolve(env));
    if (hovered_ && isEnabled()) painter.fillPath(shape, Theme::inkFaint.opacity(0.5).resolve(env));
    painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
    painter.drawPath(shape);
    if (focusRing_.shows()) {
        painter.setPen(QPen(Theme::honey.resolve(env), 2));
        painter.drawPath(continuousRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1));
    }

    const QRectF chevron(face.right() - chevronInset - chevronPoints, face.center().y() - chevronPoints / 2,
                         chevronPoints, chevronPoints);
    Symbols::draw(painter, chevron, "chevron.up.chevron.down", Theme::inkMuted.resolve(env), chevronPoints);

    const QRectF textRect(face.left() + textInset, face.top(), chevron.left() - 4 - face.left() - textInset,
                          face.height());
    painter.setFont(font());
    painter.setPen(Theme::ink.resolve(env));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(font()).elidedText(shownText(), Qt::ElideRight, textRect.width()));
}

void PopUpMenu::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    hovered_ = true;
    update();
}

void PopUpMenu::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    hovered_ = false;
    update();
}

}  // namespace velorin
