#include "Velorin/Settings/TabPage.h"

#include <QScrollBar>
#include <QVBoxLayout>

namespace velorin {

TabPage::TabPage(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    // The water shows through: neither the area nor its page paint a background.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    auto* page = new QWidget;
    column_ = new QVBoxLayout(page);
    column_->setContentsMargins(0, 0, 0, bottomPadding);
    column_->setSpacing(spacing);
    setWidget(page);
    // setWidget turns the page's background on: off again.
    page->setAutoFillBackground(false);
}

void TabPage::add(QWidget* part) { column_->addWidget(part); }

void TabPage::add(QLayout* part) { column_->addLayout(part); }

void TabPage::finish() { column_->addStretch(1); }

}  // namespace velorin
