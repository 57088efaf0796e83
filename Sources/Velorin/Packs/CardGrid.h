#pragma once
// The packs tab's grid: as many columns of at least 330 points as fit, 14
// points apart, each row as tall as its tallest card, cards aligned to the
// top. The cells are the grid's children, in the order last set.

#include <QWidget>

#include <vector>

namespace velorin {

class CardGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumColumn = 330;
    static constexpr int spacing = 14;

    explicit CardGrid(QWidget* parent = nullptr);

    // The cells in order; they become children of the grid.
    void setCells(std::vector<QWidget*> cells);
    const std::vector<QWidget*>& cells() const { return cells_; }

    static int columns(int width);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int place(int width, bool move) const;

    std::vector<QWidget*> cells_;
};

}  // namespace velorin
