#include "Velorin/Design/LiquidToggle.h"

#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

namespace velorin {

namespace {
constexpr double labelPoints = 13;
}

LiquidToggle::LiquidToggle(const QString& label, bool on, QWidget* parent)
    : QWidget(parent), label_(new QLabel(label, this)), switch_(new LiquidSwitch(on)), display_([this] { restyle(); }) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label_, 1, Qt::AlignVCenter);
    row->addWidget(switch_, 0, Qt::AlignVCenter);
    label_->setObjectName(QStringLiteral("liquidToggleLabel"));
    switch_->setObjectName(QStringLiteral("liquidToggleSwitch"));
    label_->setFont(Fonts::system(labelPoints));
    label_->setBuddy(switch_);
    switch_->setAccessibleName(label);
    connect(switch_, &QAbstractButton::toggled, this, &LiquidToggle::toggled);
    connect(switch_, &QAbstractButton::clicked, this, &LiquidToggle::clicked);
    restyle();
}

QString LiquidToggle::text() const { return label_->text(); }

void LiquidToggle::setText(const QString& text) {
    if (text == label_->text()) return;
    label_->setText(text);
    switch_->setAccessibleName(text);
}

void LiquidToggle::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::DynamicPropertyChange) restyle();
}

void LiquidToggle::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    restyle();
}

void LiquidToggle::restyle() {
    // The label draws with its palette; it follows the appearance the toggle draws in.
    QPalette palette = label_->palette();
    const QColor ink = Theme::ink.resolve(colorEnvironmentFor(this));
    palette.setColor(QPalette::WindowText, ink);
    palette.setColor(QPalette::Text, ink);
    label_->setPalette(palette);
}

}  // namespace velorin
