#pragma once
// One pack in the packs tab's grid: its tile, name, where it works and a
// switch; its description; and a disclosure that lists its shortcuts (those
// that are on, then its spare ones), adds commands from the apps' menus and
// resets a built-in pack. A secondary click offers editing, duplicating and
// deleting. The card never writes the configuration: it calls the actions its
// owner gives it, and shows each new state its owner hands it, in place.
//
// `NewPackCard` is the dashed tile that starts a new pack.

#include <QAbstractButton>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Config/Binding.h"
#include "Config/Pack.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/AppLookup.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Packs/AppDirectory.h"
#include "Support/Uuid.h"

class QMenu;
class QVBoxLayout;
class QHBoxLayout;

namespace velorin {

class GlidingFrame;
class LiquidSwitch;
class PackArtLayer;
class PackTile;
class PillButton;
class Presence;
class PulseDot;
class ScopeLabel;
class ShortcutRow;
class SymbolView;
class ThemedLabel;
class ThemedText;

// What the card shows; its owner hands a new one after every change.
struct PackCardState {
    Pack pack;
    bool enabled = false;
    std::optional<std::string> frontApp;
    // The pack's current list; absent: the pack's own shortcuts.
    std::optional<std::vector<Binding>> shortcuts;
    bool customized = false;

    const std::vector<Binding>& list() const { return shortcuts ? *shortcuts : pack.bindings; }
    bool operator==(const PackCardState&) const = default;
};

// What the card may do; an absent action hides what offers it.
struct PackCardActions {
    std::function<void(bool on)> setEnabled;
    std::function<void()> edit;
    std::function<void()> duplicate;
    std::function<void()> remove;
    // Absent: the card is read-only.
    std::function<void(std::vector<Binding>)> setShortcuts;
    std::function<void()> reset;
};

class PackCard : public GlassCard {
    Q_OBJECT
public:
    // Where the art's pictures come from; absent: the running app's folder.
    using ArtSource = std::function<std::vector<QImage>(const std::string& packId)>;

    PackCard(PackCardState state, PackCardActions actions, QWidget* parent = nullptr);
    PackCard(PackCardState state, PackCardActions actions, AppDirectory directory, AppLookup lookup,
             ArtSource art, QWidget* parent = nullptr);
    ~PackCard() override;

    // Shows a new state in place: rows are kept by shortcut id.
    void setState(PackCardState state);
    void setActions(PackCardActions actions);
    const PackCardState& state() const { return state_; }

    bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded);
    bool isAddingFromMenus() const { return menuPicker_ != nullptr; }
    // What "Add from … menus…" does.
    void addFromMenus();
    // A command picked from the menus, added as a new shortcut.
    void add(const MenuCommand& command);

    // The context menu's items, in order (empty titles are dividers); each
    // triggers its action.
    QMenu* makeMenu(QWidget* parent);

    // Parts, for tests and the gallery.
    LiquidSwitch* enabledSwitch() const { return switch_; }
    QAbstractButton* editButton() const { return edit_; }
    QAbstractButton* disclosure() const { return disclosure_; }
    QString countText() const;
    bool showsActiveNow() const;
    ScopeLabel* scopeLabel() const { return scope_; }  // visible only when the card shows one
    QString descriptionText() const;
    // The rows shown, in order (those that are on, then the spare ones).
    std::vector<ShortcutRow*> rows() const;
    ShortcutRow* row(const Uuid& id) const;
    bool showsSpareHeading() const;
    // Absent until the list was first opened.
    PillButton* addFromMenusButton() const { return addFromMenus_; }
    PillButton* resetButton() const { return reset_; }
    bool hasArt() const { return art_ != nullptr; }
    // Built on the first opening of the list.
    bool hasList() const { return list_ != nullptr; }
    const PackArtLayer* artLayer() const { return art_.get(); }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Description;

    void refresh();
    void buildList();
    void refreshList();
    void changeRow(const Binding& changed);
    // The list's rows go; the list hides once nothing of it is on its way out.
    void dropRow(ShortcutRow* row, bool animate);
    void listOutOfSight();

    PackCardState state_;
    PackCardActions actions_;
    AppDirectory directory_;
    AppLookup lookup_;
    ArtSource artSource_;
    bool expanded_ = false;
    QPointer<QWidget> menuPicker_;

    PackTile* tile_ = nullptr;
    ThemedLabel* name_ = nullptr;
    QWidget* activeNow_ = nullptr;
    ScopeLabel* scope_ = nullptr;
    QAbstractButton* edit_ = nullptr;
    LiquidSwitch* switch_ = nullptr;
    Description* description_ = nullptr;
    QAbstractButton* disclosure_ = nullptr;
    SymbolView* chevron_ = nullptr;
    AnimatedValue<double> chevronTurn_;  // degrees
    ThemedLabel* count_ = nullptr;
    QWidget* list_ = nullptr;
    GlidingFrame* frame_ = nullptr;
    QVBoxLayout* column_ = nullptr;
    QVBoxLayout* listLayout_ = nullptr;
    ThemedLabel* spareHeading_ = nullptr;
    QWidget* listButtons_ = nullptr;
    PillButton* addFromMenus_ = nullptr;
    PillButton* reset_ = nullptr;
    std::map<Uuid, ShortcutRow*> rows_;
    std::vector<ShortcutRow*> order_;
    std::map<const ShortcutRow*, std::unique_ptr<Presence>> rowPresences_;
    std::map<Uuid, bool> rowWasOn_;  // which section each row stood in
    std::unique_ptr<Presence> activeNowPresence_;
    std::unique_ptr<Presence> listPresence_;
    std::unique_ptr<Presence> headingPresence_;
    std::unique_ptr<Presence> buttonsPresence_;
    bool listOpen_ = false;  // whether the rows were last laid out open
    bool built_ = false;     // the first state is shown without motion
    std::unique_ptr<PackArtLayer> art_;
};

class NewPackCard : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr double padding = 16;
    static constexpr double radius = 20;
    static constexpr double hoverScale = 1.01;
    static constexpr double restingFill = 0.45;  // opacity of the warm-white fill
    static constexpr double hoveringFill = 0.7;

    explicit NewPackCard(std::function<void()> action, QWidget* parent = nullptr);
    ~NewPackCard() override;

    bool isHovering() const { return hovering_; }
    // The pointer's coming and going moves the look with the snappy spring
    // (at once under Reduce Motion): the scale about the centre and the
    // fill's opacity, as drawn now.
    void setHovering(bool hovering);
    double scale() const;
    double fillOpacity() const;
    // Whether it is drawn grown, above the content, rather than by itself.
    bool drawsAbove() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr const char* title = "New pack";
    static constexpr const char* subtitle = "Your own gestures for any app, switched on and off together.";

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    class Grown;
    double textWidth(int width) const;
    void paintCard(QPainter& painter);

    bool hovering_ = false;
    AnimatedValue<double> hover_;  // 0 at rest, 1 hovered
    std::unique_ptr<Grown> grown_;
    DisplayObserver display_;
};

}  // namespace velorin
