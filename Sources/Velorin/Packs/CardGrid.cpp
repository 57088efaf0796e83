#include "Velorin/Packs/CardGrid.h"

#include <QEvent>

#include <algorithm>

namespace velorin {

CardGrid::CardGrid(QWidget* parent) : QWidget(parent) {
    setObjectName("packsGrid");
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CardGrid::setCells(std::vector<QWidget*> cells) {
    for (QWidget* cell : cells) {
        if (cell->parentWidget() != this) cell->setParent(this);
        cell->show();
    }
    if (cells == cells_) return;
    cells_ = std::move(cells);
    place(width(), true);
    updateGeometry();
}

int CardGrid::columns(int width) { return std::max(1, (width + spacing) / (minimumColumn + spacing)); }

int CardGrid::place(int width, bool move) const {
    const int n = columns(width);
    const int column = std::max(1, (width - spacing * (n - 1)) / n);
    int y = 0;
    for (std::size_t start = 0; start < cells_.size(); start += std::size_t(n)) {
        int rowHeight = 0;
        const std::size_t end = std::min(cells_.size(), start + std::size_t(n));
        for (std::size_t i = start; i < end; ++i) {
            QWidget* cell = cells_[i];
            const int h = cell->hasHeightForWidth() ? cell->heightForWidth(column) : cell->sizeHint().height();
            rowHeight = std::max(rowHeight, h);
            if (move) cell->setGeometry(int(i - start) * (column + spacing), y, column, h);
        }
        y += rowHeight + spacing;
    }
    return cells_.empty() ? 0 : y - spacing;
}

int CardGrid::heightForWidth(int width) const { return place(width, false); }

QSize CardGrid::sizeHint() const { return QSize(minimumColumn, heightForWidth(minimumColumn)); }

QSize CardGrid::minimumSizeHint() const { return QSize(0, 0); }

bool CardGrid::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) {
        place(width(), true);
        updateGeometry();
    }
    return QWidget::event(event);
}

void CardGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place(width(), true);
}

}  // namespace velorin
