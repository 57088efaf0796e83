#pragma once
// The General tab: the Accessibility permission (the banner and help for a
// stale entry while it is missing, a granted line once it is there), launch
// at login, whether the trackpad is being listened to, and the window's
// see-through strength. Nothing here changes the configuration file: the
// toggle goes through the model, the slider writes the user default that the
// window follows at once.

#include <QPointer>
#include <QWidget>

#include "Velorin/Design/Display.h"
#include "Velorin/Observations.h"

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace velorin {

class AppModel;
class LiquidSlider;
class LiquidToggle;
class SeeThroughPreference;
class ThemedText;

class GeneralTab : public QWidget {
    Q_OBJECT
public:
    explicit GeneralTab(AppModel& model, QWidget* parent = nullptr);
    ~GeneralTab() override;

    LiquidToggle* launchToggle() const { return launch_; }
    LiquidSlider* seeThroughSlider() const { return slider_; }
    ThemedText* seeThroughValue() const { return value_; }
    ThemedText* seeThroughNote() const { return note_; }
    ThemedText* trackpadStatus() const { return status_; }

private:
    void showAccessibility();
    void showTrackpad();
    void showSeeThrough();
    QWidget* grantedCard();
    QWidget* helpCard();

    AppModel& model_;
    SeeThroughPreference* seeThrough_ = nullptr;
    QVBoxLayout* accessibility_ = nullptr;
    std::optional<bool> shownTrust_;
    LiquidToggle* launch_ = nullptr;
    QWidget* pulse_ = nullptr;
    QWidget* stoppedDot_ = nullptr;
    ThemedText* status_ = nullptr;
    ThemedText* value_ = nullptr;
    LiquidSlider* slider_ = nullptr;
    ThemedText* note_ = nullptr;
    Observations observations_;
    DisplayObserver display_;
};

}  // namespace velorin
