#pragma once
// One shortcut of an expanded pack card: its gesture as a chip in the pack's
// colours (a dashed "Add gesture" chip while it is off), an app badge, its
// title, its keys, a clash mark and a globe for a shortcut of an app pack that
// works everywhere. The chip opens a popover that picks a gesture and switches
// the shortcut on, saves a new gesture or removes it. The row never stores
// anything: it hands the changed copy to its owner, which rebuilds it.

#include <QAbstractButton>
#include <QPointer>

#include <functional>

#include "Config/Binding.h"
#include "Config/Pack.h"
#include "Velorin/Design/AppLookup.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Packs/SheetSurface.h"

class QHBoxLayout;

namespace velorin {

class AppBadge;
class GesturePicker;
class Keycap;
class PillButton;
class SymbolView;

// The gesture chip: the gesture on the pack's colours, or "Add gesture".
class GestureChip : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int minimumWidth = 150;  // so that the titles of a card's rows line up

    explicit GestureChip(QWidget* parent = nullptr);
    // `gesture` absent: the dashed "Add gesture" look.
    void setGesture(std::optional<Gesture> gesture, const Pack& pack);
    bool isAddGesture() const { return !gesture_; }
    QString label() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<Gesture> gesture_;
    PackIdentity pack_;
    DisplayObserver display_;
};

// The popover of one shortcut: its title, the gesture picker and the buttons.
class ShortcutPopover : public SheetSurface {
    Q_OBJECT
public:
    static constexpr int width = 440;

    ShortcutPopover(const Binding& binding, const Gesture& draft, QWidget* parent = nullptr);

    GesturePicker* picker() const { return picker_; }
    const Gesture& draft() const { return draft_; }
    // "Remove gesture"; absent for a shortcut that is off.
    PillButton* removeButton() const { return remove_; }
    // "Save" or "Switch On", pressed by Return.
    PillButton* confirmButton() const { return confirm_; }

    QSize sizeHint() const override;

signals:
    void confirmed(const velorin::Gesture& gesture);
    void removeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    GesturePicker* picker_ = nullptr;
    PillButton* remove_ = nullptr;
    PillButton* confirm_ = nullptr;
    Gesture draft_;
};

class ShortcutRow : public QWidget {
    Q_OBJECT
public:
    using Change = std::function<void(const Binding& changed)>;

    ShortcutRow(Binding binding, Pack pack, bool clashes, bool editable, Change change, QWidget* parent = nullptr);
    ShortcutRow(Binding binding, Pack pack, bool clashes, bool editable, Change change, AppLookup lookup,
                QWidget* parent = nullptr);
    ~ShortcutRow() override;

    // Shows a new state of the same shortcut in place; an open popover stays.
    void set(Binding binding, Pack pack, bool clashes, bool editable);
    void setChange(Change change) { change_ = std::move(change); }

    const Binding& binding() const { return binding_; }
    bool isEditable() const { return editable_; }
    bool clashes() const { return clashes_; }
    GestureChip* chip() const { return chip_; }
    QString title() const;
    bool isChoosing() const { return popover_ != nullptr; }
    ShortcutPopover* popover() const { return popover_; }
    // The gesture the popover starts from.
    const Gesture& draft() const { return draft_; }

    // What the chip does: opens the popover on the shortcut's gesture.
    void choose();
    // Closes the popover without writing anything.
    void dismiss();

    // Parts by object name: "shortcutRow.chip", "shortcutRow.app",
    // "shortcutRow.title", "shortcutRow.keys", "shortcutRow.clash",
    // "shortcutRow.globe"; in the popover "shortcutPopover.title",
    // "shortcutPopover.remove", "shortcutPopover.confirm".

private:
    void refresh();
    void finish(std::optional<Binding> changed);

    Binding binding_;
    Pack pack_;
    bool clashes_;
    bool editable_;
    Change change_;
    AppLookup lookup_;
    Gesture draft_;
    GestureChip* chip_ = nullptr;
    AppBadge* app_ = nullptr;
    class Title;
    Title* title_ = nullptr;
    Keycap* keys_ = nullptr;
    SymbolView* clash_ = nullptr;
    SymbolView* globe_ = nullptr;
    QPointer<ShortcutPopover> popover_;
};

}  // namespace velorin
