#pragma once
// A number's text, right-aligned, that can roll to a new text: the old text
// moves up and fades out while the new one comes up from below, on a spring
// (a counter that counts up, whichever way the value went). A plain change,
// instant motion or a hidden widget just shows the new text. Its colour
// resolves when it paints, and may fade from one colour to another on a
// spring (at once under Reduce Motion).

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Color.h"
#include "Velorin/Design/Spring.h"

#include <QFont>
#include <QWidget>

namespace velorin {

class NumericText : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text)

public:
    NumericText(QFont font, ThemeColor color, QWidget* parent = nullptr);

    QString text() const { return text_; }
    // Shows `text` at once.
    void setText(const QString& text);
    // Rolls to `text` with `spring`.
    void rollTo(const QString& text, const Spring& spring);
    ThemeColor color() const { return color_; }
    void setColor(ThemeColor color);
    // Moves from the colour drawn now to `color` along `spring`; instant
    // motion, Reduce Motion and a hidden widget show it at once.
    void fadeColorTo(ThemeColor color, const Spring& spring);
    // The colour the text is drawn in now.
    QColor drawnColor() const;
    QFont textFont() const { return font_; }

    // How far the latest change has rolled: 0 just changed … 1 in place.
    double progress() const { return progress_.value(); }
    QString previousText() const { return previous_; }
    bool isRolling() const { return progress_.isAnimating(); }

    // The text's baseline, from the widget's top.
    double baseline() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont font_;
    ThemeColor color_;
    QString text_;
    QString previous_;
    AnimatedValue<double> progress_;
    AnimatedValue<QColor> fading_;  // the drawn colour, while it fades
};

}  // namespace velorin
