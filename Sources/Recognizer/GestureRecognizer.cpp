#include "Recognizer/GestureRecognizer.h"

#include <algorithm>
#include <cmath>

namespace velorin {

GestureRecognizer::GestureRecognizer(RecognizerConfig config, std::optional<GestureSet> bound)
    : config(config), bound(std::move(bound)) {}

float GestureRecognizer::median(std::vector<float>& values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    if (values.size() % 2 == 1) return values[mid];
    return (values[mid - 1] + values[mid]) * 0.5f;
}

void GestureRecognizer::emitPending(double t, Events& out) {
    if (!pending_) return;
    out.push_back({Gesture::tap(pending_->fingers, pending_->count), t});
    pending_.reset();
}

bool GestureRecognizer::expired(double t) const {
    return pending_ && pending_->releaseTime && *pending_->releaseTime + config.multiTapInterval <= t;
}

bool GestureRecognizer::wantsLongerSequence(int fingers, int than) const {
    if (!bound) return true;
    return std::any_of(bound->begin(), bound->end(), [&](const Gesture& g) {
        const auto* tap = g.asTap();
        return tap && tap->fingers == fingers && tap->count > than;
    });
}

float GestureRecognizer::updateTravel(Contact& contact, const TouchFrame& frame) {
    auto& origins = contact.origins;
    std::erase_if(origins, [&](const auto& entry) {
        return std::none_of(frame.touches.begin(), frame.touches.end(),
                            [&](const Touch& t) { return t.isDown() && t.id == entry.first; });
    });
    distances_.clear();
    for (const Touch& touch : frame.touches) {
        if (!touch.isDown()) continue;
        const Point here{touch.x, touch.y};
        if (!contact.firstPosition) contact.firstPosition = here;
        auto it = std::find_if(origins.begin(), origins.end(), [&](const auto& e) { return e.first == touch.id; });
        if (it != origins.end()) {
            const float dx = here.x - it->second.x;
            const float dy = here.y - it->second.y;
            distances_.push_back(std::sqrt(dx * dx + dy * dy));
        } else {
            origins.emplace_back(touch.id, here);
            distances_.push_back(0);
        }
    }
    return median(distances_);
}

GestureRecognizer::Events GestureRecognizer::process(const TouchFrame& frame) {
    Events out;
    const double t = frame.timestamp;
    const int down = frame.fingersDown();

    if (!contact_) {
        if (expired(t)) emitPending(t, out);
        if (down == 0) return out;
        // Reuse the last contact's storage so a steady stream of taps does not allocate.
        spare_.origins.clear();
        contact_ = Contact{t, 0, std::move(spare_.origins), 0, std::nullopt, false, false, false};
    }
    Contact& c = *contact_;
    c.peakFingers = std::max(c.peakFingers, down);
    c.travel = std::max(c.travel, updateTravel(c, frame));

    if (!c.disqualified) {
        if (!c.movedForTap && c.travel > config.maxTravel) {
            c.movedForTap = true;
            emitPending(t, out);
        }
        if (c.travel > std::max(config.maxTravel, config.holdTravel)) {
            c.disqualified = true;
        } else if (down > 0 && t - c.start >= config.holdDuration) {
            c.disqualified = true;
            emitPending(t, out);
            out.push_back({Gesture::hold(c.peakFingers), t});
        }
    }

    if (down == 0) {
        spare_ = std::move(*contact_);
        contact_.reset();
        release(spare_, t, out);
    }
    return out;
}

std::optional<int> GestureRecognizer::count(int fingers, double start, double t, Events& out) {
    if (pending_ && pending_->fingers == fingers && pending_->releaseTime &&
        start - *pending_->releaseTime <= config.multiTapInterval) {
        const int n = pending_->count + 1;
        pending_.reset();
        if (n >= RecognizerConfig::maxTapCount) {
            out.push_back({Gesture::tap(fingers, RecognizerConfig::maxTapCount), t});
            return std::nullopt;
        }
        return n;
    }
    emitPending(t, out);
    return 1;
}

void GestureRecognizer::release(const Contact& contact, double t, Events& out) {
    if (contact.clicked) {
        if (pending_ && !pending_->releaseTime) pending_->releaseTime = t;
        return;
    }
    if (contact.disqualified || contact.movedForTap || t - contact.start > config.maxTapDuration ||
        contact.peakFingers < 1) {
        emitPending(t, out);
        return;
    }
    if (contact.peakFingers == 1 && contact.firstPosition) {
        const float s = config.cornerSize;
        const auto [x, y] = *contact.firstPosition;
        const bool atSide = x < s || x > 1 - s;
        std::optional<Gesture::Corner> corner;
        if (y > 1 - s && atSide) {
            corner = x < s ? Gesture::Corner::topLeft : Gesture::Corner::topRight;
        } else if (y < s && atSide) {
            corner = x < s ? Gesture::Corner::bottomLeft : Gesture::Corner::bottomRight;
        }
        if (corner) {
            emitPending(t, out);
            out.push_back({Gesture::cornerTap(*corner), t});
            return;
        }
    }
    const int f = contact.peakFingers;
    const auto n = count(f, contact.start, t, out);
    if (!n) return;
    if (wantsLongerSequence(f, *n)) {
        pending_ = Pending{f, *n, t};
    } else {
        out.push_back({Gesture::tap(f, *n), t});
    }
}

GestureRecognizer::Events GestureRecognizer::click(double time) {
    Events out;
    if (!contact_ || contact_->clicked) return out;
    Contact& c = *contact_;
    if (dragFingers && *dragFingers == c.peakFingers) return out;
    const bool wasDisqualified = c.disqualified;
    c.clicked = true;
    c.disqualified = true;
    if (c.peakFingers < 2 || wasDisqualified) return out;
    const int f = c.peakFingers;
    const auto n = count(f, c.start, time, out);
    if (!n) return out;
    if (wantsLongerSequence(f, *n)) {
        pending_ = Pending{f, *n, std::nullopt};
    } else {
        out.push_back({Gesture::tap(f, *n), time});
    }
    return out;
}

GestureRecognizer::Events GestureRecognizer::tick(double now) {
    Events out;
    if (!contact_ && expired(now)) emitPending(now, out);
    return out;
}

std::optional<double> GestureRecognizer::nextDeadline() const {
    if (contact_ || !pending_ || !pending_->releaseTime) return std::nullopt;
    return *pending_->releaseTime + config.multiTapInterval;
}

}  // namespace velorin
