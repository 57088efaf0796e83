#pragma once
// The surface of the packs views' sheets and popovers: the window's floor
// colour on a rounded card with a faint rim. Its content goes in `column()`.

#include <QWidget>

#include "Velorin/Design/Display.h"

class QVBoxLayout;

namespace velorin {

class SheetSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr double radius = 14;

    // `padding` on every side, `spacing` between the column's items.
    SheetSurface(int padding, int spacing, QWidget* parent = nullptr);
    QVBoxLayout* column() const { return column_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* column_ = nullptr;
    DisplayObserver display_;
};

}  // namespace velorin
