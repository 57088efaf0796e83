#include "Velorin/Editor/ComposerPanels.h"

namespace velorin::composer {
namespace {

class EmptyPanel : public Panel {
public:
    using Panel::Panel;
    void showAction(const Action&) override {}
};

}  // namespace

Panel* makeAppPanel(ActionComposer& composer, QWidget* parent) { return new EmptyPanel(composer, parent); }
Panel* makeKeysPanel(ActionComposer& composer, QWidget* parent) { return new EmptyPanel(composer, parent); }

}  // namespace velorin::composer
