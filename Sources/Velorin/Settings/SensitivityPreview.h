#pragma once
// The picture beside the sensitivity sliders: a small trackpad with its four
// corner zones, the ring a finger may travel in before a tap stops being a
// tap, and three timing bars (the longest tap, the gap between taps, the hold
// time) on a common 0 to 3 second scale, with the setting moved last
// highlighted. It only shows the values it is given: every change of them
// glides with `Theme.wobble`, a change of focus with `Theme.snappy`.

#include <QWidget>

#include <array>
#include <optional>

#include "Recognizer/RecognizerConfig.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Settings/SensitivityRules.h"

namespace velorin {

class SensitivityPreview : public GlassCard {
    Q_OBJECT
public:
    using Focus = SensitivityFocus;

    explicit SensitivityPreview(QWidget* parent = nullptr);
    ~SensitivityPreview() override;

    const RecognizerConfig& config() const { return config_; }
    void setConfig(const RecognizerConfig& config);
    std::optional<Focus> focus() const { return focus_; }
    void setFocus(std::optional<Focus> focus);

    // What is drawn now (mid-animation values while something glides).
    struct Shown {
        double maxTapDuration = 0;
        double multiTapInterval = 0;
        double holdDuration = 0;
        double maxTravel = 0;
        double cornerSize = 0;
        std::array<double, 5> highlight{};  // by focus, 0…1
    };
    Shown shown() const;

    QWidget* pad() const { return pad_; }
    // The "Tap", "Gap" and "Hold" bars.
    const std::array<QWidget*, 3>& bars() const { return bars_; }

    static constexpr double width = 250;

private:
    class Pad;
    class Bar;
    void repaintParts();

    RecognizerConfig config_;
    std::optional<Focus> focus_;
    std::array<AnimatedValue<double>, 5> values_;     // tap, gap, hold, travel, corner
    std::array<AnimatedValue<double>, 5> highlight_;  // by focus
    QWidget* pad_ = nullptr;
    std::array<QWidget*, 3> bars_{};
};

}  // namespace velorin
