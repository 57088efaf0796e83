#include "Velorin/AppModel.h"

#include "Actions/Permissions.h"
#include "Platform/LoginItems.h"
#include "Platform/MainQueue.h"
#include "Platform/Platform.h"

namespace velorin {

AppModel::AppModel(Parts parts)
    : parts_(std::move(parts)),
      store_(ConfigStore::standard()),
      overlay_(parts_.makeOverlayPanel),
      alive_(std::make_shared<AppModel*>(this)) {
    // Loading never fails and never writes: nothing is written until the
    // configuration is next changed.
    auto config = store_.load();
    engine_ = parts_.makeEngine ? parts_.makeEngine(std::move(config)) : std::make_unique<Engine>(std::move(config));
    // A trackpad that cannot start is the engine's start error, shown by the menu.
    engine_->start();
    updates_ = std::make_unique<Updates>(platform::current().bundle(), parts_.updateFramework);
    followFiredGestures();
    if (!Permissions::isAccessibilityTrusted()) {
        std::weak_ptr<AppModel*> weak = alive_;
        platform::current().mainQueue().async([weak] {
            if (auto model = weak.lock()) (*model)->showSettings(SettingsTab::general);
        });
    }
}

AppModel::~AppModel() = default;

const AppConfig& AppModel::config() const { return engine_->config().get(); }

void AppModel::setConfig(AppConfig config) {
    engine_->setConfig(config);
    try {
        store_.save(config);
        saveError.set(std::nullopt);
    } catch (const ConfigStoreError& error) {
        saveError.set("Couldn't save settings: " + error.description());
    }
}

bool AppModel::launchAtLogin() const { return platform::current().loginItems().status() == LoginItemStatus::enabled; }

void AppModel::setLaunchAtLogin(bool on) {
    auto& items = platform::current().loginItems();
    try {
        if (on) {
            items.registerMainApp();
        } else {
            items.unregisterMainApp();
        }
        saveError.set(std::nullopt);
    } catch (const LoginItemError& error) {
        saveError.set("Launch at login: " + error.description());
    }
}

void AppModel::showSettings(std::optional<SettingsTab> tab) {
    if (tab) selectedTab.set(*tab);
    if (!settingsWindow_) {
        settingsWindow_ = parts_.makeSettingsWindow(*this);
        observeVisibility(*settingsWindow_);
    }
    settingsWindow_->activateApplication();
    settingsWindow_->makeKeyAndOrderFront();
    engine_->setShowsLiveTouches(true);
}

void AppModel::observeVisibility(SettingsWindow& window) {
    std::weak_ptr<AppModel*> weak = alive_;
    auto liveTouches = [weak](bool on) {
        return [weak, on] {
            if (auto model = weak.lock()) (*model)->engine_->setShowsLiveTouches(on);
        };
    };
    window.addObserver(WindowNotice::willClose, liveTouches(false));
    window.addObserver(WindowNotice::didMiniaturize, liveTouches(false));
    window.addObserver(WindowNotice::didDeminiaturize, liveTouches(true));
}

// Shows the current record, then waits for the next change. Changes that come
// before the posted block runs are seen as one: only the latest is shown.
void AppModel::followFiredGestures() {
    if (const auto& fired = engine_->lastFired().get()) overlay_.show(*fired);
    if (firedObservation_.isActive()) return;
    std::weak_ptr<AppModel*> weak = alive_;
    firedObservation_ = engine_->lastFired().subscribe([this, weak](const std::optional<Engine::Fired>&) {
        if (followPending_) return;
        followPending_ = true;
        platform::current().mainQueue().async([weak] {
            auto model = weak.lock();
            if (!model) return;
            (*model)->followPending_ = false;
            (*model)->followFiredGestures();
        });
    });
}

}  // namespace velorin
