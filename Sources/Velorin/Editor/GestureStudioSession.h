#pragma once
// The gesture studio's state and steps, apart from its widgets: listening
// for a gesture, the composed action and the chosen target, the popovers,
// saving, and the one-shot delays (the Save button's swell, closing the
// action popover after a pick, closing the studio after a save). The widget
// shows what this holds and calls its steps; `changed` tells it to redraw.
//
// The delays belong to this session: destroying it cancels them, so a delay
// of a closed studio never reaches the next one. Listening stops while the
// settings window is hidden or minimised and, while no gesture is caught,
// starts again when the window is shown.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Actions/Action.h"
#include "Recognizer/Gesture.h"
#include "Velorin/Editor/GestureListener.h"

namespace velorin {

class AppModel;
class WorkItem;

class GestureStudioSession {
public:
    GestureStudioSession(AppModel& model, std::optional<std::string> packID, std::function<void()> done);
    ~GestureStudioSession();
    GestureStudioSession(const GestureStudioSession&) = delete;
    GestureStudioSession& operator=(const GestureStudioSession&) = delete;

    // Called after every change of what the studio shows.
    void onChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    const std::optional<std::string>& target() const { return target_; }
    const std::optional<Gesture>& gesture() const { return gesture_; }
    const Action& action() const { return action_; }
    bool isListening() const { return listener_.isListening(); }
    int splashes() const { return splashes_; }
    bool bump() const { return bump_; }
    bool saved() const { return saved_; }
    bool choosingAction() const { return choosingAction_; }
    bool choosingTarget() const { return choosingTarget_; }

    // Derived from the live configuration on every read.
    bool ready() const;
    std::string targetName() const;
    std::optional<std::string> clash() const;

    // Listens for a gesture afresh (when shown, and "Do the gesture again").
    void listen();
    void stop();
    // The close button: stops listening and closes.
    void close();

    void setAction(Action action);
    // The composer reports a pick: the popover closes a moment later and Save swells.
    void actionChosen();
    void setChoosingAction(bool open);
    void setChoosingTarget(bool open);
    void chooseTarget(std::optional<std::string> packID);
    // Saves once: without a gesture nothing happens, with an incomplete
    // action the action popover opens, and a save already made is not repeated.
    void save();

    // The settings window was hidden or minimised, or is shown again.
    void windowHidden();
    void windowShown();

private:
    void caught(const Gesture& gesture);
    void nudgeSave();
    std::shared_ptr<WorkItem> after(double seconds, void (GestureStudioSession::*step)());
    void unbump();
    void closeActionPopover();
    void finish();
    void notify();

    AppModel& model_;
    std::function<void()> done_;
    std::function<void()> changed_;
    GestureListener listener_;
    std::optional<std::string> target_;
    std::optional<Gesture> gesture_;
    Action action_;
    int splashes_ = 0;
    bool bump_ = false;
    bool saved_ = false;
    bool choosingAction_ = false;
    bool choosingTarget_ = false;
    bool windowHidden_ = false;
    std::shared_ptr<WorkItem> unbumpWork_;
    std::shared_ptr<WorkItem> chosenWork_;
    std::shared_ptr<WorkItem> doneWork_;
    std::shared_ptr<GestureStudioSession*> alive_;
};

}  // namespace velorin
