#pragma once
// A key combination drawn as separate key caps: one per modifier glyph, then
// one for the key (with "fn" when set), each a raised cap with a hard drop
// shadow. The normal size is the keys panel's; the small one sits beside a
// menu command.

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Actions/KeyCombo.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Editor/ComposerRules.h"

namespace velorin {

// How one combination's caps give way to the next: the new caps grow from
// 0.85 and fade in while the old ones shrink to 0.85 and fade out, each about
// its own centre, both along one spring's progress (0 at the change, 1 at
// rest; the spring may swing past 1). The caps' room in their row follows the
// same progress from the old width to the new, and is never less than what
// is drawn, so neither set of caps is cut off.
struct CapsSwap {
    CapsSwap() = delete;

    static constexpr double hiddenScale = 0.85;

    struct Look {
        double scale = 1;
        double opacity = 1;
        bool operator==(const Look&) const = default;
    };
    static Look entering(double progress);
    static Look leaving(double progress);
    // How far caps `width` wide reach from the leading edge, drawn at `look`'s scale.
    static double extent(double width, Look look);
    // The room for both sets of caps, laid from the same leading edge.
    static double width(double progress, double oldWidth, double newWidth);
};

// The combinations the caps show while they swap: the current one coming in
// and every earlier one still on its way out, each on its own spring. A change
// that comes mid-swap sends the current caps out from where they stand and
// lets those already leaving finish leaving; a combination that comes back
// while it leaves turns round where it stands.
class CapsSwaps {
public:
    // `onFrame` is called on every frame of a swap.
    explicit CapsSwaps(const KeyCombo& combo, std::function<void()> onFrame = {});
    ~CapsSwaps();

    const KeyCombo& current() const;
    // Swaps to `combo` along `spring`; without one at once, dropping every
    // set on its way out.
    void show(const KeyCombo& combo, const std::optional<Spring>& spring);

    // How far the current caps have come in: 0 when they have just come, 1 at rest.
    double entrance() const;
    struct Leaving {
        KeyCombo combo;
        double presence;  // 1 while whole, 0 once gone
        CapsSwap::Look look;
    };
    // The sets still on their way out, the oldest first.
    std::vector<Leaving> leaving() const;
    bool isSwapping() const;

private:
    struct Set;
    std::vector<std::unique_ptr<Set>> sets_;  // the current one last
    std::function<void()> onFrame_;
};

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

    const KeyCombo& combo() const { return swaps_.current(); }
    // While changes animate, a new combination swaps in for the old one as
    // `CapsSwap` says, on the spring of response 0.4 and damping 0.65, and the
    // caps' room springs with it; otherwise (and under Reduce Motion) at once.
    void setCombo(const KeyCombo& combo);
    void setAnimatesChanges(bool on) { animates_ = on; }
    // The swap now: 0 when a combination has just come, 1 at rest.
    double entrance() const { return swaps_.entrance(); }
    double capsScale() const { return CapsSwap::entering(entrance()).scale; }
    double capsOpacity() const { return CapsSwap::entering(entrance()).opacity; }
    // The latest combination on its way out, while one is, and its look.
    std::optional<KeyCombo> leavingCombo() const;
    CapsSwap::Look leavingLook() const;
    const CapsSwaps& swaps() const { return swaps_; }
    bool isSmall() const { return small_; }
    // The caps' texts and their faces, left to right, in this widget.
    std::vector<std::string> parts() const;
    std::vector<QRectF> capRects() const { return capRects(combo()); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Metrics& metrics() const { return small_ ? compact : normal; }
    QFont font() const;
    std::vector<QRectF> capRects(const KeyCombo& combo) const;
    double capsWidth(const KeyCombo& combo) const;
    void paintCaps(QPainter& painter, const KeyCombo& combo, CapsSwap::Look look, const ColorEnvironment& env) const;
    void swapped();

    bool small_;
    bool animates_ = false;
    CapsSwaps swaps_;
    DisplayObserver display_;
};

}  // namespace velorin
