#pragma once
// Tells that a physical click happened: a listen-only tap on the session's
// left and right mouse-button-down events, delivered on the main run loop.

#include <functional>
#include <memory>

#include "Platform/EventSystem.h"
#include "TouchInput/ClickSourceError.h"

namespace velorin {

class ClickSource final {
public:
    using Error = ClickSourceError;
    // Called on the main run loop once per left or right button press; it learns nothing more.
    using ClickHandler = std::function<void()>;

    ClickSource() = default;
    ~ClickSource();  // stops listening
    ClickSource(const ClickSource&) = delete;
    ClickSource& operator=(const ClickSource&) = delete;

    // Throws Error when the tap cannot be made; the handler is kept all the same. A second
    // start ends the first tap before making another.
    void start(ClickHandler handler);
    void stop();

private:
    void tapCallback(EventType type);

    std::unique_ptr<EventTap> tap_;
    bool inRunLoop_ = false;  // the tap's delivery is added to the main run loop
    ClickHandler handler_;
};

}  // namespace velorin
