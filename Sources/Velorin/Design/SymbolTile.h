#pragma once
// A rounded square showing a symbol: the accent gradient with a white
// symbol when active, the second surface tone with a muted symbol when not.
// Changes of `active` blend with the wobble spring and bounce the symbol.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/SymbolBounce.h"

#include <QWidget>

#include <string>

namespace velorin {

class SymbolTile : public QWidget {
    Q_OBJECT

public:
    static constexpr double symbolShare = 0.45;  // of the edge, the symbol's size
    static constexpr double cornerShare = 0.32;  // of the edge, the corner radius
    static constexpr double bounceStart = SymbolBounce::start;

    explicit SymbolTile(QWidget* parent = nullptr);
    SymbolTile(std::string symbol, bool active, double size, QWidget* parent = nullptr);

    const std::string& symbol() const { return symbol_; }
    void setSymbol(std::string symbol);
    bool isActive() const { return active_; }
    void setActive(bool active);
    double edge() const { return size_; }
    void setEdge(double size);

    double symbolPixelSize() const { return size_ * symbolShare; }
    double cornerRadius() const { return size_ * cornerShare; }
    // Now: how far the active look has blended in (0…1), and the symbol's bounce scale.
    double activeAmount() const { return activeAmount_.value(); }
    double symbolScale() const { return bounce_.scale(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string symbol_;
    bool active_ = false;
    double size_ = 40;
    AnimatedValue<double> activeAmount_;
    SymbolBounce bounce_;
    DisplayObserver display_;
};

}  // namespace velorin
