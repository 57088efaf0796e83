#pragma once
// The sheet in which one shortcut is made or changed: its gesture (recorded on
// the touchpad or chosen from menus), its action, the apps it works in and
// whether it is on. It edits a private copy (the draft), warns when the
// gesture clashes with another shortcut of its list, and hands the result to
// `done`: the edited shortcut on Add or Save, nothing on Cancel. It never
// writes the configuration and never closes itself.
//
// While it records, the engine's recording request is held, so no shortcut
// runs; every way out (Cancel, Add or Save, the sheet going away, the window
// being closed or minimised) gives the request back.

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "Config/Binding.h"
#include "Velorin/Editor/GestureListener.h"
#include "Velorin/Observations.h"

class QAbstractButton;
class QScrollArea;

namespace velorin {

class ActionComposer;
class AppModel;
class AppScopePicker;
class GesturePicker;
class ListeningRing;
class LiquidToggle;
class PillButton;
class SymbolTile;
class ThemedText;
class WindowShownWatch;

class BindingEditor : public QWidget {
    Q_OBJECT
public:
    using Done = std::function<void(std::optional<Binding> result)>;

    static constexpr int width = 780;  // points
    static constexpr int padding = 22;
    static constexpr int spacing = 14;

    // `siblings`: the list the clash check compares against (a pack's); absent:
    // the user's own shortcuts of the live configuration.
    BindingEditor(AppModel& model, Binding draft, bool isNew, std::optional<std::vector<Binding>> siblings, Done done,
                  QWidget* parent = nullptr);
    ~BindingEditor() override;

    const Binding& draft() const { return draft_; }
    bool isNew() const { return isNew_; }
    bool isRecording() const { return listener_.isListening(); }
    // The clash check as it stands now.
    bool showsClash() const;

    QSize sizeHint() const override;

    // "Record Gesture" / the recording row's "Cancel".
    void toggleRecording();
    // The footer's buttons.
    void cancel();
    void confirm();

    // Parts by object name: "editor.title", "editor.tile", "editor.recordingText",
    // "editor.listening", "editor.record", "editor.gesturePicker", "editor.clash",
    // "editor.composer", "editor.scope", "editor.enabled", "editor.cancel",
    // "editor.confirm".

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* section(const QString& title, int step, QWidget* content);
    void stop();
    void refresh();

    AppModel& model_;
    Binding draft_;
    bool isNew_;
    std::optional<std::vector<Binding>> siblings_;
    Done done_;
    GestureListener listener_;
    SymbolTile* tile_ = nullptr;
    ListeningRing* ring_ = nullptr;
    ThemedText* recordingText_ = nullptr;
    PillButton* record_ = nullptr;
    GesturePicker* picker_ = nullptr;
    ThemedText* clash_ = nullptr;
    ActionComposer* composer_ = nullptr;
    AppScopePicker* scope_ = nullptr;
    LiquidToggle* enabled_ = nullptr;
    PillButton* confirm_ = nullptr;
    WindowShownWatch* watch_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    Observations observations_;
};

}  // namespace velorin
