#pragma once
// The real program on a desktop of its own, for end-to-end tests.
//
// An AppSession starts an X server (Xvfb) and a window manager (openbox), then the
// app: the program's own main() and composition, built once more beside a
// touchpad library whose pads the test feeds (PadFolderBackend.cpp), with a probe
// that says where a widget is on screen (Probe.cpp). HOME, XDG_CONFIG_HOME and the
// other per-user folders point into a fresh folder, so each session starts as a
// first run (or with the configuration the test writes) and leaves nothing behind.
//
// A test finds a widget by its object or accessible name, points real X input at
// it (XTest, through xdotool) and reads what the app wrote:
//
//     AppSession app;                                   // the settings window opens at start
//     app.click("tab.sensitivity");                     // a tab of the tab bar
//     app.drag("sensitivity.tapSpeed", 0.2, 0.9);       // a slider, from 20% to 90% of its width
//     app.waitUntil([&] { return app.readConfig().value("recognizer", {}) ... ; });
//     app.pad().play(EventScript().at(0).land(0, 1, 2000, 1200).fingers(1).report()
//                                 .at(0.08).lift(0).fingers(0).report());
//     app.key("ctrl+s");  app.type("hello");
//     app.recordProgram("xdg-open");                    // an action's launch, noted, not run
//
// Every case is its own process under ctest (gtest_discover_tests), so each starts one
// session; a test file joins EndToEndTests in this folder's CMakeLists.txt.
//
// Paths are names joined by "/", each inside the one before ("general.launchAtLogin/
// liquidToggleSwitch"). waitFor() and the input calls wait for the widget to show and
// throw (failing the test, with the app's log) when it does not. With VELORIN_E2E_KEEP=1
// in the environment the session's folder stays, with the app's log and screenshots.

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <sys/types.h>

#include "../MultitouchSupport/EventScript.h"

namespace velorin::e2e {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int centerX() const { return x + width / 2; }
    int centerY() const { return y + height / 2; }
};

using Seconds = std::chrono::duration<double>;
// Generous: the tests share the machine, and the app draws in software.
inline constexpr Seconds defaultWait{30};
inline constexpr Seconds startWait{90};

// One touchpad of the app: a FIFO the app reads as a multitouch pad of 5 slots,
// x 0…4000 and y 0…2500 (y grows away from the user), pressure 0…255, touch size 0…30.
class Touchpad {
public:
    Touchpad(std::filesystem::path fifo);
    ~Touchpad();
    Touchpad(const Touchpad&) = delete;
    Touchpad& operator=(const Touchpad&) = delete;

    // Sends the script's events in real time: each at its `at` seconds after the call.
    void play(const testing::EventScript& script);
    // The pad goes away (as when unplugged); the app sees it gone.
    void unplug();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

class AppSession {
public:
    struct Options {
        // Written as the configuration file before the app starts; none: a first run.
        std::optional<nlohmann::json> config;
        // Extra environment for the app (XDG_CURRENT_DESKTOP, LANG, …).
        std::map<std::string, std::string> environment;
        // The touchpads present at start (the FIFOs' names, without ".pad").
        std::vector<std::string> pads = {"main"};
        int screenWidth = 1600;
        int screenHeight = 1000;
        // A system tray (trayer) on the desktop: the app then shows its icon there, and
        // the settings window does not open at start.
        bool tray = false;
    };

    AppSession();
    explicit AppSession(Options options);
    ~AppSession();
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;

    // ---- What the app wrote
    const std::filesystem::path& home() const { return home_; }
    std::filesystem::path configHome() const { return home_ / ".config"; }
    std::filesystem::path configFile() const { return configHome() / "Velorin" / "config.json"; }
    // The app's own preferences (QSettings, INI).
    std::filesystem::path defaultsFile() const { return configHome() / "Velorin" / "Velorin.conf"; }
    std::filesystem::path autostartFolder() const { return configHome() / "autostart"; }
    // The configuration file's JSON; null when absent or not JSON (yet).
    nlohmann::json readConfig() const;
    // One key of the preferences' [General] group, as written; none when absent.
    std::optional<std::string> defaultsValue(const std::string& key) const;

    // ---- Finding what is on screen
    std::optional<Rect> find(const std::string& path);
    // Waits until the widget shows; throws when it doesn't within `wait`.
    Rect waitFor(const std::string& path, Seconds wait = defaultWait);
    // As waitFor, then until the widget stands still (an entrance may still be sliding
    // it in); after a few seconds of motion its last place is taken.
    Rect waitForSteady(const std::string& path, Seconds wait = defaultWait);
    // Waits until no widget along `path` shows.
    bool waitUntilGone(const std::string& path, Seconds wait = defaultWait);
    // Polls `done` (every 50 ms) until it holds; false when it never did.
    bool waitUntil(const std::function<bool()>& done, Seconds wait = defaultWait);
    std::vector<std::string> windowTitles();
    std::optional<std::string> property(const std::string& path, const std::string& name);
    // Saves a widget's pixels (say, a window) as a PNG in the session's folder; gives its path.
    std::filesystem::path screenshot(const std::string& path, const std::string& fileName);
    std::string probe(const std::string& request);

    // ---- Real input
    void click(const std::string& path);
    // Clicks the item `text` of the menu at `path` (a menu shown now, or within the wait).
    void chooseItem(const std::string& path, const std::string& text);
    // The app's icon in the tray (Options::tray).
    static constexpr const char* trayIcon = "@QSystemTrayIconSys";
    void clickAt(int x, int y);
    // Presses the widget at `from` (fractions of its width, at mid height) and moves to `to`.
    void drag(const std::string& path, double from, double to);
    void dragBetween(int x1, int y1, int x2, int y2);
    // Both wait until a window of the app has the keyboard focus.
    void key(const std::string& keys);  // xdotool's names: "ctrl+w", "Escape", "Tab"
    void type(const std::string& text);

    // ---- The program
    // Starts the program a second time, as the user does from the launcher; it hands
    // over to the running one and ends. Gives its exit status.
    int launchAgain();
    bool appRunning();
    std::string appLog() const;
    // The first pad (or the one named); a pad plugged in later with plugPad().
    Touchpad& pad(const std::string& name = "main");
    Touchpad& plugPad(const std::string& name);

    // Puts a stand-in for the program `name` first on the app's PATH (xdg-open,
    // xdg-screensaver, …): it only notes its arguments, which recordedCalls() gives,
    // one line a call, joined by spaces.
    void recordProgram(const std::string& name);
    std::vector<std::string> recordedCalls(const std::string& name) const;

    // Runs an X client on this display (xdotool, xprop, …); gives its exit status and output.
    struct Run {
        int status = -1;
        std::string output;
    };
    Run runClient(const std::vector<std::string>& argv);

private:
    pid_t spawn(const std::vector<std::string>& argv, const std::string& logName);
    std::vector<std::string> appEnvironment() const;
    void startServer();
    void startWindowManager();
    void startTray();
    void startApp();
    void waitForFocus();
    void shutDown();
    [[noreturn]] void fail(const std::string& what);

    Options options_;
    std::filesystem::path root_;
    std::filesystem::path home_;
    std::filesystem::path padFolder_;
    std::filesystem::path probeSocket_;
    std::string display_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    pid_t tray_ = -1;
    pid_t app_ = -1;
    int appStatus_ = -1;
    std::map<std::string, std::unique_ptr<Touchpad>> pads_;
};

}  // namespace velorin::e2e
