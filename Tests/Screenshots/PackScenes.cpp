// The packs tab on the simulated desktop with the application model on it:
// each of its pack tabs, a search, a card opened with its spare shortcuts, a
// row's popover, the pack editor (new and existing) with its delete
// confirmation and its shortcut editor, and a card with pictures behind it.

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Config/PackCatalog.h"

#include "Scene.h"
#include "QuietParts.h"

#include "Config/ConfigStore.h"
#include "Support/Uuid.h"
#include "TouchInput/TouchSource.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Packs/PackCard.h"
#include "Velorin/Packs/PackEditor.h"
#include "Velorin/Packs/PacksTab.h"
#include "Velorin/Packs/SearchField.h"
#include "Velorin/Packs/ShortcutRow.h"
#include "Velorin/SheetHost.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace velorin::screenshots {
namespace {

constexpr QSize tabSize(820, 580);

// Stand-ins for the icons of the apps the scenes treat as installed.
QImage appIcon(const QColor& color) {
    QImage image(128, 128, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(10, 10, 108, 108), 26, 26);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(40, 40, 48, 48));
    return image;
}

const std::map<std::string, std::pair<std::string, QColor>>& installed() {
    static const std::map<std::string, std::pair<std::string, QColor>> apps{
        {"com.apple.Safari", {"Safari", QColor(0x1E, 0x8E, 0xF5)}},
        {"com.google.Chrome", {"Google Chrome", QColor(0xF5, 0xA6, 0x23)}},
        {"com.microsoft.VSCode", {"Visual Studio Code", QColor(0x23, 0x7C, 0xD8)}},
        {"com.figma.Desktop", {"Figma", QColor(0xA2, 0x59, 0xFF)}},
        {"com.tinyspeck.slackmacgap", {"Slack", QColor(0x4A, 0x15, 0x4B)}},
        {"com.spotify.client", {"Spotify", QColor(0x1D, 0xB9, 0x54)}},
        {"notion.id", {"Notion", QColor(0x20, 0x20, 0x20)}},
        {"com.mitchellh.ghostty", {"Ghostty", QColor(0x30, 0x30, 0x40)}},
        {"com.apple.Terminal", {"Terminal", QColor(0x10, 0x10, 0x10)}},
    };
    return apps;
}

// Soft coloured bands, standing for the pictures a user puts in a pack's folder.
std::vector<QImage> sceneArt(const std::string& packId) {
    if (packId != "figma") return {};
    std::vector<QImage> images;
    const QColor colors[] = {QColor(0xFF, 0x71, 0x39), QColor(0xA2, 0x59, 0xFF), QColor(0x13, 0xA8, 0x9E)};
    for (const QColor& c : colors) {
        QImage image(240, 160, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        QLinearGradient g(0, 0, 240, 160);
        g.setColorAt(0, c);
        g.setColorAt(1, c.darker(160));
        p.fillRect(image.rect(), g);
        p.setBrush(QColor(255, 255, 255, 120));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(60, 30, 110, 110));
        images.push_back(image);
    }
    return images;
}

// The packs tab in a window of its own, with the window's sheet host over it
// and a model in a fresh configuration folder; the tab goes before the model.
class PacksScene final : public QWidget {
public:
    PacksScene(SceneContext& context, const AppConfig& config) {
        folder_ = std::filesystem::temp_directory_path() / ("velorin-packs-" + Uuid::generate().lowercased());
        std::filesystem::create_directories(folder_ / "Velorin");
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
        ConfigStore(folder_ / "Velorin" / "config.json").save(config);
        context.sim.accessibility().setTrusted(true);
        context.sim.defaults().remove(PacksTab::tabDefaultsKey);
        AppModel::Parts parts;
        parts.makeSettingsWindow = [](AppModel&) { return std::make_unique<testing::NoWindow>(); };
        parts.makeEngine = [](AppConfig loaded) {
            Engine::Parts engineParts;
            engineParts.touches = std::make_unique<testing::QuietTouchpad>();
            return std::make_unique<Engine>(std::move(loaded), std::move(engineParts));
        };
        model_ = std::make_unique<AppModel>(std::move(parts));
        context.sim.runUntilIdle();

        PacksTabParts tabParts;
        tabParts.directory = AppDirectory{
            [](const std::string& id) { return installed().contains(id); },
            [](const std::string& id) {
                auto it = installed().find(id);
                return it == installed().end() ? AppDirectory::system().name(id) : it->second.first;
            }};
        tabParts.lookup = AppLookup{[](const std::string& id) -> std::optional<QImage> {
                                        auto it = installed().find(id);
                                        if (it == installed().end()) return std::nullopt;
                                        return appIcon(it->second.second);
                                    },
                                    [](const std::string& id) {
                                        auto it = installed().find(id);
                                        return it == installed().end() ? AppDirectory::system().name(id)
                                                                       : it->second.first;
                                    }};
        tabParts.art = sceneArt;
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(28, 20, 28, 0);
        tab_ = new PacksTab(*model_, this, std::move(tabParts));
        layout->addWidget(tab_);
        host_ = new SheetHost(this);
        setFixedSize(tabSize);
    }
    ~PacksScene() override {
        delete host_;
        delete tab_;
        model_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    PacksTab& tab() { return *tab_; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<AppModel> model_;
    PacksTab* tab_ = nullptr;
    SheetHost* host_ = nullptr;
};

Pack videoPack() {
    Pack p = Pack::newCustom({"com.figma.Desktop", "com.apple.Safari"});
    p.id = "custom-video";
    p.name = "Video editing";
    p.summary = "Cut, mark and export without reaching for the keyboard.";
    p.accent = 0xFF375F;
    p.bindings = {
        Binding{Uuid::generate(), Gesture::tap(3, 1), Action::keystroke(KeyCombo(11, KeyCombo::Modifiers::command)),
                true, p.apps, std::string("Blade")},
        Binding{Uuid::generate(), Gesture::hold(4), Action::menuItem(MenuCommand({"File", "Export…"})), true, p.apps,
                std::nullopt},
        Binding{Uuid::generate(), Gesture::cornerTap(Gesture::Corner::topRight), Action::openApp("com.apple.Safari"),
                true, {}, std::nullopt},
    };
    return p;
}

AppConfig sceneConfig() {
    AppConfig config;
    config.customPacks = {videoPack()};
    config.enabledPacks = {"everyday-mac", "safari", "custom-video", "figma"};
    return config;
}

std::unique_ptr<PacksScene> scene(SceneContext& context, const AppConfig& config = sceneConfig()) {
    return std::make_unique<PacksScene>(context, config);
}

const SceneRegistrar all("packs-tab-all", [](SceneContext& c) { return scene(c); }, tabSize);

const SceneRegistrar on(
    "packs-tab-on",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().selectTab("on");
        return s;
    },
    tabSize);

const SceneRegistrar onEmpty(
    "packs-tab-on-empty",
    [](SceneContext& c) {
        auto s = scene(c, AppConfig{});
        s->tab().selectTab("on");
        return s;
    },
    tabSize);

const SceneRegistrar mine(
    "packs-tab-mine",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().selectTab("mine");
        return s;
    },
    tabSize);

