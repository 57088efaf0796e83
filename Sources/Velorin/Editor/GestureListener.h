#pragma once
// Holds the engine's one recording request for a view that listens for a
// gesture (the gesture studio, the shortcut editor's record button): while it
// listens no shortcut runs, and every way out (stopping, being destroyed)
// cancels the request so that gestures run their shortcuts again. A caught
// gesture reaches the handler only while this listener is alive and still
// waiting for it.

#include <functional>
#include <memory>

#include "Recognizer/Gesture.h"

namespace velorin {

class Engine;

class GestureListener {
public:
    using Caught = std::function<void(const Gesture&)>;

    explicit GestureListener(Engine& engine);
    ~GestureListener();
    GestureListener(const GestureListener&) = delete;
    GestureListener& operator=(const GestureListener&) = delete;

    // Asks the engine for the next gesture, replacing a request of ours.
    // `caught` runs on the main thread once; listening has ended by then.
    void listen(Caught caught);
    // Cancels our request, if one is outstanding.
    void stop();
    bool isListening() const { return listening_; }

private:
    Engine& engine_;
    bool listening_ = false;
    // Each request carries its number; a late answer to an older one is dropped.
    std::shared_ptr<int> generation_ = std::make_shared<int>(0);
};

}  // namespace velorin
