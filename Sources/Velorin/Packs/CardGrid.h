#pragma once
// The packs tab's grid: as many columns of at least 330 points as fit, 14
// points apart, each row as tall as its tallest card, cards aligned to the
// top. The cells are the grid's children, in the order last set. A change
// of cells may be animated: cells that stay glide to their new places, new
// ones grow from 96 % and fade in, and those no longer listed fade and shrink
// where they stood, then hide.

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

#include "Velorin/Design/Animated.h"

namespace velorin {

class CardGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumColumn = 330;
    static constexpr int spacing = 14;

    explicit CardGrid(QWidget* parent = nullptr);

    static constexpr double enteringScale = 0.96;

    ~CardGrid() override;

    // The cells in order; they become children of the grid and are shown.
    // Cells that were listed and are not any more are hidden, at once or
    // after their way out.
    void setCells(std::vector<QWidget*> cells, bool animated = false);
    const std::vector<QWidget*>& cells() const { return cells_; }
    // Deletes a cell that is no longer listed, once it is out of sight.
    void discard(QWidget* cell);
    // Whether a cell is on its way out.
    bool isLeaving(const QWidget* cell) const;
    // A cell's place once the grid has settled.
    QRect targetGeometry(const QWidget* cell) const;

    static int columns(int width);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Transitions;

    int place(int width, bool move) const;
    void moved();

    std::vector<QWidget*> cells_;
    std::unique_ptr<Transitions> transitions_;
};

}  // namespace velorin