const SceneRegistrar category(
    "packs-tab-browsers",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().setShowAll(true);
        s->tab().selectTab("browsers");
        return s;
    },
    tabSize);

const SceneRegistrar search(
    "packs-search",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().setQuery("code");
        return s;
    },
    tabSize);

// Safari with a spare shortcut given a gesture, opened; then one row's popover.
AppConfig customizedSafari() {
    AppConfig config = sceneConfig();
    std::vector<Binding> list = config.shortcuts("safari");
    for (Binding& b : list)
        if (!b.enabled) {
            b.enabled = true;
            b.gesture = PackCatalog::spare()[0];
            break;
        }
    config.setShortcuts(list, "safari");
    return config;
}

void openSafari(PacksScene& s, SceneContext& c, bool popover) {
    s.tab().selectTab("on");
    PackCard* card = s.tab().card("safari");
    card->setExpanded(true);
    c.afterShow([&s, card, popover] {
        // The expanded card at the top of the view.
        if (auto* bar = s.tab().scrollArea()->verticalScrollBar())
            bar->setValue(card->mapTo(s.tab().scrollArea()->widget(), QPoint(0, 0)).y());
        if (popover && !card->rows().empty()) card->rows()[1]->choose();
    });
}

const SceneRegistrar expanded(
    "packs-card-expanded",
    [](SceneContext& c) {
        auto s = scene(c, customizedSafari());
        openSafari(*s, c, false);
        return s;
    },
    tabSize);

const SceneRegistrar popover(
    "packs-row-popover",
    [](SceneContext& c) {
        auto s = scene(c, customizedSafari());
        openSafari(*s, c, true);
        return s;
    },
    tabSize);

const SceneRegistrar editor(
    "packs-editor",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().openEditor(videoPack());
        return s;
    },
    tabSize);

const SceneRegistrar editorNew(
    "packs-editor-new",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().openEditor(Pack::newCustom({}));
        return s;
    },
    tabSize);

const SceneRegistrar editorDelete(
    "packs-editor-delete",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().openEditor(videoPack());
        PacksTab* tab = &s->tab();
        c.afterShow([tab] {
            if (tab->editor()) tab->editor()->askToDelete();
        });
        return s;
    },
    tabSize);

const SceneRegistrar editorShortcut(
    "packs-editor-shortcut",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().openEditor(videoPack());
        PacksTab* tab = &s->tab();
        c.afterShow([tab] {
            if (tab->editor()) tab->editor()->addShortcut();
        });
        return s;
    },
    tabSize);

const SceneRegistrar art(
    "packs-card-art",
    [](SceneContext& c) {
        auto s = scene(c);
        s->tab().setQuery("figma");
        return s;
    },
    tabSize);

// The pointer over the new-pack card: grown about its centre past its own
// bounds, on a brighter fill.
const SceneRegistrar newPackHover(
    "packs-new-card-hover",
    [](SceneContext& c) {
        auto s = scene(c);
        NewPackCard* card = s->tab().newPackCard();
        c.afterShow([card] {
            QEnterEvent enter(QPointF(20, 20), QPointF(20, 20), QPointF(20, 20));
            QCoreApplication::sendEvent(card, &enter);
        });
        return s;
    },
    tabSize);

// Midway through a change: a search that brings cards in and sends others out
// while the cards that stay glide, and an opened card whose rows cascade in.
const SceneRegistrar midway(
    "packs-motion-midway",
    [](SceneContext& c) {
        auto s = scene(c, customizedSafari());
        s->tab().selectTab("on");
        c.afterShow([&s = *s] {
            static ManualFrameClock clock;
            Motion::setInstant(false);
            FrameClock::install(&clock);
            s.tab().setQuery("a");
            if (PackCard* card = s.tab().card("safari")) card->setExpanded(true);
            clock.advance(0.07);
            // What moves stays where it is for the picture.
            FrameClock::install(nullptr);
            Motion::setInstant(true);
        });
        return s;
    },
    tabSize);

}  // namespace
}  // namespace velorin::screenshots
