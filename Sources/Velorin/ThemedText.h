#pragma once
// A line or a paragraph of text in a theme colour, resolved when it paints
// (so a change of appearance, forced or the desktop's, recolours it at once),
// optionally with a symbol before it and the halos that keep text legible on
// the water. A paragraph wraps onto as many lines as it needs.

#include <QFont>
#include <QWidget>

#include <optional>
#include <string>

#include "Velorin/Design/Color.h"

namespace velorin {

class ThemedText : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text)
public:
    ThemedText(const QString& text, QFont font, ThemeColor color, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    void setColor(ThemeColor color);
    ThemeColor color() const { return color_; }
    // Wraps onto more lines (else one line, cut short in the middle).
    void setWrapping(bool wraps);
    // Centres each line (else lines start at the leading edge).
    void setCentred(bool centred);
    // A symbol before the text, at the text's size, in `symbolColor` (the text's by default).
    void setSymbol(std::optional<std::string> symbol, std::optional<ThemeColor> symbolColor = std::nullopt);
    void setReadableOnWater(bool on);

    bool hasHeightForWidth() const override { return wraps_; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double symbolRoom() const;
    QRectF textRect() const;

    QString text_;
    QFont font_;
    ThemeColor color_;
    std::optional<std::string> symbol_;
    std::optional<ThemeColor> symbolColor_;
    bool wraps_ = false;
    bool centred_ = false;
    bool readable_ = false;
};

}  // namespace velorin
