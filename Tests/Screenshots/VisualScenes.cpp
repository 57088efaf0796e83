// The rainbow effects and the pack visuals in each of their states.

#include "Scene.h"
#include "Velorin/Design/AppBadge.h"
#include "Velorin/Design/PackTile.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/RainbowViews.h"
#include "Velorin/Design/RetroAppleTile.h"
#include "Velorin/Design/Theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace velorin::screenshots {
namespace {

ColorEnvironment environmentOf(const SceneContext& context) {
    ColorEnvironment environment;
    environment.appearance = context.appearance;
    return environment;
}

QLabel* text(const QString& content, const ThemeColor& color, const SceneContext& context) {
    auto* label = new QLabel(content);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color.resolve(environmentOf(context)));
    label->setPalette(palette);
    return label;
}

// Rows of captioned widgets.
class Rows {
public:
    explicit Rows(const SceneContext& context) : context_(context), root_(std::make_unique<QWidget>()) {
        layout_ = new QGridLayout(root_.get());
        layout_->setHorizontalSpacing(20);
        layout_->setVerticalSpacing(16);
        layout_->setContentsMargins(28, 24, 28, 24);
    }
    void row(const QString& caption, std::initializer_list<QWidget*> widgets) {
        layout_->addWidget(text(caption, Theme::inkMuted, context_), rows_, 0, Qt::AlignVCenter);
        int column = 1;
        for (QWidget* w : widgets) layout_->addWidget(w, rows_, column++, Qt::AlignLeft | Qt::AlignVCenter);
        ++rows_;
    }
    std::unique_ptr<QWidget> take() {
        layout_->setColumnStretch(layout_->columnCount(), 1);
        return std::move(root_);
    }

private:
    const SceneContext& context_;
    std::unique_ptr<QWidget> root_;
    QGridLayout* layout_;
    int rows_ = 0;
};

// Stand-ins for installed apps' icons: a rounded square of the app's colour
// with a white mark, inside the margin real icons keep round their artwork.
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

AppLookup sceneApps() {
    return {[](const std::string& id) -> std::optional<QImage> {
                if (id == "com.linear") return appIcon(QColor(0x5E, 0x6A, 0xD2));
                if (id == "com.spotify.client") return appIcon(QColor(0x1D, 0xB9, 0x54));
                if (id == "com.figma.Desktop") return appIcon(QColor(0xA2, 0x59, 0xFF));
                return std::nullopt;
            },
            [](const std::string& id) -> std::string {
                if (id == "com.anthropic.claudefordesktop") return "Claude";
                if (id == "dev.zed.Zed") return "Zed";
                if (id == "org.example.écrire") return "écrire";
                if (id == "com.linear") return "Linear";
                if (id == "com.spotify.client") return "Spotify";
                if (id == "com.figma.Desktop") return "Figma";
                return "";
            }};
}

Pack scenePack(std::string id, std::string symbol, std::vector<std::string> apps = {},
               std::optional<std::uint32_t> accent = std::nullopt) {
    Pack pack;
    pack.id = id;
    pack.name = id;
    pack.symbol = std::move(symbol);
    pack.iconApps = std::move(apps);
    pack.accent = accent;
    return pack;
}

