// The action composer with each kind's panel, as the shortcut editor and the
// gesture studio show it, on the simulated desktop.

#include "Scene.h"

#include "Velorin/Editor/ActionComposer.h"

#include <QThreadPool>
#include <QVBoxLayout>

namespace velorin::screenshots {
namespace {

constexpr QSize composerSize(600, 560);

std::unique_ptr<QWidget> composerScene(const Action& action) {
    auto content = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(content.get());
    layout->setContentsMargins(20, 20, 20, 20);
    auto* composer = new ActionComposer(action, content.get());
    QObject::connect(composer, &ActionComposer::actionEdited, composer,
                     [composer](const Action& a) { composer->setAction(a); });
    layout->addWidget(composer);
    return content;
}

const SceneRegistrar window("composer-window", [](SceneContext&) {
    return composerScene(Action::window(WindowCommand::rightHalf));
}, composerSize);

const SceneRegistrar media("composer-media", [](SceneContext&) {
    return composerScene(Action::media(MediaKey::volumeUp));
}, composerSize);

const SceneRegistrar mac("composer-mac", [](SceneContext&) {
    return composerScene(Action::system(SystemCommand::missionControl));
}, QSize(600, 640));

const SceneRegistrar menuEmpty("composer-menu-empty", [](SceneContext&) {
    return composerScene(Action::menuItem(MenuCommand()));
}, composerSize);

const SceneRegistrar menu("composer-menu", [](SceneContext&) {
    return composerScene(Action::menuItem(
        MenuCommand({"File", "Export", "PDF"}, KeyCombo(14, {KeyCombo::Modifiers::command, KeyCombo::Modifiers::shift}))));
}, composerSize);

const SceneRegistrar website("composer-website", [](SceneContext&) {
    return composerScene(Action::open("~/Documents/Plans"));
}, composerSize);

const SceneRegistrar websiteEmpty("composer-website-empty", [](SceneContext&) {
    return composerScene(Action::open(""));
}, composerSize);

// The tool's list arrives before the picture is taken.
const SceneRegistrar shortcut("composer-shortcut", [](SceneContext& context) {
    context.sim.processes().setOutput("/usr/bin/shortcuts", {"list"},
                                      "Morning routine\nLog water\nfocus mode\nSend ETA\n");
    context.afterShow([&sim = context.sim] {
        QThreadPool::globalInstance()->waitForDone();
        sim.runUntilIdle();
    });
    return composerScene(Action::shortcut("Log water"));
}, composerSize);

const SceneRegistrar shortcutNone("composer-shortcut-none", [](SceneContext& context) {
    context.afterShow([&sim = context.sim] {
        QThreadPool::globalInstance()->waitForDone();
        sim.runUntilIdle();
    });
    return composerScene(Action::shortcut(""));
}, composerSize);

}  // namespace
}  // namespace velorin::screenshots
