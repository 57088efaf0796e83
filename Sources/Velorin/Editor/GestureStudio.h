#pragma once
// The gesture studio: the quickest road from a gesture to a working shortcut.
// It covers the settings window; the user does a gesture on the touchpad, the
// studio shows it on the live pad, the user picks what it does (the action
// popover) and where it goes (the target popover: My shortcuts or a pack),
// and one press of "Save" stores it. `done` closes the studio.
//
// What the studio decides lives in its `GestureStudioSession`; this widget
// shows it and forwards the user's presses.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Recognizer/Gesture.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Transition.h"

class QScrollArea;
class QVBoxLayout;

namespace velorin {

class ActionComposer;
class AppModel;
class GestureStudioSession;
class LivePadFeed;
class ListeningRing;
class PadStage;
class PillButton;
class SymbolPill;
class ThemedText;
class WindowShownWatch;

namespace studio {
class Capsule;
class ChipButton;
class Line;
class Listening;
class SavedCard;
}  // namespace studio

class GestureStudio : public QWidget {
    Q_OBJECT
public:
    static constexpr int padMaxWidth = 620;   // points
    static constexpr int lineMaxWidth = 680;  // points
    static constexpr QSize actionPanelSize{600, 470};
    static constexpr QSize targetPanelSize{300, 380};

    GestureStudio(AppModel& model, std::optional<std::string> packID, std::function<void()> done,
                  QWidget* parent = nullptr);
    ~GestureStudio() override;

    GestureStudioSession& session() const { return *session_; }
    // The open popovers, if any.
    QWidget* actionPopover() const { return actionPopover_; }
    QWidget* targetPopover() const { return targetPopover_; }
    ActionComposer* composer() const;

    // The parts that come and go, and how each is drawn now (at rest: as it is).
    enum class Part { listening, capsule, retry, hint, line, clash, saved };
    TransitionLook look(Part part) const;
    // The "Saved" check's scale now (it bounces when the card comes).
    double savedCheckScale() const;
    // The look of a chip's title now: a new title comes up from below.
    enum class Chip { action, target };
    TransitionLook chipTitleLook(Chip chip) const;

    // Parts by object name: "studio.close", "studio.pad", "studio.listening",
    // "studio.capsule", "studio.retry", "studio.hint", "studio.line",
    // "studio.actionChip", "studio.targetChip", "studio.save", "studio.clash",
    // "studio.saved"; in the target popover "studio.target.mine" and one
    // "studio.target" per pack (its id as the property "packID").

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    // Shows, hides, fades, scales and places the parts as their presentations stand.
    void applyLooks();
    void placeLine();
    // A frame of a part on its way.
    void lookFrame() {
        if (!refreshing_) applyLooks();
    }
    const Presentation& presentation(Part part) const;
    void syncPopovers();
    QWidget* makeActionPopover();
    QWidget* makeTargetPopover();
    void layoutPad();

    AppModel& model_;
    std::unique_ptr<GestureStudioSession> session_;
    bool started_ = false;
    SymbolPill* close_ = nullptr;
    QWidget* padHolder_ = nullptr;
    PadStage* pad_ = nullptr;
    std::unique_ptr<LivePadFeed> feed_;
    studio::Listening* listening_ = nullptr;
    studio::Capsule* capsule_ = nullptr;
    SymbolPill* retry_ = nullptr;
    ThemedText* hint_ = nullptr;
    studio::Line* line_ = nullptr;
    QWidget* lineSlot_ = nullptr;  // the line's place in the layout; the line is drawn over it, or below on its way
    ThemedText* lineGesture_ = nullptr;
    studio::ChipButton* actionChip_ = nullptr;
    studio::ChipButton* targetChip_ = nullptr;
    PillButton* save_ = nullptr;
    ThemedText* clash_ = nullptr;
    studio::SavedCard* savedCard_ = nullptr;
    QPointer<QWidget> actionPopover_;
    QPointer<QWidget> targetPopover_;
    QPointer<ActionComposer> composer_;
    WindowShownWatch* watch_ = nullptr;
    int splashesShown_ = 0;

    // What the last refresh drew, to tell what changed.
    bool drawn_ = false;
    bool refreshing_ = false;
    std::optional<Gesture> drawnGesture_;
    std::optional<std::string> drawnTarget_;
    bool drawnBump_ = false;
    bool drawnSaved_ = false;
    Presentation listeningShown_{false, [this] { lookFrame(); }};
    Presentation capsuleShown_{false, [this] { lookFrame(); }};
    Presentation retryShown_{false, [this] { lookFrame(); }};
    Presentation hintShown_{false, [this] { lookFrame(); }};
    Presentation lineShown_{false, [this] { lookFrame(); }};
    Presentation clashShown_{false, [this] { lookFrame(); }};
    Presentation savedShown_{false, [this] { lookFrame(); }};
};

}  // namespace velorin
