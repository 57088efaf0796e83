#pragma once
// A label in one of the theme's colours, recoloured when the appearance
// changes; optionally with the halos that keep text legible on the water.

#include <QLabel>

class QLineEdit;

#include "Velorin/Design/Color.h"
#include "Velorin/Design/Display.h"

namespace velorin {

class ThemedLabel : public QLabel {
    Q_OBJECT
public:
    ThemedLabel(const QString& text, const QFont& font, ThemeColor color, QWidget* parent = nullptr);

    ThemeColor color() const { return color_; }
    void setColor(ThemeColor color);
    // Sets the text only when it differs.
    void setTextIfChanged(const QString& text);
    void setReadableOnWater(bool on);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void recolor();

    ThemeColor color_;
    DisplayObserver display_;
};

// Gives a borderless text field the theme's ink for its text and the muted
// ink for its placeholder, in the appearance `host` draws in; call again when
// the appearance changes.
void themeTextField(QLineEdit* edit, const QWidget* host);

// One symbol, drawn centred in a fixed square, optionally on a filled circle.
class SymbolView : public QWidget {
    Q_OBJECT
public:
    SymbolView(std::string symbol, double points, ThemeColor color, double side, QWidget* parent = nullptr);

    const std::string& symbol() const { return symbol_; }
    void setSymbol(std::string symbol);
    void setColor(ThemeColor color);
    void setDisc(std::optional<ThemeColor> disc);
    // Turns the glyph about its centre, degrees clockwise.
    void setRotation(double degrees);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string symbol_;
    double points_;
    ThemeColor color_;
    double side_;
    std::optional<ThemeColor> disc_;
    double rotation_ = 0;
    DisplayObserver display_;
};

}  // namespace velorin
