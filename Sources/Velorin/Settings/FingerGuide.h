#pragma once
// The card beside the live pad that tells what a tap, double tap, triple tap
// and hold with the current number of fingers do in every app. It follows the
// fingers: while any are down it describes their number (at most 5); when
// they lift it keeps the last number used. It starts at 3 each time it is
// built. Its rows are kept by gesture and updated in place.

#include <QWidget>

#include <array>

#include "Velorin/Design/GlassCard.h"
#include "Velorin/Observations.h"
#include "Velorin/Settings/TrackpadRules.h"

namespace velorin {

class AppModel;
class ThemedText;

class FingerGuide : public GlassCard {
    Q_OBJECT
public:
    explicit FingerGuide(AppModel& model, QWidget* parent = nullptr);
    ~FingerGuide() override;

    int shown() const { return shown_; }
    // The big number and its word, as drawn.
    QString countText() const;
    QString wordText() const;
    // Whether the number is drawn in the accent (fingers are down).
    bool isLit() const { return lit_; }
    // A row's action text, or "Nothing yet"; and its dot's colour when it has an action.
    QString rowText(std::size_t row) const;
    std::optional<ThemeColor> rowDot(std::size_t row) const;
    QString rowLabel(std::size_t row) const;

    static constexpr double width = 210;

private:
    class Count;
    class Dot;
    struct Row {
        ThemedText* label = nullptr;
        QWidget* entry = nullptr;
        Dot* dot = nullptr;
        ThemedText* action = nullptr;
        ThemedText* nothing = nullptr;
        std::optional<ThemeColor> dotColor;
    };

    void followTouches(std::size_t touches);
    void refreshRows();

    AppModel& model_;
    int shown_ = TrackpadRules::initialGuideFingers;
    bool lit_ = false;
    Count* count_ = nullptr;
    std::array<Row, 4> rows_;
    Observations observations_;
};

}  // namespace velorin
