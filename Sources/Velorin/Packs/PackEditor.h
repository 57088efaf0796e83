#pragma once
// The sheet that makes or edits a pack of the user's own: its name, summary,
// colour, the apps it works in and its shortcuts, under a live card of the
// result. Every edit stays in the editor's working copy (PackEditorModel);
// the editor ends by handing a result to `done` (save, delete or cancel) and
// leaves closing the sheet to its caller.

#include <QWidget>

#include <functional>
#include <memory>
#include <map>
#include <optional>
#include <vector>

#include "Config/Binding.h"
#include "Config/Pack.h"
#include "Velorin/Design/AppLookup.h"
#include "Velorin/Packs/AppDirectory.h"
#include "Velorin/Packs/PackEditorModel.h"
#include "Velorin/Packs/SheetSurface.h"

class QLabel;
class QLineEdit;
class QVBoxLayout;
class QScrollArea;

namespace velorin {

class AppModel;
class AppScopePicker;
class PackCard;
class Presence;
class PillButton;
class ThemedLabel;

// Opens the shortcut editor over `from` for one shortcut (`isNew`: not yet in
// the list; `siblings`: the shortcuts it checks gesture clashes against) and
// calls `done` once with the edited shortcut, or none when it was cancelled.
using ShortcutEditorOpener =
    std::function<void(AppModel& model, QWidget* from, const Binding& binding, bool isNew,
                       const std::vector<Binding>& siblings, std::function<void(std::optional<Binding>)> done)>;

// The shortcut editor sheet of the settings window, over `from`'s window.
ShortcutEditorOpener standardShortcutEditor();

// The parts of the editor that come from elsewhere; tests hand in their own.
struct PackEditorParts {
    ShortcutEditorOpener shortcutEditor = standardShortcutEditor();
    AppDirectory directory = AppDirectory::system();
    std::optional<AppLookup> lookup;  // absent: the shell's icons and names
};

class PackEditor : public SheetSurface {
    Q_OBJECT
public:
    static constexpr int width = 580;
    static constexpr int height = 680;

    PackEditor(AppModel& model, Pack draft, bool isNew, std::function<void(PackEditorResult)> done,
               PackEditorParts parts, QWidget* parent = nullptr);
    ~PackEditor() override;

    const PackEditorModel& editor() const { return editor_; }

    // What the buttons and gestures of the sheet do.
    void save();
    void cancel();
    void askToDelete();
    // The confirmation's "Delete Pack".
    void confirmDelete();
    void dismissDelete();
    void addShortcut();
    void editShortcut(const Uuid& id);
    void removeShortcut(const Uuid& id);

    // Parts, for tests and the gallery.
    PackCard* preview() const { return preview_; }
    QScrollArea* body() const { return scroll_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* summaryField() const { return summary_; }
    AppScopePicker* appsPicker() const { return apps_; }
    std::vector<QWidget*> swatchButtons() const { return swatches_; }
    // Which swatch shows its ring, if any.
    std::optional<std::size_t> ringedSwatch() const;
    PillButton* saveButton() const { return save_; }
    PillButton* cancelButton() const { return cancel_; }
    PillButton* deleteButton() const { return delete_; }
    QWidget* deleteConfirmation() const { return confirmation_; }
    std::vector<QWidget*> shortcutRows() const;
    QString titleText() const;

    QSize sizeHint() const override { return {width, height}; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Swatch;
    class Row;

    QWidget* section(const QString& title, QWidget* content);
    QLineEdit* field(const QString& placeholder);
    void refresh();
    void refreshRows();
    void openShortcutEditor();

    AppModel& model_;
    PackEditorModel editor_;
    std::function<void(PackEditorResult)> done_;
    PackEditorParts parts_;
    AppLookup lookup_;
    bool finished_ = false;
    ThemedLabel* title_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    PackCard* preview_ = nullptr;
    // The preview as it stood before the last change, fading out over it.
    QLabel* previewBefore_ = nullptr;
    std::unique_ptr<Presence> previewBeforePresence_;
    QLineEdit* name_ = nullptr;
    QLineEdit* summary_ = nullptr;
    std::vector<QWidget*> swatches_;
    AppScopePicker* apps_ = nullptr;
    QWidget* rowsHost_ = nullptr;
    QVBoxLayout* rowsLayout_ = nullptr;
    ThemedLabel* empty_ = nullptr;
    std::map<Uuid, Row*> rows_;
    std::vector<Row*> rowOrder_;
    PillButton* delete_ = nullptr;
    PillButton* save_ = nullptr;
    PillButton* cancel_ = nullptr;
    QWidget* confirmation_ = nullptr;
};

}  // namespace velorin
