#pragma once
// A key combination drawn as separate key caps: one per modifier glyph, then
// one for the key (with "fn" when set), each a raised cap with a hard drop
// shadow. The normal size is the keys panel's; the small one sits beside a
// menu command.

#include <QWidget>

#include <string>
#include <vector>

#include "Actions/KeyCombo.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"

namespace velorin {

class Keycaps : public QWidget {
    Q_OBJECT
public:
    struct Metrics {
        double fontPoints;
        double minimumSide;  // width and height, at least
        double padding;      // on each side, around the minimum frame
        double radius;
        double drop;         // the hard shadow, straight down
        double spacing;      // between caps
    };
    static constexpr Metrics normal{17, 40, 8, 9, 3, 6};
    static constexpr Metrics compact{11, 18, 4, 5, 1.5, 3};

    Keycaps(const KeyCombo& combo, bool small, QWidget* parent = nullptr);

    const KeyCombo& combo() const { return combo_; }
    // While changes animate, a new combination's caps come in scaling up
    // from 0.85 as they fade in; otherwise (and under Reduce Motion) at once.
    void setCombo(const KeyCombo& combo);
    void setAnimatesChanges(bool on) { animates_ = on; }
    // The caps' entrance now: 0 when a combination has just come, 1 at rest.
    double entrance() const { return entrance_.value(); }
    double capsScale() const;
    double capsOpacity() const;
    bool isSmall() const { return small_; }
    // The caps' texts and their faces, left to right, in this widget.
    std::vector<std::string> parts() const;
    std::vector<QRectF> capRects() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Metrics& metrics() const { return small_ ? compact : normal; }
    QFont font() const;

    KeyCombo combo_;
    bool small_;
    bool animates_ = false;
    AnimatedValue<double> entrance_;
    DisplayObserver display_;
};

}  // namespace velorin
