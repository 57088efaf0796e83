#pragma once
// The My shortcuts tab: the user's own shortcuts grouped by the apps they are
// limited to, each a row with its switch, gesture, action, where it works and
// a mark when an earlier shortcut hides it. A double click (or "Edit…")
// opens the shortcut editor sheet; "Delete" removes the shortcut; "Add
// Shortcut" and a click on the empty pad open the gesture studio.
//
// Groups and rows are worked out from the live configuration after every
// change (the refresh is queued), and kept by identity: a group by its apps,
// a row by its shortcut's id, updated in place.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Config/Binding.h"
#include "Velorin/Observations.h"
#include "Velorin/QueuedRefresh.h"

class QVBoxLayout;

namespace velorin {

class AppModel;
class BindingEditor;
class BindingRow;
class GroupHeading;
class PillButton;

class ShortcutsTab : public QWidget {
    Q_OBJECT
public:
    // `emptyPad`: what the empty state shows above its texts (the live pad);
    // absent: the program's own.
    using PadFactory = std::function<QWidget*(AppModel& model, QWidget* parent)>;

    explicit ShortcutsTab(AppModel& model, QWidget* parent = nullptr, PadFactory emptyPad = {});
    ~ShortcutsTab() override;

    BindingRow* row(const Uuid& id) const;
    GroupHeading* heading(const std::vector<std::string>& apps) const;
    // The rows and headings in the order they are shown.
    std::vector<QWidget*> listed() const;
    bool showsEmptyState() const;
    BindingEditor* editor() const;

    // What the rows and the menu ask for.
    void edit(const Uuid& id);
    void remove(const Uuid& id);
    void setEnabled(const Uuid& id, bool on);
    using QWidget::setEnabled;

    // Parts by object name: "shortcuts.add", "shortcuts.banner", "shortcuts.empty",
    // "shortcuts.pad", "shortcuts.list"; rows "bindingRow", headings "groupHeading".

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scheduleRefresh();
    void refresh();
    void refreshBanner();
    void closeEditor();

    AppModel& model_;
    QVBoxLayout* bannerSlot_ = nullptr;
    QPointer<QWidget> banner_;
    QWidget* empty_ = nullptr;
    QWidget* list_ = nullptr;
    QVBoxLayout* listLayout_ = nullptr;
    std::map<Uuid, BindingRow*> rows_;
    std::map<std::vector<std::string>, GroupHeading*> headings_;
    QPointer<BindingEditor> editor_;
    QueuedRefresh refreshLater_{this, [this] { refresh(); }};
    Observations observations_;
};

}  // namespace velorin
