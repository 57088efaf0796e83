#pragma once
// The panels of the action composer, one per kind of action. A panel is made
// when its kind comes on screen and dropped when another kind replaces it;
// while its kind stays, `showAction` updates it in place with each new value.
// Panels write only through the composer (`pick`, `write`, `confirm`).

#include <QWidget>

#include "Actions/Action.h"
#include "Velorin/Editor/ComposerRules.h"

namespace velorin {

class ActionComposer;

namespace composer {

class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(ActionComposer& composer, QWidget* parent);
    ~Panel() override;

    // Shows `action`, which is of the panel's kind.
    virtual void showAction(const Action& action) = 0;

protected:
    ActionComposer& composer_;
};

// The panel of `kind`, showing `action`.
Panel* makePanel(ComposerKind kind, ActionComposer& composer, const Action& action, QWidget* parent);

// One per file of panels.
Panel* makeWindowPanel(ActionComposer& composer, QWidget* parent);
Panel* makeMediaPanel(ActionComposer& composer, QWidget* parent);
Panel* makeSystemPanel(ActionComposer& composer, QWidget* parent);
Panel* makeAppPanel(ActionComposer& composer, QWidget* parent);
Panel* makeKeysPanel(ActionComposer& composer, QWidget* parent);
Panel* makeMenuPanel(ActionComposer& composer, QWidget* parent);
Panel* makeLinkPanel(ActionComposer& composer, QWidget* parent);
Panel* makeShortcutPanel(ActionComposer& composer, QWidget* parent);

}  // namespace composer
}  // namespace velorin
