// The keys panel of the composer: the combination as key caps, the button
// that records a new one from the keyboard, and the ready-made combinations.

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/ComposerPanels.h"
#include "Velorin/Editor/ComposerWidgets.h"
#include "Velorin/Editor/KeyListenButton.h"
#include "Velorin/Editor/Keycaps.h"

namespace velorin {
namespace composer {
namespace {

class KeysPanel : public Panel {
public:
    KeysPanel(ActionComposer& composer, QWidget* parent) : Panel(composer, parent) {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(16);
        auto* row = new QHBoxLayout;
        row->setSpacing(14);
        caps_ = new Keycaps(KeyCombo(), false, this);
        caps_->setAnimatesChanges(true);
        row->addWidget(caps_, 0, Qt::AlignVCenter);
        row->addStretch(1);
        listen_ = new KeyListenButton(this);
        row->addWidget(listen_, 0, Qt::AlignVCenter);
        column->addLayout(row);
        grid_ = new TileGrid(this);
        column->addWidget(grid_);
        connect(listen_, &KeyListenButton::recorded, this,
                [this](const KeyCombo& combo) { composer_.pick(Action::keystroke(combo)); });
        connect(grid_, &TileGrid::tapped, this, [this](const std::string& key) {
            for (const auto& preset : ComposerRules::presets()) {
                if (ComposerRules::presetName(preset) == key) composer_.pick(Action::keystroke(preset));
            }
        });
    }

    void showAction(const Action& action) override {
        const auto* keystroke = action.as<Action::Keystroke>();
        const KeyCombo combo = keystroke ? keystroke->combo : KeyCombo();
        caps_->setCombo(combo);
        std::vector<TileGrid::Item> items;
        for (const auto& preset : ComposerRules::presets()) {
            const bool on = preset == combo;
            const std::string symbol(ComposerRules::presetSymbol(preset));
            items.push_back({ComposerRules::presetName(preset), QString::fromStdString(ComposerRules::presetName(preset)),
                             optionIconSize,
                             [symbol, on](QPainter& painter, const QRectF& rect, const ColorEnvironment& env) {
                                 paintOptionIcon(painter, rect, symbol, on, env);
                             },
                             on, true});
        }
        grid_->setItems(std::move(items));
    }

private:
    Keycaps* caps_ = nullptr;
    KeyListenButton* listen_ = nullptr;
    TileGrid* grid_ = nullptr;
};

}  // namespace

Panel* makeKeysPanel(ActionComposer& composer, QWidget* parent) { return new KeysPanel(composer, parent); }

}  // namespace composer
}  // namespace velorin
