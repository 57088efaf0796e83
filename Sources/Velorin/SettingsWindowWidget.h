#pragma once
// The settings window: one top-level widget whose whole content is made by
// the composition (the host knows no tab). Closing only hides it; its frame is kept in the user
// defaults under "VelorinSettingsWindow" and restored when it is built.
//
// On a desktop that composites, the window is translucent (the content draws
// its own backdrop, or lets the desktop show through); on KWin it can also ask
// for the desktop behind it to be blurred. Where nothing composites it is
// opaque and the content fills it. The window manager keeps its own frame and
// title bar: X11 offers no way to hide the title of a decorated window, and
// its frame is what moves, resizes, minimises and closes the window natively.

#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "Velorin/SettingsWindow.h"
#include "Velorin/WindowEffects.h"

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

    SettingsWindowWidget(AppModel& model, const ContentFactory& makeContent, WindowEffects effects = {});
    ~SettingsWindowWidget() override;

    void addObserver(WindowNotice notice, std::function<void()> observer) override;
    void activateApplication() override;
    void makeKeyAndOrderFront() override;

    QWidget* content() const { return content_; }

    // What the desktop gives behind this window, decided when it was built.
    WindowEffects::Backdrop backdrop() const { return backdrop_; }
    // The content lets the desktop show through (or stops): asks for the blur
    // behind the window where the desktop offers it.
    void setSeeThrough(bool on);
    bool seeThrough() const { return seeThrough_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void notify(WindowNotice notice);
    void saveFrame();
    void restoreFrame();
    void applyBlur();

    QWidget* content_ = nullptr;
    std::map<WindowNotice, std::vector<std::function<void()>>> observers_;
    bool minimized_ = false;
    bool frameRestored_ = false;
    WindowEffects effects_;
    WindowEffects::Backdrop backdrop_ = WindowEffects::Backdrop::opaque;
    bool seeThrough_ = false;
    bool blurApplied_ = false;
};

}  // namespace velorin
