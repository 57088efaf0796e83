#pragma once
// The settings window's root view. Back to front: the backdrop (the
// `Theme.milk` fill, or the desktop showing through when the see-through
// strength is above 0), the water, the content (the tab bar and the selected
// tab), the gesture studio while the model's `studioOpen` is true, the save
// notice and the sheets. It owns no data: it reads and writes the `AppModel`
// and the "windowSeeThrough" default. Its slots are filled from a
// `SettingsContent` (see there for the seam the features plug into).
//
// Built once, with the model, and kept while the window is closed.

#include <QPointer>
#include <QWidget>

#include <optional>

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Observations.h"
#include "Velorin/Settings/SettingsContent.h"
#include "Velorin/Settings/WindowLayers.h"
#include "Velorin/SettingsTab.h"

namespace velorin {

class AppModel;
class SaveNotice;
class SeeThroughPreference;
class SheetHost;
class TabBar;
class TabTransition;

class SettingsView : public QWidget {
    Q_OBJECT
public:
    SettingsView(AppModel& model, SettingsContent content, QWidget* parent = nullptr);
    ~SettingsView() override;

    AppModel& model() const { return model_; }

    // For tests and the screenshots: what the layers show now.
    WindowLayers layers() const { return layers_; }
    bool drawsFill() const;
    QWidget* tabView() const { return tabView_; }
    std::optional<SettingsTab> shownTab() const { return shownTab_; }
    QWidget* studio() const { return studio_; }
    QWidget* contentLayer() const { return contentLayer_; }
    TabBar& tabBar() const { return *tabBar_; }
    SheetHost& sheets() const { return *sheets_; }
    SaveNotice& notice() const { return *notice_; }

    static constexpr int tabBarTop = 2;
    static constexpr QMargins tabMargins{28, 18, 28, 20};
    static constexpr QMargins studioMargins{28, 12, 28, 20};

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showSelectedTab();
    void followStudio();
    void refreshLayers();
    void refreshWater();
    void layoutLayers();
    void blockTabs(bool blocked);
    void applyStudioProgress();

    AppModel& model_;
    SettingsContent slots_;
    SeeThroughPreference* seeThrough_ = nullptr;
    WaterSlot water_;
    QWidget* contentLayer_ = nullptr;
    TabBar* tabBar_ = nullptr;
    TabTransition* transition_ = nullptr;
    QWidget* tabFrame_ = nullptr;
    QPointer<QWidget> tabView_;
    std::optional<SettingsTab> shownTab_;
    QPointer<QWidget> studio_;
    SaveNotice* notice_ = nullptr;
    SheetHost* sheets_ = nullptr;
    WindowLayers layers_;
    std::optional<WaterInput> fed_;
    AnimatedValue<double> studioProgress_;  // 0 content shown … 1 studio shown
    Observations observations_;
    DisplayObserver display_;
};

}  // namespace velorin
