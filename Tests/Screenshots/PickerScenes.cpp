// The editor's pickers on the simulated desktop: the gesture picker for each
// kind of gesture and its listening mark, the app scope picker with every app
// and with a list, and the menu command picker with an app's menus, a search,
// the app chooser and each of its guidance screens.

#include "Scene.h"

#include "Platform/Sim/SimMenus.h"
#include "Velorin/Editor/AppScopePicker.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/Editor/ListeningRing.h"
#include "Velorin/Editor/MenuCommandPicker.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velorin::screenshots {
namespace {

using sim::MenuKey;

std::unique_ptr<QWidget> gestureScene(const Gesture& gesture, bool listening) {
    auto content = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(content.get());
    layout->setContentsMargins(24, 24, 24, 24);
    auto* picker = new GesturePicker(content.get());
    picker->setGesture(gesture);
    QObject::connect(picker, &GesturePicker::gesturePicked, picker, [picker](const Gesture& g) { picker->setGesture(g); });
    layout->addWidget(picker, 0, Qt::AlignVCenter);
    if (listening) layout->addWidget(new ListeningRing(content.get()), 0, Qt::AlignVCenter);
    layout->addStretch(1);
    return content;
}

constexpr QSize gestureSize(520, 90);

const SceneRegistrar tap("picker-gesture-tap", [](SceneContext&) { return gestureScene(Gesture::tap(3, 2), false); },
                         gestureSize);
const SceneRegistrar hold("picker-gesture-hold", [](SceneContext&) { return gestureScene(Gesture::hold(4), false); },
                          gestureSize);
const SceneRegistrar corner("picker-gesture-corner", [](SceneContext&) {
    return gestureScene(Gesture::cornerTap(Gesture::Corner::bottomRight), false);
}, gestureSize);
const SceneRegistrar listening("picker-gesture-listening", [](SceneContext&) {
    return gestureScene(Gesture::tap(2, 1), true);
}, gestureSize);

// ---- The app scope picker

void installScopeApps(sim::SimPlatform& sim) {
    const std::pair<const char*, const char*> apps[] = {{"/Applications/Notes.app", "com.apple.Notes"},
                                                        {"/Applications/Safari.app", "com.apple.Safari"},
                                                        {"/Applications/Mail.app", "com.apple.mail"}};
    for (const auto& [path, id] : apps) {
        sim.bundle().addBundleOnDisk(path, id);
        sim.workspace().installApp(id, path);
    }
}

std::unique_ptr<QWidget> scopeScene(SceneContext& context, std::vector<std::string> apps) {
    installScopeApps(context.sim);
    auto content = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(content.get());
    layout->setContentsMargins(24, 24, 24, 24);
    // The open panel answers nothing: the scene only shows the list.
    auto* picker = new AppScopePicker(content.get(), [](QWidget*, auto) {});
    picker->setApps(std::move(apps));
    QObject::connect(picker, &AppScopePicker::appsEdited, picker,
                     [picker](const std::vector<std::string>& edited) { picker->setApps(edited); });
    layout->addWidget(picker);
    layout->addStretch(1);
    return content;
}

constexpr QSize scopeSize(460, 340);

const SceneRegistrar everyApp("picker-scope-every-app", [](SceneContext& context) {
    return scopeScene(context, {});
}, scopeSize);
const SceneRegistrar someApps("picker-scope-some-apps", [](SceneContext& context) {
    return scopeScene(context, {"com.apple.Safari", "com.apple.mail", "com.apple.Notes"});
}, scopeSize);

// ---- The menu command picker

std::vector<sim::SimElement> writerMenus() {
    return {sim::menuBarItem("Writer", {sim::menuItem("About Writer"), sim::menuItem("Settings…", MenuKey{",", 0.0, std::nullopt})}),
            sim::menuBarItem("File", {sim::menuItem("New Document", MenuKey{"N", 0.0, std::nullopt}),
                                      sim::menuItem("Open…", MenuKey{"O", 0.0, std::nullopt}),
                                      sim::submenuItem("Export", {sim::menuItem("PDF", MenuKey{"E", 0.0, std::nullopt}),
                                                                  sim::menuItem("Plain Text")})}),
            sim::menuBarItem("Edit", {sim::menuItem("Undo", MenuKey{"Z", 0.0, std::nullopt}),
                                      sim::menuItem("Copy", MenuKey{"C", 0.0, std::nullopt}),
                                      sim::menuItem("Paste", MenuKey{"V", 0.0, std::nullopt}),
                                      sim::menuItem("Paste and Match Style", {}, false)}),
            sim::menuBarItem("View", {sim::menuItem("Zoom In", MenuKey{"+", 0.0, std::nullopt}),
                                      sim::menuItem("Zoom Out", MenuKey{"-", 0.0, std::nullopt})})};
}

// The desktop as a menu scene wants it: the permission as given, and no app
// running but the ones the scene starts.
void menuDesk(sim::SimPlatform& sim, bool trusted) {
    sim.accessibility().setTrusted(trusted);
    for (const RunningApplication& app : sim.workspace().runningApplications()) {
        sim.workspace().removeRunningApp(app.processIdentifier, false);
    }
}

void runApp(sim::SimPlatform& sim, std::int32_t pid, const std::string& id, const std::string& name) {
    RunningApplication app;
    app.processIdentifier = pid;
    app.bundleIdentifier = id;
    app.localizedName = name;
    sim::installMenuBar(sim.accessibility(), pid, sim::menuBar(writerMenus()));
    sim.workspace().addRunningApp(app, false);
}

std::unique_ptr<QWidget> menuScene(SceneContext& context, std::vector<std::string> apps,
                                   const QString& query = QString()) {
    auto content = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(content.get());
    layout->setContentsMargins(20, 20, 20, 20);
    auto* picker = new MenuCommandPicker(std::move(apps), [](const MenuCommand&) {}, [] {}, content.get());
    layout->addWidget(picker, 0, Qt::AlignCenter);
    context.afterShow([&sim = context.sim, picker, query] {
        sim.runUntilIdle();
        if (query.isEmpty()) return;
        if (auto* search = picker->findChild<QLineEdit*>("menuPicker.search")) {
            search->setText(query);
            sim.runUntilIdle();
        }
    });
    return content;
}

constexpr QSize menuSize(MenuCommandPicker::side + 40, MenuCommandPicker::side + 40);

const SceneRegistrar menuCommands("picker-menu-commands", [](SceneContext& context) {
    menuDesk(context.sim, true);
    runApp(context.sim, 41, "com.example.writer", "Writer");
    return menuScene(context, {"com.example.writer"});
}, menuSize);

const SceneRegistrar menuSearch("picker-menu-search", [](SceneContext& context) {
    menuDesk(context.sim, true);
    runApp(context.sim, 41, "com.example.writer", "Writer");
    return menuScene(context, {"com.example.writer"}, "paste");
}, menuSize);

// Any app: the header's chooser lists every running app.
const SceneRegistrar menuAnyApp("picker-menu-any-app", [](SceneContext& context) {
    menuDesk(context.sim, true);
    runApp(context.sim, 41, "com.example.writer", "Writer");
    runApp(context.sim, 42, "com.example.sketch", "Sketch");
    return menuScene(context, {});
}, menuSize);

const SceneRegistrar menuNoPermission("picker-menu-no-permission", [](SceneContext& context) {
    menuDesk(context.sim, false);
    runApp(context.sim, 41, "com.example.writer", "Writer");
    return menuScene(context, {"com.example.writer"});
}, menuSize);

const SceneRegistrar menuNotRunning("picker-menu-not-running", [](SceneContext& context) {
    menuDesk(context.sim, true);
    context.sim.workspace().installApp("com.apple.Safari", "/Applications/Safari.app");
    return menuScene(context, {"com.apple.Safari"});
}, menuSize);

const SceneRegistrar menuNotInstalled("picker-menu-not-installed", [](SceneContext& context) {
    menuDesk(context.sim, true);
    return menuScene(context, {"com.example.gone"});
}, menuSize);

}  // namespace
}  // namespace velorin::screenshots
