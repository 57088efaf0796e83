#pragma once
// A small capsule label: an optional symbol and one line of text (shortened
// in the middle when it doesn't fit) on a tinted capsule.

#include "Velorin/Design/Color.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/Theme.h"

#include <QWidget>

#include <optional>
#include <string>

namespace velorin {

class Chip : public QWidget {
    Q_OBJECT

public:
    static constexpr double fontPoints = 11;
    static constexpr double symbolPoints = 9;
    static constexpr double spacing = 4;             // points between symbol and text
    static constexpr double horizontalPadding = 8;   // points
    static constexpr double verticalPadding = 3;     // points

    explicit Chip(QWidget* parent = nullptr);
    // `tint` fills the capsule (a colour, or a pack's gradient); `foreground` draws text and symbol.
    Chip(const QString& text, std::optional<std::string> systemImage, ShapeFill tint, ThemeColor foreground,
         QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    const std::optional<std::string>& systemImage() const { return systemImage_; }
    void setSystemImage(std::optional<std::string> symbol);
    const ShapeFill& tint() const { return tint_; }
    void setTint(const ShapeFill& tint);
    ThemeColor foreground() const { return foreground_; }
    void setForeground(ThemeColor color);

    // The text as drawn in the chip's current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double symbolWidth() const;

    QString text_;
    std::optional<std::string> systemImage_;
    ShapeFill tint_ = Theme::inkFaint;
    ThemeColor foreground_ = Theme::ink;
    DisplayObserver display_;
};

}  // namespace velorin
