#pragma once
// The settings window's root view. For now it only shows which tab is
// selected, lets the user pick another and shows the last save error; the
// tabs themselves fill it later. It is built once, with the model, and kept
// while the window is closed.

#include <QWidget>

#include <array>

#include "Velorin/Observations.h"
#include "Velorin/SettingsTab.h"

class QLabel;
class QPushButton;

namespace velorin {

class AppModel;

class SettingsView : public QWidget {
    Q_OBJECT
public:
    explicit SettingsView(AppModel& model, QWidget* parent = nullptr);
    ~SettingsView() override;

    AppModel& model() const { return model_; }

private:
    void showSelectedTab();
    void showSaveError();

    AppModel& model_;
    std::array<QPushButton*, allSettingsTabs.size()> tabButtons_{};
    QLabel* tabTitle_ = nullptr;
    QLabel* saveError_ = nullptr;
    Observations observations_;
};

}  // namespace velorin
