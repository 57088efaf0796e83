// The shell on a real X server (a private Xvfb): what the desktop sees of the
// app's windows and tray icon, and real key presses into its menu.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "Velorin/AppModel.h"
#include "Velorin/MenuBarExtra.h"
#include "Velorin/SettingsWindowWidget.h"
#include "Velorin/VelorinApp.h"

namespace velorin {
namespace {

QWidget* plainContent(AppModel&, QWidget* parent) { return new QWidget(parent); }

// Runs Qt's event loop until `done` holds or the time passes.
bool pumpUntil(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A second client on the same display: what other programs see.
class XClient {
public:
    XClient() : connection_(xcb_connect(nullptr, &screenNumber_)) {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        auto it = xcb_setup_roots_iterator(setup);
        for (int i = 0; i < screenNumber_; ++i) xcb_screen_next(&it);
        screen_ = it.data;
    }
    ~XClient() { xcb_disconnect(connection_); }
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool ok() const { return !xcb_connection_has_error(connection_) && screen_; }
    xcb_connection_t* connection() const { return connection_; }
    int screenNumber() const { return screenNumber_; }

    xcb_atom_t atom(const std::string& name) {
        auto reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, uint16_t(name.size()), name.c_str()), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    std::string utf8Property(xcb_window_t window, const std::string& name) {
        auto reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, atom(name), atom("UTF8_STRING"), 0, 1024), nullptr);
        std::string value;
        if (reply) {
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         size_t(xcb_get_property_value_length(reply)));
        }
        std::free(reply);
        return value;
    }

    // Becomes the system tray, as a panel does when it starts: owns the tray
    // selection and announces it to every client.
    xcb_window_t startTray() {
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen_->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const xcb_atom_t selection = atom("_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber_));
        xcb_set_selection_owner(connection_, window, selection, XCB_CURRENT_TIME);
        xcb_client_message_event_t manager{};
        manager.response_type = XCB_CLIENT_MESSAGE;
        manager.format = 32;
        manager.window = screen_->root;
        manager.type = atom("MANAGER");
        manager.data.data32[0] = XCB_CURRENT_TIME;
        manager.data.data32[1] = selection;
        manager.data.data32[2] = window;
        xcb_send_event(connection_, 0, screen_->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&manager));
        xcb_flush(connection_);
        return window;
    }

    void stopTray(xcb_window_t window) {
        xcb_destroy_window(connection_, window);
        xcb_flush(connection_);
    }

    // Whether a client asked the tray to dock an icon since the last call.
    bool dockRequested() {
        const xcb_atom_t opcode = atom("_NET_SYSTEM_TRAY_OPCODE");
        bool requested = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                if (message->type == opcode && message->data.data32[1] == 0) requested = true;  // REQUEST_DOCK
            }
            std::free(event);
        }
        return requested;
    }

private:
    int screenNumber_ = 0;
    xcb_connection_t* connection_;
    xcb_screen_t* screen_ = nullptr;
};

class ShellOnX11 : public testing::AppModelFixture {
protected:
    ShellOnX11() {
        testing::qtApp();
        VelorinApp::setApplicationIdentity();
    }
    XClient x;
};

TEST_F(ShellOnX11, theSettingsWindowsTitle_isItsOwnWithNothingAppended) {
    ASSERT_TRUE(x.ok());
    VelorinApp app(plainContent);
    app.model().showSettings(std::nullopt);
    auto* window = dynamic_cast<QWidget*>(app.model().settingsWindow());
    ASSERT_NE(window, nullptr);
    const auto id = xcb_window_t(window->winId());
    EXPECT_TRUE(pumpUntil([&] { return !x.utf8Property(id, "_NET_WM_NAME").empty(); }));
    EXPECT_EQ(x.utf8Property(id, "_NET_WM_NAME"), "Velorin Settings");
}

// A panel that starts after the app (autostart at login, a panel restart)
// still gets the icon; so does one that comes back after going away.
TEST_F(ShellOnX11, aTrayThatStartsLater_getsTheIcon) {
    ASSERT_TRUE(x.ok());
    VelorinApp app(plainContent);
    ASSERT_FALSE(MenuBarExtra::isTrayAvailable());
    QCoreApplication::processEvents();

    const xcb_window_t tray = x.startTray();
    EXPECT_TRUE(pumpUntil([&] { return x.dockRequested(); })) << "first tray";
    x.stopTray(tray);
    QCoreApplication::processEvents();
    const xcb_window_t again = x.startTray();
    EXPECT_TRUE(pumpUntil([&] { return x.dockRequested(); })) << "tray restarted";
    x.stopTray(again);
}

// Presses keys as the user does, through the X server's test extension.
void pressKeys(const QString& keys) { QProcess::execute("xdotool", {"key", "--clearmodifiers", keys}); }

// Opens the tray's menu as a click on the icon does, and lets it take the keyboard.
void openMenu(QMenu& menu) {
    menu.popup(QPoint(200, 200));
    pumpUntil([&] { return menu.isVisible(); });
    QElapsedTimer settle;
    settle.start();
    pumpUntil([&] { return settle.elapsed() > 150; });
}

// Presses `keys` with the menu open until `done` holds; a loaded machine may
// still be handing the menu the keyboard when the first press arrives.
bool pressInMenu(QMenu& menu, const QString& keys, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!menu.isVisible()) openMenu(menu);
        pressKeys(keys);
        if (pumpUntil(done, 2000)) return true;
    }
    return false;
}

TEST_F(ShellOnX11, theMenusKeyEquivalents_workWhileItIsOpen) {
    ASSERT_TRUE(x.ok());
    VelorinApp app(plainContent);
    QMenu& menu = *app.menuBar().menu();

    EXPECT_TRUE(pressInMenu(menu, "ctrl+e", [&] { return !app.model().config().isEnabled; }))
        << "Ctrl+E switches gestures off";
    EXPECT_TRUE(pumpUntil([&] { return app.menuBar().iconSymbol() == "hand.tap"; }));
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(pressInMenu(menu, "ctrl+e", [&] { return app.model().config().isEnabled; })) << "and on again";

    if (auto* window = dynamic_cast<QWidget*>(app.model().settingsWindow())) window->hide();
    app.model().selectedTab.set(SettingsTab::trackpad);
    EXPECT_TRUE(pressInMenu(menu, "ctrl+comma", [&] {
        auto* shown = dynamic_cast<QWidget*>(app.model().settingsWindow());
        return shown && shown->isVisible();
    })) << "Ctrl+, opens the settings";
    EXPECT_EQ(app.model().selectedTab.get(), SettingsTab::trackpad);

    // Ctrl+Q ends the event loop, as quitting the app does.
    QTimer press;
    press.setInterval(2000);
    QObject::connect(&press, &QTimer::timeout, [&] {
        openMenu(menu);
        pressKeys("ctrl+q");
    });
    QTimer::singleShot(0, &press, [&] {
        openMenu(menu);
        pressKeys("ctrl+q");
        press.start();
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    giveUp.start(7000);
    EXPECT_EQ(QApplication::exec(), 0) << "Ctrl+Q quits";
}

}  // namespace
}  // namespace velorin
