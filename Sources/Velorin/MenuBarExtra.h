#pragma once
// The menu-bar extra: a tray icon that shows whether gestures are on, with
// the menu of MenuContent. The menu is rebuilt from the model whenever
// something it shows changes, on the next turn of the event loop (never inside
// the handler of one of its own items).

#include <QObject>

#include <memory>
#include <vector>

#include "Platform/ObserverToken.h"
#include "Velorin/MenuContent.h"
#include "Velorin/Observations.h"

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace velorin {

class AppModel;

class MenuBarExtra : public QObject {
    Q_OBJECT
public:
    explicit MenuBarExtra(AppModel& model, QObject* parent = nullptr);
    ~MenuBarExtra() override;

    // Whether the desktop has a tray to show the icon in.
    static bool isTrayAvailable();

    QMenu* menu() const { return menu_.get(); }
    QSystemTrayIcon* trayIcon() const { return tray_.get(); }
    // The symbol the icon shows now.
    const std::string& iconSymbol() const { return iconSymbol_; }
    // The rows the menu shows now.
    const std::vector<MenuRow>& rows() const { return rows_; }

    // Runs a row's effect, as choosing it in the menu does.
    void choose(MenuEffect effect);

protected:
    // The menu's key equivalents while it is open (Qt gives an open menu's keys
    // to the menu alone, not to the shortcuts of its actions).
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The rows were rebuilt.
    void rebuilt();

private:
    void scheduleRebuild();
    void rebuild();

    AppModel& model_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::vector<MenuRow> rows_;
    std::string iconSymbol_;
    MenuState shown_;
    bool rebuildPending_ = false;
    bool builtOnce_ = false;
    Observations observations_;
    ObserverToken defaultsToken_ = 0;
};

}  // namespace velorin
