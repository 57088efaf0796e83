#include "Velorin/MenuBarExtra.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QSystemTrayIcon>

#include "Platform/Defaults.h"
#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/TrayIcon.h"

namespace velorin {

MenuBarExtra::MenuBarExtra(AppModel& model, QObject* parent)
    : QObject(parent), model_(model), menu_(std::make_unique<QMenu>()), tray_(std::make_unique<QSystemTrayIcon>()) {
    menu_->setObjectName("menuBarMenu");
    tray_->setToolTip("Velorin");
    tray_->setContextMenu(menu_.get());
    connect(menu_.get(), &QMenu::aboutToShow, this, &MenuBarExtra::rebuild);
    menu_->installEventFilter(this);
    // Some trays show the menu only on a right click; a plain click opens it too.
    connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger && !menu_->isVisible()) menu_->popup(QCursor::pos());
    });

    auto& engine = model_.engine();
    observations_.add(engine.config(), [this](const AppConfig&) { scheduleRebuild(); });
    observations_.add(engine.accessibilityTrusted(), [this](const bool&) { scheduleRebuild(); });
    observations_.add(engine.startError(), [this](const std::optional<std::string>&) { scheduleRebuild(); });
    observations_.add(engine.lastFired(), [this](const std::optional<Engine::Fired>&) { scheduleRebuild(); });
    defaultsToken_ = platform::current().defaults().addObserver([this](const std::string& key) {
        if (key == MenuContent::showTapsKey) scheduleRebuild();
    });

    rebuild();
    // Shown whatever the tray's state: Qt docks the icon when a tray appears
    // later (autostart before the panel, a panel restart) and again after one
    // comes back.
    tray_->show();
}

MenuBarExtra::~MenuBarExtra() {
    if (defaultsToken_) platform::current().defaults().removeObserver(defaultsToken_);
}

bool MenuBarExtra::isTrayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void MenuBarExtra::choose(MenuEffect effect) {
    if (effect == MenuEffect::quit) {
        QCoreApplication::quit();
        return;
    }
    MenuContent::perform(effect, model_);
    scheduleRebuild();
}

bool MenuBarExtra::eventFilter(QObject* watched, QEvent* event) {
    if (watched != menu_.get() || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier) return false;
    for (const MenuRow& row : rows_) {
        if (!row.commandKey || key->key() != static_cast<int>(row.commandKey) || row.effect == MenuEffect::none) continue;
        // As choosing the item does: the menu closes, then the effect runs.
        menu_->hide();
        const MenuEffect effect = row.effect;
        QMetaObject::invokeMethod(
            this, [this, effect] { choose(effect); }, Qt::QueuedConnection);
        return true;
    }
    return false;
}

void MenuBarExtra::scheduleRebuild() {
    if (rebuildPending_) return;
    rebuildPending_ = true;
    QMetaObject::invokeMethod(this, &MenuBarExtra::rebuild, Qt::QueuedConnection);
}

void MenuBarExtra::rebuild() {
    rebuildPending_ = false;
    const MenuState state = MenuContent::state(model_);
    if (builtOnce_ && state == shown_) return;
    builtOnce_ = true;
    shown_ = state;
    rows_ = MenuContent::rows(state);

    menu_->clear();
    for (const MenuRow& row : rows_) {
        if (row.kind == MenuRow::Kind::separator) {
            menu_->addSeparator();
            continue;
        }
        // "&" marks a mnemonic in menus; names of packs and shortcuts may hold one.
        QAction* action = menu_->addAction(QString::fromStdString(row.title).replace('&', "&&"));
        switch (row.kind) {
            case MenuRow::Kind::toggle:
                action->setCheckable(true);
                action->setChecked(row.checked);
                break;
            case MenuRow::Kind::text:
                action->setEnabled(false);
                break;
            case MenuRow::Kind::button:
            case MenuRow::Kind::separator:
                break;
        }
        if (row.commandKey) action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(row.commandKey)));
        if (row.effect != MenuEffect::none) {
            const MenuEffect effect = row.effect;
            // Queued: the menu is rebuilt afterwards, which deletes this action.
            connect(action, &QAction::triggered, this, [this, effect] {
                QMetaObject::invokeMethod(
                    this, [this, effect] { choose(effect); }, Qt::QueuedConnection);
            });
        }
    }

    const std::string symbol(MenuContent::iconSymbol(state.isEnabled));
    if (symbol != iconSymbol_) {
        iconSymbol_ = symbol;
        tray_->setIcon(TrayIcon::icon(iconSymbol_, state.isEnabled));
    }
    emit rebuilt();
}

}  // namespace velorin