const SceneRegistrar packTiles("visuals-pack-tiles", [](SceneContext& context) {
    Rows rows(context);
    auto tile = [](const Pack& pack, bool active, double size) {
        return new PackTile(sceneApps(), pack, active, size);
    };
    const Pack icon = scenePack("linear", "line.diagonal", {"com.missing", "com.linear"});
    const Pack logo = scenePack("everyday-mac", "apple.logo");
    const Pack brand = scenePack("claude", "sparkles", {"com.missing"});
    const Pack marker = scenePack("cursor", "cube");
    const Pack custom = scenePack("custom-1", "bolt.horizontal", {}, 0xE6533C);
    const Pack plain = scenePack("custom-2", "doc.text");
    for (const auto& [caption, pack] : std::initializer_list<std::pair<QString, Pack>>{
             {QStringLiteral("App icon (active, idle)"), icon},
             {QStringLiteral("Striped logo"), logo},
             {QStringLiteral("Symbol, brand glow"), brand},
             {QStringLiteral("Symbol, black-or-white brand"), marker},
             {QStringLiteral("Symbol, own accent"), custom},
             {QStringLiteral("Symbol, no colour"), plain},
         }) {
        rows.row(caption, {tile(pack, true, 44), tile(pack, false, 44), tile(pack, true, 22), tile(pack, false, 22)});
    }
    rows.row(QStringLiteral("Logo tile, 96"), {new RetroAppleTile(true, 96), new RetroAppleTile(false, 96)});
    return rows.take();
});

const SceneRegistrar appBadges("visuals-app-badges", [](SceneContext& context) {
    Rows rows(context);
    auto badge = [](const char* id, double size) { return new AppBadge(sceneApps(), id, size); };
    rows.row(QStringLiteral("Icons, 28"),
             {badge("com.linear", 28), badge("com.spotify.client", 28), badge("com.figma.Desktop", 28)});
    rows.row(QStringLiteral("Letters, 28"), {badge("com.anthropic.claudefordesktop", 28), badge("dev.zed.Zed", 28),
                                             badge("org.example.écrire", 28), badge("org.example.unnamed", 28)});
    rows.row(QStringLiteral("Small, 16 and 18"),
             {badge("com.linear", 16), badge("dev.zed.Zed", 16), badge("com.linear", 18), badge("dev.zed.Zed", 18)});
    // A scope label's overlapping row of badges.
    auto* overlap = new QWidget;
    auto* line = new QHBoxLayout(overlap);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(-3);
    for (const char* id : {"com.linear", "dev.zed.Zed", "com.spotify.client", "com.anthropic.claudefordesktop"})
        line->addWidget(badge(id, 20));
    rows.row(QStringLiteral("Overlapping, 20"), {overlap});
    return rows.take();
});

const SceneRegistrar rainbow("visuals-rainbow", [](SceneContext& context) {
    Rows rows(context);
    auto liquid = [](double level) {
        auto* view = new RainbowLiquidView(level);
        view->setFixedSize(56, 72);
        return view;
    };
    rows.row(QStringLiteral("Liquid 0, 0.4, 0.75, 1.2"), {liquid(0), liquid(0.4), liquid(0.75), liquid(1.2)});

    auto grain = [](double strength) {
        auto* view = new PixelGrainView(strength);
        view->setFixedSize(120, 32);
        return view;
    };
    rows.row(QStringLiteral("Grain 0.12, 0.2"), {grain(0.12), grain(0.2)});

    auto glass = [&context](bool dark, bool solid, const QString& caption) {
        auto* view = new RainbowGlass(dark, solid);
        auto* layout = new QHBoxLayout(view);
        layout->setContentsMargins(16, 9, 16, 9);
        layout->addWidget(text(caption, dark ? Theme::onAccent : Theme::ink, context));
        return view;
    };
    rows.row(QStringLiteral("Glass"),
             {glass(false, false, QStringLiteral("Clear")), glass(false, true, QStringLiteral("Solid")),
              glass(true, false, QStringLiteral("Dark"))});

    // Three bursts in flight, a fifth of a second after their triggers.
    auto burst = [&context](bool drain, bool drip) {
        auto* host = new QWidget;
        host->setFixedSize(110, 44);
        context.afterShow([host, drain, drip] {
            pixelSplash(host, 0, drain, drip);
            pixelSplash(host, 1, drain, drip);
        });
        return host;
    };
    rows.row(QStringLiteral("Splash, drain, drip"), {burst(false, false), burst(true, false), burst(false, true)});
    context.afterShow([&context] { context.sim.advance(0.2); });
    return rows.take();
});

}  // namespace
}  // namespace velorin::screenshots
