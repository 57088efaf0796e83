#include "Velorin/Editor/GestureStudioSession.h"

#include "Platform/MainQueue.h"
#include "Platform/Platform.h"
#include "Support/Uuid.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Editor/GestureStudioRules.h"

namespace velorin {

GestureStudioSession::GestureStudioSession(AppModel& model, std::optional<std::string> packID,
                                           std::function<void()> done)
    : model_(model),
      done_(std::move(done)),
      listener_(model.engine()),
      target_(std::move(packID)),
      action_(GestureStudioRules::startingAction()),
      alive_(std::make_shared<GestureStudioSession*>(this)) {}

GestureStudioSession::~GestureStudioSession() {
    for (auto* work : {&unbumpWork_, &chosenWork_, &doneWork_}) {
        if (*work) (*work)->cancel();
    }
    listener_.stop();
}

bool GestureStudioSession::ready() const { return GestureStudioRules::ready(action_); }

std::string GestureStudioSession::targetName() const {
    return GestureStudioRules::targetName(model_.config(), target_);
}

std::optional<std::string> GestureStudioSession::clash() const {
    return GestureStudioRules::clash(model_.config(), target_, gesture_);
}

void GestureStudioSession::listen() {
    stop();
    gesture_.reset();
    if (saved_ || windowHidden_) {
        // Nothing is caught behind a hidden window; showing it listens again.
        notify();
        return;
    }
    listener_.listen([this](const Gesture& gesture) { caught(gesture); });
    notify();
}

void GestureStudioSession::stop() { listener_.stop(); }

void GestureStudioSession::close() {
    stop();
    if (done_) done_();
}

void GestureStudioSession::caught(const Gesture& gesture) {
    if (!GestureStudioRules::takes(gesture)) {
        listen();
        return;
    }
    gesture_ = gesture;
    ++splashes_;
    playHaptic(HapticPattern::alignment);
    notify();
}

void GestureStudioSession::setAction(Action action) {
    if (action == action_) return;
    action_ = std::move(action);
    notify();
}

void GestureStudioSession::actionChosen() {
    if (chosenWork_) chosenWork_->cancel();
    chosenWork_ = after(GestureStudioRules::actionChosenDelaySeconds, &GestureStudioSession::closeActionPopover);
}

void GestureStudioSession::closeActionPopover() {
    choosingAction_ = false;
    nudgeSave();
    notify();
}

void GestureStudioSession::setChoosingAction(bool open) {
    if (open == choosingAction_) return;
    choosingAction_ = open;
    if (open) choosingTarget_ = false;
    notify();
}

void GestureStudioSession::setChoosingTarget(bool open) {
    if (open == choosingTarget_) return;
    choosingTarget_ = open;
    if (open) choosingAction_ = false;
    notify();
}

void GestureStudioSession::chooseTarget(std::optional<std::string> packID) {
    target_ = std::move(packID);
    choosingTarget_ = false;
    nudgeSave();
    notify();
}

void GestureStudioSession::nudgeSave() {
    bump_ = true;
    // A nudge while the button is still swollen keeps it so a little longer.
    if (unbumpWork_) unbumpWork_->cancel();
    unbumpWork_ = after(GestureStudioRules::unbumpDelaySeconds, &GestureStudioSession::unbump);
}

void GestureStudioSession::unbump() {
    bump_ = false;
    notify();
}

void GestureStudioSession::save() {
    if (!gesture_ || saved_) return;
    if (!ready()) {
        setChoosingAction(true);
        return;
    }
    model_.setConfig(GestureStudioRules::saving(model_.config(), target_, *gesture_, action_, Uuid::generate()));
    playHaptic(HapticPattern::alignment);
    ++splashes_;
    saved_ = true;
    choosingAction_ = false;
    choosingTarget_ = false;
    doneWork_ = after(GestureStudioRules::closeAfterSaveSeconds, &GestureStudioSession::finish);
    notify();
}

void GestureStudioSession::finish() {
    if (done_) done_();
}

void GestureStudioSession::windowHidden() {
    windowHidden_ = true;
    if (listener_.isListening()) {
        stop();
        notify();
    }
}

void GestureStudioSession::windowShown() {
    if (!windowHidden_) return;
    windowHidden_ = false;
    if (!gesture_ && !saved_ && !listener_.isListening()) listen();
}

std::shared_ptr<WorkItem> GestureStudioSession::after(double seconds, void (GestureStudioSession::*step)()) {
    std::weak_ptr<GestureStudioSession*> weak = alive_;
    return platform::current().mainQueue().asyncAfter(seconds, [weak, step] {
        if (auto session = weak.lock()) ((*session)->*step)();
    });
}

void GestureStudioSession::notify() {
    if (changed_) changed_();
}

}  // namespace velorin
