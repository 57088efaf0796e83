#include "Velorin/Editor/ComposerPanels.h"

#include <QVBoxLayout>

#include "Velorin/DisplayNames.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/ComposerWidgets.h"

namespace velorin::composer {
namespace {

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A panel that is nothing but a grid of tiles over every case of `E`, the
// current one on; a tap picks the tile's case.
template <typename E>
class GridPanel : public Panel {
public:
    using Current = std::function<std::optional<E>(const Action&)>;
    using Make = std::function<Action(E)>;
    using Title = std::function<std::string(E)>;
    using Icon = std::function<IconPainter(E, bool on)>;

    GridPanel(ActionComposer& composer, QWidget* parent, QSizeF iconSize, Current current, Make make, Title title,
              Icon icon)
        : Panel(composer, parent),
          iconSize_(iconSize),
          bounces_(iconSize == optionIconSize),
          current_(std::move(current)),
          make_(std::move(make)),
          title_(std::move(title)),
          icon_(std::move(icon)) {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        grid_ = new TileGrid(this);
        column->addWidget(grid_);
        connect(grid_, &TileGrid::tapped, this, [this](const std::string& key) {
            for (E value : allCases<E>()) {
                if (rawValue(value) == key) composer_.pick(make_(value));
            }
        });
    }

    void showAction(const Action& action) override {
        const auto current = current_(action);
        std::vector<TileGrid::Item> items;
        for (E value : allCases<E>()) {
            const bool on = current == value;
            items.push_back({std::string(rawValue(value)), qt(title_(value)), iconSize_, icon_(value, on), on, bounces_});
        }
        grid_->setItems(std::move(items));
    }

private:
    QSizeF iconSize_;
    bool bounces_;  // option symbols bounce; diagrams stay still
    Current current_;
    Make make_;
    Title title_;
    Icon icon_;
    TileGrid* grid_ = nullptr;
};

IconPainter symbolIcon(std::string symbol, bool on) {
    return [symbol = std::move(symbol), on](QPainter& painter, const QRectF& rect, const ColorEnvironment& env) {
        paintOptionIcon(painter, rect, symbol, on, env);
    };
}

}  // namespace

Panel::Panel(ActionComposer& composer, QWidget* parent) : QWidget(parent), composer_(composer) {
    setObjectName("composer.panel");
}

Panel::~Panel() = default;

Panel* makeWindowPanel(ActionComposer& composer, QWidget* parent) {
    return new GridPanel<WindowCommand>(
        composer, parent, windowDiagramSize,
        [](const Action& a) -> std::optional<WindowCommand> {
            if (auto* w = a.as<Action::Window>()) return w->command;
            return std::nullopt;
        },
        [](WindowCommand c) { return Action::window(c); }, [](WindowCommand c) { return ComposerRules::shortName(c); },
        [](WindowCommand c, bool on) -> IconPainter {
            return [c, on](QPainter& painter, const QRectF& rect, const ColorEnvironment& env) {
                paintWindowDiagram(painter, rect, c, on, env);
            };
        });
}

Panel* makeMediaPanel(ActionComposer& composer, QWidget* parent) {
    return new GridPanel<MediaKey>(
        composer, parent, optionIconSize,
        [](const Action& a) -> std::optional<MediaKey> {
            if (auto* m = a.as<Action::Media>()) return m->key;
            return std::nullopt;
        },
        [](MediaKey k) { return Action::media(k); }, [](MediaKey k) { return std::string(displayName(k)); },
        [](MediaKey k, bool on) { return symbolIcon(std::string(ComposerRules::symbol(k)), on); });
}

Panel* makeSystemPanel(ActionComposer& composer, QWidget* parent) {
    return new GridPanel<SystemCommand>(
        composer, parent, optionIconSize,
        [](const Action& a) -> std::optional<SystemCommand> {
            if (auto* s = a.as<Action::System>()) return s->command;
            return std::nullopt;
        },
        [](SystemCommand c) { return Action::system(c); }, [](SystemCommand c) { return std::string(displayName(c)); },
        [](SystemCommand c, bool on) { return symbolIcon(std::string(symbol(c)), on); });
}

Panel* makePanel(ComposerKind kind, ActionComposer& composer, const Action& action, QWidget* parent) {
    Panel* panel = nullptr;
    switch (kind) {
        case ComposerKind::app: panel = makeAppPanel(composer, parent); break;
        case ComposerKind::keys: panel = makeKeysPanel(composer, parent); break;
        case ComposerKind::menu: panel = makeMenuPanel(composer, parent); break;
        case ComposerKind::window: panel = makeWindowPanel(composer, parent); break;
        case ComposerKind::media: panel = makeMediaPanel(composer, parent); break;
        case ComposerKind::system: panel = makeSystemPanel(composer, parent); break;
        case ComposerKind::open: panel = makeLinkPanel(composer, parent); break;
        case ComposerKind::shortcut: panel = makeShortcutPanel(composer, parent); break;
    }
    panel->showAction(action);
    return panel;
}

}  // namespace velorin::composer
