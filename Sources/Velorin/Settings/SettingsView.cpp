#include "Velorin/Settings/SettingsView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Velorin/AppModel.h"

namespace velorin {

namespace {

const char* tabTitle(SettingsTab tab) {
    switch (tab) {
        case SettingsTab::packs:
            return "Packs";
        case SettingsTab::shortcuts:
            return "My Shortcuts";
        case SettingsTab::sensitivity:
            return "Sensitivity";
        case SettingsTab::trackpad:
            return "Trackpad";
        case SettingsTab::general:
            return "General";
        case SettingsTab::about:
            return "About";
    }
    return "";
}

const char* tabObjectName(SettingsTab tab) {
    switch (tab) {
        case SettingsTab::packs:
            return "tab.packs";
        case SettingsTab::shortcuts:
            return "tab.shortcuts";
        case SettingsTab::sensitivity:
            return "tab.sensitivity";
        case SettingsTab::trackpad:
            return "tab.trackpad";
        case SettingsTab::general:
            return "tab.general";
        case SettingsTab::about:
            return "tab.about";
    }
    return "";
}

}  // namespace

SettingsView::SettingsView(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("settingsView");
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->addStretch();
    for (std::size_t i = 0; i < allSettingsTabs.size(); ++i) {
        const SettingsTab tab = allSettingsTabs[i];
        auto* button = new QPushButton(QString::fromUtf8(tabTitle(tab)), this);
        button->setObjectName(tabObjectName(tab));
        button->setCheckable(true);
        button->setAutoExclusive(false);
        connect(button, &QPushButton::clicked, this, [this, tab] {
            model_.selectedTab.set(tab);
            // A click on the selected tab unchecks the button: show the model again.
            showSelectedTab();
        });
        bar->addWidget(button);
        tabButtons_[i] = button;
    }
    bar->addStretch();
    layout->addLayout(bar);

    tabTitle_ = new QLabel(this);
    tabTitle_->setObjectName("tabTitle");
    tabTitle_->setAlignment(Qt::AlignCenter);
    QFont titleFont = tabTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    tabTitle_->setFont(titleFont);
    layout->addWidget(tabTitle_, 1);

    saveError_ = new QLabel(this);
    saveError_->setObjectName("saveError");
    saveError_->setAlignment(Qt::AlignCenter);
    saveError_->setWordWrap(true);
    saveError_->setStyleSheet("color: #d9472b;");
    layout->addWidget(saveError_);

    observations_.add(model_.selectedTab, [this](const SettingsTab&) { showSelectedTab(); });
    observations_.add(model_.saveError, [this](const std::optional<std::string>&) { showSaveError(); });
    showSelectedTab();
    showSaveError();
}

SettingsView::~SettingsView() = default;

void SettingsView::showSelectedTab() {
    const SettingsTab selected = model_.selectedTab.get();
    for (std::size_t i = 0; i < allSettingsTabs.size(); ++i) {
        tabButtons_[i]->setChecked(allSettingsTabs[i] == selected);
    }
    tabTitle_->setText(QString::fromUtf8(tabTitle(selected)));
}

void SettingsView::showSaveError() {
    const auto& error = model_.saveError.get();
    saveError_->setText(error ? QString::fromStdString(*error) : QString());
    saveError_->setVisible(error.has_value());
}

}  // namespace velorin
