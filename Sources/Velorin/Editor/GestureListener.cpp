#include "Velorin/Editor/GestureListener.h"

#include "Engine/Engine.h"

namespace velorin {

GestureListener::GestureListener(Engine& engine) : engine_(engine) {}

GestureListener::~GestureListener() { stop(); }

void GestureListener::listen(Caught caught) {
    const int request = ++*generation_;
    std::weak_ptr<int> weak = generation_;
    listening_ = true;
    engine_.recordNextGesture([this, weak, request, caught = std::move(caught)](const Gesture& gesture) {
        auto generation = weak.lock();
        if (!generation || *generation != request) return;
        listening_ = false;
        caught(gesture);
    });
}

void GestureListener::stop() {
    ++*generation_;
    if (listening_) engine_.cancelRecording();
    listening_ = false;
}

}  // namespace velorin
