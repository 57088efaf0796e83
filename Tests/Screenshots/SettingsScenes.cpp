// The settings window at its own size, every tab, on the simulated desktop
// with the application model on it: the General tab with and without the
// input permission, the About tab with a cheat sheet, the save notice.

#include "SettingsScene.h"

namespace velorin::screenshots {
namespace {

AppConfig everyday() {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    return config;
}

std::unique_ptr<QWidget> tabScene(SceneContext& context, SettingsTab tab, bool trusted = true) {
    context.sim.accessibility().setTrusted(trusted);
    context.sim.defaults().remove("windowSeeThrough");
    return std::make_unique<SettingsScene>(context, tab, everyday());
}

const SceneRegistrar packs(
    "settings-1-packs", [](SceneContext& c) { return tabScene(c, SettingsTab::packs); }, settingsWindow);
const SceneRegistrar shortcuts(
    "settings-2-shortcuts", [](SceneContext& c) { return tabScene(c, SettingsTab::shortcuts); }, settingsWindow);
const SceneRegistrar sensitivity(
    "settings-3-sensitivity", [](SceneContext& c) { return tabScene(c, SettingsTab::sensitivity); }, settingsWindow);
const SceneRegistrar trackpad(
    "settings-4-trackpad", [](SceneContext& c) { return tabScene(c, SettingsTab::trackpad); }, settingsWindow);
const SceneRegistrar general(
    "settings-5-general", [](SceneContext& c) { return tabScene(c, SettingsTab::general); }, settingsWindow);
const SceneRegistrar generalMissing(
    "settings-5-general-permission-missing",
    [](SceneContext& c) { return tabScene(c, SettingsTab::general, false); }, settingsWindow);
const SceneRegistrar about(
    "settings-6-about", [](SceneContext& c) { return tabScene(c, SettingsTab::about); }, settingsWindow);
const SceneRegistrar notice(
    "settings-save-notice",
    [](SceneContext& c) {
        auto scene = tabScene(c, SettingsTab::general);
        static_cast<SettingsScene*>(scene.get())->model().saveError.set(
            "Couldn't save settings: You don't have permission to save the file “config.json”.");
        return scene;
    },
    settingsWindow);

}  // namespace
}  // namespace velorin::screenshots
