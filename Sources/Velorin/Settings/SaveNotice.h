#pragma once
// The one-line notice at the bottom of the settings window that shows the
// model's save error: the warning symbol and the text on a warning-tinted
// capsule. It slides up from the bottom edge and fades in while a text is
// set, and slides back down and fades out once it is cleared (`Theme.wobble`).

#include <QWidget>

#include <optional>
#include <string>

#include "Velorin/Design/Animated.h"

namespace velorin {

class SaveNotice : public QWidget {
    Q_OBJECT
public:
    explicit SaveNotice(QWidget* parent);

    // Absent hides the notice (it keeps showing the last text while it leaves).
    void setText(const std::optional<std::string>& text);
    QString text() const { return text_; }
    bool isShowing() const { return showing_; }
    // 0 gone … 1 in place.
    double presence() const { return presence_.value(); }

    // Places the notice at the bottom centre of `area` (its parent's rect).
    void place(const QRect& area);

    QSize sizeHint() const override;

    static constexpr int bottomSpace = 14;
    static constexpr int horizontalPadding = 14;
    static constexpr int verticalPadding = 9;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void moved();

    QString text_;
    bool showing_ = false;
    QRect area_;
    AnimatedValue<double> presence_;
};

}  // namespace velorin
