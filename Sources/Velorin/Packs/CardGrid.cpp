#include "Velorin/Packs/CardGrid.h"

#include <QEvent>

#include <algorithm>

#include "Velorin/Design/Display.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Packs/Presence.h"

namespace velorin {

namespace {

QRect between(const QRect& from, const QRect& to, double p) {
    auto mix = [p](int a, int b) { return int(std::lround(a + (b - a) * p)); };
    return QRect(mix(from.x(), to.x()), mix(from.y(), to.y()), mix(from.width(), to.width()),
                 mix(from.height(), to.height()));
}

}  // namespace

// The moving parts of a change: the glide of the cells that stay, and each
// cell's way in or out.
class CardGrid::Transitions {
public:
    struct Entry {
        QPointer<QWidget> cell;
        std::unique_ptr<Presence> presence;
        bool discarded = false;
    };

    explicit Transitions(CardGrid* grid) : glide(1.0, [grid] { grid->moved(); }) {}

    Entry& entry(QWidget* cell) {
        Entry& e = entries[cell];
        if (e.cell != cell) {  // new, or a stale entry of a deleted cell at the same address
            e.cell = cell;
            e.presence = std::make_unique<Presence>(cell, PresenceStyle{CardGrid::enteringScale, 0});
            e.discarded = false;
        }
        return e;
    }
    const Entry* find(const QWidget* cell) const {
        auto it = entries.find(const_cast<QWidget*>(cell));
        return it != entries.end() && it->second.cell == cell ? &it->second : nullptr;
    }

    AnimatedValue<double> glide;  // 0 at `from`, 1 at the targets
    std::map<QWidget*, QRect> from;
    mutable std::map<const QWidget*, QRect> targets;
    std::map<QWidget*, Entry> entries;
};

CardGrid::CardGrid(QWidget* parent) : QWidget(parent), transitions_(std::make_unique<Transitions>(this)) {
    setObjectName("packsGrid");
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

CardGrid::~CardGrid() = default;

void CardGrid::setCells(std::vector<QWidget*> cells, bool animated) {
    Transitions& t = *transitions_;
    const bool animate = animated && isVisible() && !velorin::Motion::instant();
    if (cells == cells_) {
        for (QWidget* cell : cells_) cell->show();
        return;
    }
    std::vector<QWidget*> old = std::move(cells_);
    auto listed = [](const std::vector<QWidget*>& list, QWidget* cell) {
        return std::find(list.begin(), list.end(), cell) != list.end();
    };

    // Cells that stay glide from where they stand now.
    t.from.clear();
    if (animate && !Display::reduceMotion()) {
        for (QWidget* cell : cells)
            if (listed(old, cell) && !cell->isHidden()) t.from[cell] = cell->geometry();
    }
    for (QWidget* cell : cells) {
        if (cell->parentWidget() != this) cell->setParent(this);
        const bool entering = !listed(old, cell) || isLeaving(cell);
        Transitions::Entry& e = t.entry(cell);
        e.discarded = false;
        if (entering && animate) {
            e.presence->appear(Animation::spring(Theme::snappy));
            cell->raise();
        } else if (entering) {
            e.presence->show();
        }
        cell->show();
    }
    for (QWidget* cell : old) {
        if (listed(cells, cell)) continue;
        Transitions::Entry& e = t.entry(cell);
        QPointer<QWidget> guard(cell);
        auto hide = [this, guard] {
            if (!guard) return;
            guard->hide();
            const Transitions::Entry* left = transitions_->find(guard);
            if (left && left->discarded) {
                transitions_->entries.erase(guard.data());
                guard->deleteLater();
            }
        };
        if (animate) {
            cell->lower();
            e.presence->leave(Animation::spring(Theme::snappy), hide);
        } else {
            e.presence->show();
            hide();
        }
    }
    cells_ = std::move(cells);
    if (!t.from.empty()) {
        t.glide.setValue(0);
        t.glide.animateTo(1, Animation::spring(Theme::snappy));
    } else {
        t.glide.setValue(1);
    }
    place(width(), true);
    updateGeometry();
}

void CardGrid::discard(QWidget* cell) {
    if (!cell) return;
    if (isLeaving(cell)) {
        transitions_->entry(cell).discarded = true;
        return;
    }
    transitions_->entries.erase(cell);
    cell->hide();
    cell->deleteLater();
}

bool CardGrid::isLeaving(const QWidget* cell) const {
    const Transitions::Entry* e = transitions_->find(cell);
    return e && e->presence->isLeaving();
}

QRect CardGrid::targetGeometry(const QWidget* cell) const {
    auto it = transitions_->targets.find(cell);
    return it == transitions_->targets.end() ? QRect() : it->second;
}

void CardGrid::moved() {
    place(width(), true);
    const AnimatedValue<double>& glide = transitions_->glide;
    if (!glide.isAnimating() && glide.value() >= 1) transitions_->from.clear();
}

int CardGrid::columns(int width) { return std::max(1, (width + spacing) / (minimumColumn + spacing)); }

int CardGrid::place(int width, bool move) const {
    const Transitions& t = *transitions_;
    const int n = columns(width);
    const int column = std::max(1, (width - spacing * (n - 1)) / n);
    const double glide = t.glide.value();
    if (move) t.targets.clear();
    int y = 0;
    for (std::size_t start = 0; start < cells_.size(); start += std::size_t(n)) {
        int rowHeight = 0;
        const std::size_t end = std::min(cells_.size(), start + std::size_t(n));
        for (std::size_t i = start; i < end; ++i) {
            QWidget* cell = cells_[i];
            const int h = cell->hasHeightForWidth() ? cell->heightForWidth(column) : cell->sizeHint().height();
            rowHeight = std::max(rowHeight, h);
            if (!move) continue;
            const QRect target(int(i - start) * (column + spacing), y, column, h);
            t.targets[cell] = target;
            auto from = t.from.find(cell);
            cell->setGeometry(from != t.from.end() && glide < 1 ? between(from->second, target, glide) : target);
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
