#pragma once
// One of the user's own shortcuts in the My shortcuts list: a glass card with
// its switch, the gesture's kind and name, the action (with the app's icon
// when it opens one), where it works and, when an earlier shortcut hides it,
// a shaking "Duplicate" chip. The row shows the values it is given
// (`show`) and reports what the user does; the tab writes the configuration.
// A row is kept for as long as its shortcut exists and updated in place, so
// its chip shakes once when the conflict appears, not on every refresh.

#include <QWidget>

#include "Config/Binding.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Settings/Shake.h"

class QLabel;
class QMenu;

namespace velorin {

class Chip;
class GlassCard;
class LiquidSwitch;
class ScopeLabel;
class SymbolTile;
class ThemedText;

class BindingRow : public QWidget {
    Q_OBJECT
public:
    static constexpr double disabledOpacity = 0.6;
    static constexpr int gestureWidth = 170;  // points
    static constexpr int iconSide = 20;       // points

    BindingRow(const Binding& binding, bool conflict, QWidget* parent = nullptr);
    ~BindingRow() override;

    const Uuid& id() const { return binding_.id; }
    const Binding& binding() const { return binding_; }
    bool conflict() const { return conflict_; }
    // Updates in place; only what changed is touched.
    void show(const Binding& binding, bool conflict);
    using QWidget::show;

    double opacity() const { return opacity_.value(); }
    // How many times the "Duplicate" chip has started shaking.
    int shakes() const { return shakes_; }
    QMenu* contextMenu() const { return menu_; }

    // Parts by object name: "row.switch", "row.tile", "row.gesture", "row.appIcon",
    // "row.action", "row.scope", "row.duplicate"; menu actions "row.edit", "row.delete".

signals:
    void switched(const velorin::Uuid& id, bool on);
    void editRequested(const velorin::Uuid& id);
    void deleteRequested(const velorin::Uuid& id);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyOpacity();
    void placeChip();

    Binding binding_;
    bool conflict_ = false;
    GlassCard* card_ = nullptr;
    LiquidSwitch* switch_ = nullptr;
    SymbolTile* tile_ = nullptr;
    ThemedText* gesture_ = nullptr;
    QLabel* appIcon_ = nullptr;
    ThemedText* action_ = nullptr;
    ScopeLabel* scope_ = nullptr;
    QWidget* chipHolder_ = nullptr;
    Chip* chip_ = nullptr;
    QMenu* menu_ = nullptr;
    int shakes_ = 0;
    Shake shake_;
    AnimatedValue<double> opacity_;
};

}  // namespace velorin
