#include "Velorin/Design/Pulse.h"

#include "Velorin/Design/Animation.h"

#include <cmath>
#include <utility>

namespace velorin {

Pulse::Pulse(double stillSeconds, std::function<void()> changed)
    : stillSeconds_(stillSeconds),
      changed_(std::move(changed)),
      reduced_(Display::reduceMotion()),
      display_([this] {
          // Motion that comes back starts from the beginning, not from
          // wherever the time spent at rest would have taken it.
          const bool reduced = Display::reduceMotion();
          if (reduced_ && !reduced && begun_) start_ = now();
          reduced_ = reduced;
          listen();
          if (changed_) changed_();
      }) {}

Pulse::~Pulse() {
    shown_ = false;
    listen();
}

double Pulse::progress(double elapsed, double period) {
    if (period <= 0) return 1;
    const double fraction = elapsed / period - std::floor(elapsed / period);
    return EaseOut::progress(fraction);
}

void Pulse::begin(bool restart) {
    if (begun_ && !restart) return;
    begun_ = true;
    start_ = now();
    listen();
    if (changed_) changed_();
}

void Pulse::setShown(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    listen();
    if (changed_) changed_();
}

bool Pulse::isMoving() const { return begun_ && shown_ && !Display::reduceMotion(); }

std::optional<double> Pulse::elapsed() const {
    if (!begun_ || Display::reduceMotion()) return std::nullopt;
    if (Motion::instant()) return stillSeconds_;
    return now() - start_;
}

double Pulse::now() const { return clock_ ? clock_->now() : FrameClock::current().now(); }

void Pulse::listen() {
    // A pulse standing still needs no frames.
    const bool want = isMoving() && !Motion::instant();
    if (want == (clock_ != nullptr)) return;
    if (want) {
        clock_ = &FrameClock::current();
        token_ = clock_->addListener([this](double) {
            if (changed_) changed_();
        });
    } else {
        clock_->removeListener(token_);
        clock_ = nullptr;
    }
}

}  // namespace velorin
