#pragma once
// The surface of the packs views' sheets and popovers: the window's floor
// colour on a rounded card with a faint rim, and for a popover an arrow on its
// top edge that points at the middle of its anchor. Its content goes in
// `column()`.

#include <QPointer>
#include <QWidget>

#include <optional>

#include "Velorin/Design/Display.h"

class QVBoxLayout;

namespace velorin {

class SheetSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr double radius = 14;

    // `padding` on every side, `spacing` between the column's items.
    static constexpr int arrowHeight = 7;

    SheetSurface(int padding, int spacing, QWidget* parent = nullptr);
    QVBoxLayout* column() const { return column_; }

    // Makes the surface a popover of `anchor`: room for the arrow above the card.
    void pointAt(QWidget* anchor);
    // Where the arrow's tip stands, from the surface's left edge; none without an anchor.
    std::optional<double> arrowX() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int padding_;
    QVBoxLayout* column_ = nullptr;
    QPointer<QWidget> anchor_;
    DisplayObserver display_;
};

}  // namespace velorin
