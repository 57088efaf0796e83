// The action composer with each kind's panel, as the shortcut editor and the
// gesture studio show it, on the simulated desktop.

#include "Scene.h"

#include "Velorin/Editor/ActionComposer.h"

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

}  // namespace
}  // namespace velorin::screenshots
