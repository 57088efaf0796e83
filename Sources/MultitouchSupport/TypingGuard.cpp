#include "MultitouchSupport/TypingGuard.h"

#include <linux/input.h>

namespace velorin::multitouch {

namespace {

// The bit of a Ctrl, Alt or Super key; 0 for every other key.
unsigned shortcutModifierBit(unsigned code) {
    switch (code) {
        case KEY_LEFTCTRL: return 1u << 0;
        case KEY_RIGHTCTRL: return 1u << 1;
        case KEY_LEFTALT: return 1u << 2;
        case KEY_RIGHTALT: return 1u << 3;
        case KEY_LEFTMETA: return 1u << 4;
        case KEY_RIGHTMETA: return 1u << 5;
        default: return 0;
    }
}

// Keys of the typewriter set count as typing; Shift only changes what they type.
bool isTyping(unsigned code) {
    switch (code) {
        case KEY_LEFTSHIFT:
        case KEY_RIGHTSHIFT:
        case KEY_CAPSLOCK:
        case KEY_ESC:
        case KEY_KPASTERISK: return false;
        default: return code < KEY_F1 && shortcutModifierBit(code) == 0;
    }
}

}  // namespace

void TypingGuard::key(int keyboard, unsigned code, int value, double time) {
    std::lock_guard lock(mutex_);
    if (const unsigned bit = shortcutModifierBit(code)) {
        unsigned& held = shortcutModifiers_[keyboard];
        held = value != 0 ? (held | bit) : (held & ~bit);
        return;
    }
    if (value == 0 || !isTyping(code)) return;
    for (const auto& [board, held] : shortcutModifiers_) {
        if (held != 0) return;
    }
    const bool typing = since_ <= time && time < until_;
    if (!typing) since_ = time;
    const double next = time + (typing ? typingQuietWhileTypingSeconds : typingQuietAfterKeySeconds);
    if (next > until_ || !typing) until_ = next;
}

void TypingGuard::forget(int keyboard) {
    std::lock_guard lock(mutex_);
    shortcutModifiers_.erase(keyboard);
}

bool TypingGuard::quiet(double time) const {
    std::lock_guard lock(mutex_);
    return since_ <= time && time < until_;
}

}  // namespace velorin::multitouch
