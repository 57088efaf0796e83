#pragma once
// A pill button with a symbol before its title (or a symbol alone): the
// design system's `PillButton`, with room made in its label for the symbol,
// which may be turned about its centre (the add button's plus turns while
// hovered).

#include <QString>

#include <string>

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/PillButton.h"

namespace velorin {

class SymbolPill : public PillButton {
    Q_OBJECT
public:
    static constexpr double gap = 6;  // points between the symbol and the title

    SymbolPill(std::string symbol, double symbolPoints, const QString& title, bool primary, QWidget* parent = nullptr);

    const std::string& symbol() const { return symbol_; }
    QString title() const { return title_; }
    void setTitle(const QString& title);
    // Degrees the symbol is turned; animated with `Theme.wobble`.
    double turn() const { return turn_.value(); }
    void setTurn(double degrees);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF symbolRect() const;

    std::string symbol_;
    double symbolPoints_;
    QString title_;
    AnimatedValue<double> turn_;
};

}  // namespace velorin
