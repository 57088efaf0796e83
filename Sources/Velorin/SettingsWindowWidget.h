#pragma once
// The settings window: one top-level widget whose whole content is made by
// the composition (the host knows no tab). Closing only hides it; its frame is kept in the user
// defaults under "VelorinSettingsWindow" and restored when it is built.

#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "Velorin/SettingsWindow.h"

namespace velorin {

class AppModel;

class SettingsWindowWidget : public QWidget, public SettingsWindow {
    Q_OBJECT
public:
    static constexpr const char* title = "Velorin Settings";
    static constexpr const char* frameKey = "VelorinSettingsWindow";
    static constexpr QSize contentSize{820, 580};
    static constexpr QSize minimumContentSize{720, 520};

    // Makes the window's whole content, once, as a child of the window.
    using ContentFactory = std::function<QWidget*(AppModel& model, QWidget* parent)>;

    SettingsWindowWidget(AppModel& model, const ContentFactory& makeContent);
    ~SettingsWindowWidget() override;

    void addObserver(WindowNotice notice, std::function<void()> observer) override;
    void activateApplication() override;
    void makeKeyAndOrderFront() override;

    QWidget* content() const { return content_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void notify(WindowNotice notice);
    void saveFrame();
    void restoreFrame();

    QWidget* content_ = nullptr;
    std::map<WindowNotice, std::vector<std::function<void()>>> observers_;
    bool minimized_ = false;
    bool frameRestored_ = false;
};

}  // namespace velorin
