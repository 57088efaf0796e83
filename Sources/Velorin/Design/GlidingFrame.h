#pragma once
// Holds one content widget and lets its height glide. The content is always
// laid out at its own height for the frame's width (or the frame's, when
// that is taller during a glide), at the frame's top; the
// frame reports a height of its own, which follows the content's at once,
// except while a glide runs: then it moves along the glide's spring, and a
// further change of the content's height during the glide is taken up by the
// same spring. What does not fit is cut off at the frame's bottom edge, so a
// card around the frame grows and shrinks smoothly while its content stays
// put. Instant motion and Reduce Motion make every glide a jump.
//
//     frame->glide(Theme::wobble);  // after a change that alters the content's height

#include <QPointer>
#include <QWidget>

#include "Velorin/Design/Animated.h"

namespace velorin {

class GlidingFrame : public QWidget {
    Q_OBJECT
public:
    // Takes `content` as its child.
    explicit GlidingFrame(QWidget* content, QWidget* parent = nullptr);
    ~GlidingFrame() override;

    QWidget* content() const { return content_; }

    // Moves from the height shown now to the content's height along `spring`.
    void glide(const Spring& spring);
    bool isGliding() const { return height_.isAnimating(); }
    // The height shown now, and the content's own height for the frame's width.
    double shownHeight() const { return isGliding() ? height_.value() : contentHeight(); }
    double contentHeight() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double contentHeight(int width) const;
    void follow();
    void placeContent();

    QPointer<QWidget> content_;
    AnimatedValue<double> height_;
    Spring spring_;
    int lastReported_ = -1;
};

}  // namespace velorin
