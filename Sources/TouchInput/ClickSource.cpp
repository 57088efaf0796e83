#include "TouchInput/ClickSource.h"

#include "Platform/Platform.h"

namespace velorin {

namespace {

constexpr std::uint64_t mouseDownMask =
    eventMaskBit(event_type::leftMouseDown) | eventMaskBit(event_type::rightMouseDown);
static_assert(mouseDownMask == 0xA);

}  // namespace

ClickSourceError::ClickSourceError(Kind kind) : kind_(kind) {
    switch (kind_) {
        case Kind::tapUnavailable:
            description_ = "Could not create a mouse event tap (check Accessibility / Input Monitoring permission)";
            break;
    }
}

ClickSource::~ClickSource() { stop(); }

void ClickSource::start(ClickHandler handler) {
    // A second tap beside the first would report every click twice.
    if (tap_) stop();
    handler_ = std::move(handler);
    tap_ = platform::current().eventSystem().createEventTap(
        EventTapLocation::session, EventTapPlacement::headInsert, EventTapOptions::listenOnly, mouseDownMask,
        [this](EventType type) { tapCallback(type); });
    if (!tap_) throw Error::tapUnavailable();
    tap_->addToRunLoop();
    inRunLoop_ = true;
    tap_->setEnabled(true);
}

void ClickSource::stop() {
    if (tap_) tap_->setEnabled(false);
    if (tap_ && inRunLoop_) tap_->removeFromRunLoop();
    inRunLoop_ = false;
    tap_.reset();
    handler_ = nullptr;
}

void ClickSource::tapCallback(EventType type) {
    if (type >= event_type::tapDisabledByTimeout) {
        // The system switched the tap off (time-out or user input): on again at once, no click.
        if (tap_) tap_->setEnabled(true);
        return;
    }
    // A copy: the handler may stop this source while it runs.
    const ClickHandler handler = handler_;
    if (handler) handler();
}

}  // namespace velorin
