#pragma once
// The card that asks for the Accessibility permission (on Linux: access to
// the input devices, which key presses, window moves and media keys need).
// It shows the same texts and buttons wherever it is placed; its callers (the
// General tab, the shortcut list, the packs tab) show it only while the
// engine's `accessibilityTrusted` is false.

#include "Velorin/Design/GlassCard.h"

class QAbstractButton;

namespace velorin {

class AppModel;

class PermissionBanner : public GlassCard {
    Q_OBJECT
public:
    static constexpr const char* title = "Velorin needs Accessibility permission";
    static constexpr const char* message =
        "Opening apps works without it. Keystrokes, window snapping and media keys need it.";

    explicit PermissionBanner(AppModel& model, QWidget* parent = nullptr);

    QAbstractButton* requestButton() const { return request_; }
    QAbstractButton* settingsButton() const { return settings_; }

private:
    AppModel& model_;
    QAbstractButton* request_ = nullptr;
    QAbstractButton* settings_ = nullptr;
};

}  // namespace velorin
