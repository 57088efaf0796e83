#pragma once
// Says what a shortcut does: eight pills choose the kind of action (an app,
// keys, a menu command, window placement, a media key, a Mac command, a
// website or file, a shortcut of the Shortcuts app), and a card below shows
// the kind's header and a panel of its options.
//
// The action belongs to the caller: `setAction` shows the caller's value, and
// every change the user makes emits `actionEdited` with the whole new action
// (which the composer shows at once). The composer keeps nothing of its own
// about the action, so a change of the caller's value shows at once; within
// the same kind the panel is updated in place (a field keeps its cursor, a
// listening key recorder keeps listening). `chosen` tells the caller that the
// user has just picked a concrete option; choosing a kind never emits it.
//
//     auto* composer = new ActionComposer(binding.action, parent);
//     connect(composer, &ActionComposer::actionEdited, this, [=](const Action& a) { draft.action = a; });
//     connect(composer, &ActionComposer::chosen, this, &Studio::advance);  // optional
//
// The menu command picker opens as a sheet on the nearest `SheetHost`.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Actions/Action.h"
#include "Velorin/Editor/ComposerRules.h"

class QLabel;
class QVBoxLayout;

namespace velorin {

class GlassCard;
class GlidingFrame;
class ThemedText;

namespace composer {
class KindPills;
class Panel;
class HeaderIcon;
class Entrance;
}  // namespace composer

class ActionComposer : public QWidget {
    Q_OBJECT
public:
    using Kind = ComposerKind;

    // What an open panel is asked to choose: an application (starting in the
    // applications folder), or any one file or folder.
    struct FileRequest {
        enum class What { application, fileOrFolder };
        What what = What::fileOrFolder;
        QString startFolder;
    };
    // Shows an open panel over `parent` and calls `chosen` with the chosen
    // location's file-system path, only when the user confirms.
    using FilePanel = std::function<void(QWidget* parent, const FileRequest& request,
                                         std::function<void(const std::string& path)> chosen)>;

    // `panel`: the open panel to use; absent: the desktop's file dialog.
    explicit ActionComposer(Action action = Action(), QWidget* parent = nullptr, FilePanel panel = {});
    ~ActionComposer() override;

    const Action& action() const { return action_; }
    Kind kind() const { return ComposerRules::kindOf(action_); }
    // Shows the caller's action; emits nothing.
    void setAction(const Action& action);

    // What the user does, as the pills and panels call it.

    // Switches to another kind, starting from its default action; the
    // current kind again changes nothing.
    void choose(Kind kind);
    // Writes a concrete option: feedback, the write, then `chosen`, also
    // when the option is the one in place.
    void pick(const Action& action);
    // Writes without feedback and without `chosen` (typing, a switch).
    void write(const Action& action);
    // `chosen` without a write (Return in the link field).
    void confirm();

    // How many times the kind has changed; each change splashes the pills.
    int splashes() const { return splashes_; }

    // State the panels share, kept while the composer lives.
    const QString& appQuery() const { return appQuery_; }
    void setAppQuery(const QString& query) { appQuery_ = query; }
    const std::vector<std::string>& shortcuts() const { return shortcuts_; }
    bool loadedShortcuts() const { return loadedShortcuts_; }
    // Reads the Shortcuts tool's list on a worker of the global thread pool,
    // once per composer; each run that finishes while the composer exists
    // replaces the list, one that finishes later is dropped. A run uses the
    // platform until it ends (a test waits for the pool before its platform goes).
    void loadShortcuts();

    // Runs the open panel for `request` and calls `chosen` with the path.
    void runFilePanel(const FileRequest& request, std::function<void(const std::string& path)> chosen);
    // Shows the menu command picker as a sheet (the menu panel's button).
    void chooseMenuCommand();
    bool choosingMenu() const { return choosingMenu_; }

    // The current panel (tests and the screenshots).
    QWidget* panel() const;
    // How the card stands in its entrance after a change of kind: its
    // opacity, and how many points below its place it is drawn.
    double cardOpacity() const;
    double cardOffset() const;
    // The card it replaced, fading out where it stood (0 once gone).
    double leavingCardOpacity() const;
    // The height of the card's content as shown now (it glides on a change of kind).
    double cardHeight() const;

    // Parts by object name: "composer.pills" and one "composer.pill" per kind
    // (its "kind" property the pill's label), "composer.card",
    // "composer.title", "composer.description", "composer.panel" (with
    // "composer.tile" tiles in its grids, their "title" and "on" properties).

signals:
    void actionEdited(const velorin::Action& action);
    void chosen();
    // The shortcut list arrived (after `loadShortcuts`).
    void shortcutsLoaded();

private:
    struct ShortcutsMailbox;

    void store(const Action& action);
    void showAction();

    Action action_;
    FilePanel filePanel_;
    int splashes_ = 0;
    bool choosingMenu_ = false;
    QString appQuery_;
    std::vector<std::string> shortcuts_;
    bool loadedShortcuts_ = false;
    std::shared_ptr<ShortcutsMailbox> mailbox_;

    composer::KindPills* pills_ = nullptr;
    GlassCard* card_ = nullptr;
    composer::Entrance* entrance_ = nullptr;
    composer::HeaderIcon* headerIcon_ = nullptr;
    ThemedText* title_ = nullptr;
    ThemedText* description_ = nullptr;
    QWidget* body_ = nullptr;
    GlidingFrame* frame_ = nullptr;
    QVBoxLayout* cardColumn_ = nullptr;
    composer::Panel* panel_ = nullptr;
    std::optional<Kind> panelKind_;
    QPointer<QWidget> menuSheet_;
};

}  // namespace velorin
