#pragma once
// Chooses where something works: in every app, or only while one of a list of
// apps is in front. The list of bundle identifiers belongs to the caller
// (empty means every app): `setApps` shows the caller's list, and every change
// the user makes emits `appsEdited` with the whole new list. Apps are added
// through an open panel limited to applications and removed one by one.

#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Velorin/Editor/AppScope.h"

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace velorin {

class AppScopePicker : public QWidget {
    Q_OBJECT
public:
    // Shows the open panel over `parent` and calls `chosen` with the chosen
    // locations in the panel's order, only when the user confirms.
    using OpenPanel =
        std::function<void(QWidget* parent, std::function<void(const std::vector<std::string>& locations)> chosen)>;

    // `panel`: the open panel to use; absent: the file dialog of the desktop.
    explicit AppScopePicker(QWidget* parent = nullptr, OpenPanel panel = {});
    ~AppScopePicker() override;

    const std::vector<std::string>& apps() const { return apps_; }
    // Shows the caller's list; emits nothing. Which choice shows is decided
    // from the list once, when the picker is first shown.
    void setApps(std::vector<std::string> apps);

    bool onlySome() const { return scope_ && scope_->onlySome(); }

    // Runs the open panel and appends the chosen apps ("Add App…").
    void addApp();

    // The folder the open panel starts in: the applications folder.
    static QString applicationsFolder();

    // Parts by object name: "appScope.everyApp", "appScope.onlyThese", one
    // "appScope.row" per app (its "appScope.name", "appScope.icon",
    // "appScope.remove"), "appScope.add", "appScope.warning".

signals:
    void appsEdited(const std::vector<std::string>& apps);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Row {
        QWidget* widget = nullptr;
        QLabel* name = nullptr;
    };

    void edit(std::vector<std::string> apps);
    void choose(bool onlySome);
    void redraw();
    void showRows();
    Row makeRow(const std::string& bundleID);

    OpenPanel panel_;
    std::vector<std::string> apps_;
    std::optional<AppScope> scope_;  // set when first shown
    QAbstractButton* everyApp_ = nullptr;
    QAbstractButton* onlyThese_ = nullptr;
    QWidget* list_ = nullptr;
    QVBoxLayout* rowsLayout_ = nullptr;
    QAbstractButton* add_ = nullptr;
    QLabel* warning_ = nullptr;
    std::map<std::string, Row> rows_;  // by bundle identifier, a repeat keyed by its place among equals
};

}  // namespace velorin
