// The design system's controls in each of their states.

#include "Scene.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/LiquidTab.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/PulseDot.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/TabBar.h"
#include "Velorin/Design/TabHeader.h"
#include "Velorin/Design/Theme.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace velorin::screenshots {
namespace {

QLabel* caption(const QString& text, const SceneContext& context) {
    auto* label = new QLabel(text);
    QPalette palette = label->palette();
    ColorEnvironment env;
    env.appearance = context.appearance;
    palette.setColor(QPalette::WindowText, Theme::inkMuted.resolve(env));
    label->setPalette(palette);
    return label;
}

// A grid of captioned cells: each row a caption and its widgets.
class Grid {
public:
    explicit Grid(const SceneContext& context) : context_(context), root_(std::make_unique<QWidget>()) {
        layout_ = new QGridLayout(root_.get());
        layout_->setHorizontalSpacing(18);
        layout_->setVerticalSpacing(14);
    }
    void row(const QString& text, std::initializer_list<QWidget*> widgets) {
        layout_->addWidget(caption(text, context_), rows_, 0, Qt::AlignVCenter);
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
    QGridLayout* layout_ = nullptr;
    int rows_ = 0;
};

void pressOn(QWidget* widget, QPointF at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

void press(QWidget* widget) { pressOn(widget, QRectF(widget->rect()).center()); }

void hover(QWidget* widget, QPointF at) {
    QEnterEvent enter(at, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &enter);
}

QLabel* cardText(const QString& text, const SceneContext& context) {
    auto* label = new QLabel(text);
    QPalette palette = label->palette();
    ColorEnvironment env;
    env.appearance = context.appearance;
    palette.setColor(QPalette::WindowText, Theme::ink.resolve(env));
    label->setPalette(palette);
    return label;
}

GlassCard* card(const QString& text, const SceneContext& context) {
    auto* c = new GlassCard(16, 18, ThemeColor::clear());
    c->setFixedSize(190, 110);
    c->addContent(cardText(text, context));
    return c;
}

const SceneRegistrar cards("controls-cards", [](SceneContext& context) {
    Grid grid(context);
    GlassCard* plain = card("No flood", context);
    GlassCard* drained = card("Flood drained", context);
    drained->setFlood(false);
    GlassCard* flooded = card("Flood (butter)", context);
    flooded->setFlood(true);
    GlassCard* packFlood = card("Flood (pack fill)", context);
    packFlood->setFloodFill(PackStyle::floodFill(PackIdentity{"figma", std::nullopt}));
    packFlood->setFlood(true);
    grid.row("Flood", {plain, drained, flooded, packFlood});

    GlassCard* tinted = card("Tint: success 0.12", context);
    tinted->setTint(Theme::success.opacity(0.12));
    GlassCard* art = card("Art", context);
    art->setArt([](QPainter& painter, const QRectF& rect, const ColorEnvironment&) {
        QLinearGradient g(rect.topLeft(), rect.bottomRight());
        g.setColorAt(0, QColor(255, 120, 80, 140));
        g.setColorAt(1, QColor(80, 120, 255, 40));
        painter.fillRect(rect, g);
    });
    GlassCard* hovered = card("Hovered: lamp, deeper shadow", context);
    context.afterShow([hovered] { hover(hovered, QPointF(120, 40)); });
    grid.row("Tint, art, hover", {tinted, art, hovered});
    auto* stack = new QWidget;
    auto* column = new QVBoxLayout(stack);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    for (const char* text : {"Stacked 12 apart", "Each shadow lies under its neighbour", "The last"}) {
        GlassCard* c = card(text, context);
        c->setFixedSize(190, 60);
        column->addWidget(c);
    }
    grid.row("A column", {stack});
    return grid.take();
});

const SceneRegistrar pills("controls-pills", [](SceneContext& context) {
    Grid grid(context);
    auto* plain = new PillButton("Cancel");
    auto* primary = new PillButton("Save Shortcut", true);
    grid.row("At rest", {plain, primary});
    auto* plainDown = new PillButton("Cancel");
    auto* primaryDown = new PillButton("Save Shortcut", true);
    context.afterShow([plainDown, primaryDown] {
        press(plainDown);
        press(primaryDown);
    });
    grid.row("Pressed", {plainDown, primaryDown});
    auto* plainOff = new PillButton("Cancel");
    plainOff->setEnabled(false);
    auto* primaryOff = new PillButton("Save Shortcut", true);
    primaryOff->setEnabled(false);
    grid.row("Disabled", {plainOff, primaryOff});
    auto* focused = new PillButton("Keyboard focus");
    context.afterShow([focused] { focused->setFocus(Qt::TabFocusReason); });
    grid.row("Focused", {focused});
    return grid.take();
});

const SceneRegistrar smalls("controls-chips-dots-tiles", [](SceneContext& context) {
    Grid grid(context);
    auto* text = new Chip("Safari", std::nullopt, Theme::inkFaint, Theme::ink);
    auto* symbol = new Chip("Tap with 3 fingers", std::string("hand.tap"), Theme::honey, Theme::onAccent);
    auto* elided = new Chip("A very long chip text that is shortened in the middle", std::nullopt, Theme::cream,
                            Theme::inkMuted);
    elided->setFixedWidth(150);
    const PackIdentity pack{"figma", std::nullopt};
    auto* packChip = new Chip("Pack fill", std::string("sparkles"), PackStyle::switchFill(pack), PackStyle::onFill(pack));
    grid.row("Chip", {text, symbol, elided, packChip});
    grid.row("PulseDot", {new PulseDot(Theme::success), new PulseDot(Theme::warning), new PulseDot(Theme::honey)});
    grid.row("SymbolTile", {new SymbolTile("hand.tap", false, 28), new SymbolTile("hand.tap", true, 28),
                            new SymbolTile("gearshape.fill", false, 40), new SymbolTile("gearshape.fill", true, 40),
                            new SymbolTile("sparkles", true, 56)});
    return grid.take();
});

const SceneRegistrar switches("controls-switches", [](SceneContext& context) {
    Grid grid(context);
    grid.row("Rainbow", {new LiquidSwitch(false), new LiquidSwitch(true)});
    auto* pressedOff = new LiquidSwitch(false);
    auto* pressedOn = new LiquidSwitch(true);
    context.afterShow([pressedOff, pressedOn] {
        press(pressedOff);
        press(pressedOn);
    });
    grid.row("Pressed", {pressedOff, pressedOn});
    const PackIdentity figma{"figma", std::nullopt};
    const PackIdentity safari{"safari", std::nullopt};
    grid.row("Pack fill", {new LiquidSwitch(false, PackStyle::switchFill(figma)),
                           new LiquidSwitch(true, PackStyle::switchFill(figma)),
                           new LiquidSwitch(true, PackStyle::switchFill(safari))});
    auto* offDisabled = new LiquidSwitch(false);
    offDisabled->setEnabled(false);
    auto* onDisabled = new LiquidSwitch(true);
    onDisabled->setEnabled(false);
    grid.row("Disabled", {offDisabled, onDisabled});
    auto* toggle = new LiquidToggle("Launch at login", true);
    toggle->setMinimumWidth(260);
    auto* toggleOff = new LiquidToggle("Show taps on screen", false);
    toggleOff->setMinimumWidth(260);
    grid.row("LiquidToggle", {toggle, toggleOff});
    auto* focused = new LiquidSwitch(true);
    context.afterShow([focused] { focused->setFocus(Qt::TabFocusReason); });
    grid.row("Focused", {focused});
    return grid.take();
});

LiquidSlider* slider(double value, double lower, double upper) {
    auto* s = new LiquidSlider(value, lower, upper, [](double v) { return QString::number(v, 'f', 2) + " s"; });
    s->setFixedWidth(260);
    return s;
}

const SceneRegistrar sliders("controls-sliders", [](SceneContext& context) {
    Grid grid(context);
    grid.row("Value", {slider(0, 0, 1), slider(0.35, 0, 1), slider(1, 0, 1)});
    auto* dragged = slider(0.5, 0, 1);
    auto* draggedEnd = slider(0.98, 0, 1);
    context.afterShow([dragged, draggedEnd] {
        press(dragged);
        pressOn(draggedEnd, QPointF(draggedEnd->width() - 12, 14));
    });
    grid.row("Dragging", {dragged, draggedEnd});
    auto* disabled = slider(0.6, 0, 1);
    disabled->setEnabled(false);
    grid.row("Disabled; equal bounds", {disabled, slider(3, 3, 3)});
    return grid.take();
});

const SceneRegistrar tabBar("controls-tabbar", [](SceneContext& context) {
    Grid grid(context);
    grid.row("Packs", {new TabBar});
    auto* trackpad = new TabBar;
    trackpad->setSelection(SettingsTab::trackpad);
    grid.row("Trackpad", {trackpad});
    auto* focused = new TabBar;
    focused->setSelection(SettingsTab::about);
    context.afterShow([focused] { focused->button(SettingsTab::general)->setFocus(Qt::TabFocusReason); });
    grid.row("About; General focused", {focused});
    return grid.take();
});

const SceneRegistrar tabHeader("controls-tabheader", [](SceneContext&) {
    auto root = std::make_unique<QWidget>();
    auto* column = new QVBoxLayout(root.get());
    column->addWidget(new TabHeader("Sensitivity",
                                    "How long a tap may last, how far fingers may move and how quickly taps follow "
                                    "each other. Changes apply at once; the preview shows what the trackpad sees."));
    column->addWidget(new TabHeader("About", "Velorin"));
    root->setFixedWidth(560);
    return root;
});

}  // namespace
}  // namespace velorin::screenshots
