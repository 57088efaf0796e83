#pragma once
// The sheet that reads a running app's menus and lets the user pick one of its
// commands. It guides the user through the permission that reading menus
// needs, notices by itself when it arrives, and follows apps as they start and
// quit, so it can stay open while the user opens the app they want.
//
// It never closes itself: the caller places it (in an overlay of the settings
// window), and removes it in `onPick` or `onCancel`. It follows the desktop
// only while shown; nothing of it outlives it.
//
//     auto* picker = new MenuCommandPicker({}, [=](const MenuCommand& command) { ...; close(); },
//                                          [=] { close(); }, overlayParent);

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Actions/MenuCommand.h"
#include "Velorin/Editor/MenuCommandPickerModel.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QStackedLayout;

namespace velorin {

class AppBadge;

class MenuCommandPicker : public QWidget {
    Q_OBJECT
public:
    static constexpr int side = 560;  // points, both ways

    // A pick hands back the command's whole path, its top-level menu first,
    // and the key combination the menu shows for it (none when it shows none).
    using PickHandler = std::function<void(const MenuCommand& command)>;
    using CancelHandler = std::function<void()>;

    // `apps`: the bundle identifiers it may show; empty means any running app.
    MenuCommandPicker(std::vector<std::string> apps, PickHandler onPick, CancelHandler onCancel,
                      QWidget* parent = nullptr);
    ~MenuCommandPicker() override;

    MenuCommandPickerModel& model() const { return *model_; }

    QSize sizeHint() const override { return {side, side}; }

    // Parts that tests and the screenshots reach by object name:
    // "menuPicker.title", "menuPicker.apps" (the app chooser), "menuPicker.search",
    // "menuPicker.list", "menuPicker.guidance", "menuPicker.guidanceButton",
    // "menuPicker.cancel".
    QListView* list() const { return list_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class CommandRows;
    class RowDelegate;
    class Guidance;
    class SearchField;

    void redraw();
    void showHeader();
    void showChooser();
    void pickRow(int row);

    std::unique_ptr<MenuCommandPickerModel> model_;
    PickHandler onPick_;
    CancelHandler onCancel_;

    AppBadge* badge_ = nullptr;
    QLabel* title_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QStackedLayout* body_ = nullptr;
    QWidget* commandsPage_ = nullptr;
    SearchField* search_ = nullptr;
    QListView* list_ = nullptr;
    CommandRows* rows_ = nullptr;
    Guidance* guidance_ = nullptr;
    QAbstractButton* cancel_ = nullptr;
    std::vector<std::pair<std::int32_t, std::string>> chooserEntries_;  // pid and text, as shown
};

}  // namespace velorin
