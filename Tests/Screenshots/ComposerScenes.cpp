// The action composer with each kind's panel, as the shortcut editor and the
// gesture studio show it, on the simulated desktop.

#include "Scene.h"

#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/AppChoices.h"
#include "Velorin/Editor/KeyListenButton.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <QLineEdit>
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

// A rounded square of one colour with a letter, as an app's icon.
std::vector<std::uint8_t> iconData(QColor colour, QChar letter) {
    QImage image(128, 128, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(8, 8, 112, 112), 26, 26);
    painter.setPen(Qt::white);
    QFont font;
    font.setPixelSize(64);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QString(letter));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

// A desktop with a few apps installed, two of them running.
void installApps(sim::SimPlatform& sim) {
    struct App {
        const char* id;
        const char* name;
        QColor colour;
        bool running;
    };
    const App apps[] = {
        {"com.apple.Safari", "Safari", QColor(0x1E88E5), false},
        {"com.apple.Notes", "Notes", QColor(0xF9A825), true},
        {"org.mozilla.firefox", "Firefox", QColor(0xEF6C00), true},
        {"com.spotify.client", "Spotify", QColor(0x2E7D32), false},
        {"com.figma.Desktop", "Figma", QColor(0x8E24AA), false},
        {"md.obsidian", "Obsidian", QColor(0x5E35B1), false},
        {"com.tinyspeck.slackmacgap", "Slack", QColor(0xAD1457), false},
        {"com.example.Calendar", "Calendar", QColor(0xE53935), false},
        {"com.example.Photos", "Photos", QColor(0x00897B), false},
        {"com.example.Terminal", "Terminal", QColor(0x37474F), false},
    };
    std::int32_t pid = 100;
    for (const auto& app : apps) {
        const std::string path = std::string("/Applications/") + app.name + ".app";
        sim.workspace().installApp(app.id, path);
        sim.workspace().setIcon(path, Icon{{}, iconData(app.colour, QChar(app.name[0]))});
        if (app.running) {
            RunningApplication running;
            running.processIdentifier = pid++;
            running.bundleIdentifier = app.id;
            sim.workspace().addRunningApp(running, false);
        }
    }
    InstalledApps::forget();
}

const SceneRegistrar app("composer-app", [](SceneContext& context) {
    installApps(context.sim);
    return composerScene(Action::openApp("com.spotify.client", true));
}, QSize(600, 620));

const SceneRegistrar appSearch("composer-app-nomatch", [](SceneContext& context) {
    installApps(context.sim);
    auto content = composerScene(Action::openApp("", false));
    auto* search = content->findChild<QLineEdit*>("composer.appSearch");
    search->setText("  zz");
    return content;
}, QSize(600, 620));

const SceneRegistrar keys("composer-keys", [](SceneContext&) {
    return composerScene(Action::keystroke(KeyCombo(40, {KeyCombo::Modifiers::command, KeyCombo::Modifiers::shift})));
}, composerSize);

const SceneRegistrar keysPreset("composer-keys-listening", [](SceneContext& context) {
    auto content = composerScene(Action::keystroke(KeyCombo::missionControl));
    auto* button = content->findChild<KeyListenButton*>("composer.recordKeys");
    context.afterShow([button] { button->start(); });
    return content;
}, composerSize);

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
    context.sim.processes().setUnstartable("/usr/bin/shortcuts", false);
    context.sim.processes().setOutput("/usr/bin/shortcuts", {"list"},
                                      "Morning routine\nLog water\nfocus mode\nSend ETA\n");
    context.afterShow([&sim = context.sim] {
        QThreadPool::globalInstance()->waitForDone();
        sim.runUntilIdle();
    });
    return composerScene(Action::shortcut("Log water"));
}, composerSize);

// As on Linux: there is no Shortcuts tool.
const SceneRegistrar shortcutNone("composer-shortcut-none", [](SceneContext& context) {
    context.sim.processes().setUnstartable("/usr/bin/shortcuts");
    context.afterShow([&sim = context.sim] {
        QThreadPool::globalInstance()->waitForDone();
        sim.runUntilIdle();
    });
    return composerScene(Action::shortcut(""));
}, composerSize);

// Midway through a change, held still for the picture: `change` runs on a
// manual clock that then stands `seconds` later.
void midway(SceneContext& context, std::function<void()> change, double seconds) {
    context.afterShow([change = std::move(change), seconds] {
        static ManualFrameClock clock;
        Motion::setInstant(false);
        FrameClock::install(&clock);
        change();
        clock.advance(seconds);
        FrameClock::install(nullptr);
        Motion::setInstant(true);
    });
}

// Media becomes Mac controls: the old card fades where it stood as the new
// one rises into place and the card grows to its eleven tiles.
const SceneRegistrar kindMidway("composer-motion-kind-midway", [](SceneContext& context) {
    auto content = composerScene(Action::media(MediaKey::next));
    auto* composer = content->findChild<ActionComposer*>();
    midway(context, [composer] { composer->choose(ActionComposer::Kind::system); }, 0.1);
    return content;
}, QSize(600, 700));

// ⌘Space becomes ⇧⌘4: two caps shrink away as three grow in.
const SceneRegistrar keysMidway("composer-motion-keys-midway", [](SceneContext& context) {
    auto content = composerScene(Action::keystroke(KeyCombo::spotlight));
    auto* composer = content->findChild<ActionComposer*>();
    midway(context, [composer] { composer->pick(Action::keystroke(KeyCombo::screenshot)); }, 0.08);
    return content;
}, composerSize);

// A recording ends with ⇧⌘4: the caps swap while the record button narrows
// back to "Record Keys".
const SceneRegistrar recordMidway("composer-motion-record-midway", [](SceneContext& context) {
    auto content = composerScene(Action::keystroke(KeyCombo::spotlight));
    auto* composer = content->findChild<ActionComposer*>();
    auto* button = content->findChild<KeyListenButton*>("composer.recordKeys");
    context.afterShow([button] { button->start(); });
    midway(context, [composer, button] {
        button->stop();
        composer->pick(Action::keystroke(KeyCombo::screenshot));
    }, 0.08);
    return content;
}, composerSize);

// ⌘Space becomes ⇧⌘4 and, mid-swap, ⌃↑: the first caps are still fading
// out beside the second ones.
const SceneRegistrar keysTwiceMidway("composer-motion-keys-twice-midway", [](SceneContext& context) {
    auto content = composerScene(Action::keystroke(KeyCombo::spotlight));
    auto* composer = content->findChild<ActionComposer*>();
    context.afterShow([composer] {
        static ManualFrameClock clock;
        Motion::setInstant(false);
        FrameClock::install(&clock);
        composer->pick(Action::keystroke(KeyCombo::screenshot));
        clock.advance(0.05);
        composer->pick(Action::keystroke(KeyCombo::missionControl));
        clock.advance(0.04);
        FrameClock::install(nullptr);
        Motion::setInstant(true);
    });
    return content;
}, composerSize);

}  // namespace
}  // namespace velorin::screenshots
