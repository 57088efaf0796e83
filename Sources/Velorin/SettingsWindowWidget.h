#pragma once
// The settings window: one top-level widget whose whole content is the
// settings view. Closing only hides it; its frame is kept in the user
// defaults under "VelorinSettingsWindow" and restored when it is built.

#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "Velorin/SettingsWindow.h"

namespace velorin {

class AppModel;
class SettingsView;

class SettingsWindowWidget : public QWidget, public SettingsWindow {
    Q_OBJECT
public:
    static constexpr const char* title = "Velorin Settings";
    static constexpr const char* frameKey = "VelorinSettingsWindow";
    static constexpr QSize contentSize{820, 580};
    static constexpr QSize minimumContentSize{720, 520};

    explicit SettingsWindowWidget(AppModel& model);
    ~SettingsWindowWidget() override;

    void addObserver(WindowNotice notice, std::function<void()> observer) override;
    void activateApplication() override;
    void makeKeyAndOrderFront() override;

    SettingsView* view() const { return view_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void notify(WindowNotice notice);
    void saveFrame();
    void restoreFrame();

    SettingsView* view_ = nullptr;
    std::map<WindowNotice, std::vector<std::function<void()>>> observers_;
    bool minimized_ = false;
    bool frameRestored_ = false;
};

}  // namespace velorin
