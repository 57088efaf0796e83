#include "Velorin/Editor/SegmentedChoice.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

class SegmentedChoice::Segment final : public QAbstractButton {
public:
    Segment(const QString& text, QWidget* parent) : QAbstractButton(parent) {
        setText(text);
        setCheckable(true);
        QFont font;
        font.setPixelSize(int(fontPoints));
        font.setWeight(QFont::Medium);
        setFont(font);
        setAttribute(Qt::WA_Hover);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override {
        return {int(QFontMetrics(font()).horizontalAdvance(text()) + 2 * horizontalPadding),
                int(trackHeight - 2 * inset)};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        const ColorEnvironment env = colorEnvironmentFor(this);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath capsule = continuousCapsule(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        if (isChecked()) {
            // Raised above the track: a veil of the rim lifts it in the dark as well.
            painter.fillPath(capsule, Theme::warmWhite.resolve(env));
            painter.fillPath(capsule, Theme::rim.opacity(0.5).resolve(env));
            painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
            painter.drawPath(capsule);
        } else if (underMouse() || isDown()) {
            painter.fillPath(capsule, Theme::inkFaint.opacity(0.6).resolve(env));
        }
        if (focusRing_.shows()) {
            painter.setPen(QPen(Theme::honey.resolve(env), 1.5));
            painter.drawPath(capsule);
        }
        painter.setFont(font());
        painter.setPen((isChecked() ? Theme::ink : Theme::inkMuted).resolve(env));
        painter.drawText(rect(), Qt::AlignCenter, text());
    }

private:
    FocusRing focusRing_{this};
};

SegmentedChoice::SegmentedChoice(QWidget* parent) : QWidget(parent) {
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(int(inset), int(inset), int(inset), int(inset));
    row_->setSpacing(0);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QAbstractButton* SegmentedChoice::addSegment(const QString& text, const char* name) {
    auto* segment = new Segment(text, this);
    segment->setObjectName(name);
    group_->addButton(segment);
    row_->addWidget(segment);
    segments_.push_back(segment);
    return segment;
}

void SegmentedChoice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    painter.fillPath(continuousCapsule(QRectF(rect())), Theme::inkFaint.opacity(0.7).resolve(env));
}

}  // namespace velorin
