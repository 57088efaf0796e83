#pragma once
// The services that come from Qt's event loop and its view of the desktop: the
// main queue and its timers, screens, this app's defaults, display settings and
// the clipboard. They need a QGuiApplication.

#include <map>
#include <memory>
#include <mutex>

#include "Platform/Defaults.h"
#include "Platform/Linux/DesktopGeometry.h"
#include "Platform/DisplaySettings.h"
#include "Platform/MainQueue.h"
#include "Platform/Pasteboard.h"
#include "Platform/Screens.h"

class QObject;
class QSettings;

namespace velorin::linux_platform {

class QtMainQueue : public MainQueue {
public:
    void async(std::function<void()> block) override;
    void asyncAfter(double delaySeconds, std::shared_ptr<WorkItem> item) override;
    std::shared_ptr<RepeatingTimer> scheduleRepeatingTimer(double intervalSeconds,
                                                           std::function<void()> block) override;
    bool isMainThread() const override;

    // The longest delay a single timer takes; later deadlines are re-armed.
    static constexpr double longestDelaySeconds = 24 * 3600.0;
};

// The primary screen in root-window pixels and its scale, from Qt's screens;
// a unit square without screens.
DesktopUnits qtDesktopUnits();

// Qt's screens in the bottom-left convention (origin at the primary screen's
// bottom left, y up), in points of the primary screen's scale, the same units
// as window frames; the primary screen comes first.
class QtScreens : public Screens {
public:
    std::vector<Screen> screens() override;
    std::optional<Screen> mainScreen() override;
    Point mouseLocation() override;
};

// This app's own keys in QSettings; other domains are another system's
// preferences and read as absent.
class QtDefaults : public Defaults {
public:
    QtDefaults();  // the app's own settings file
    explicit QtDefaults(std::unique_ptr<QSettings> settings);
    ~QtDefaults() override;
    std::optional<PropertyValue> object(const std::string& key) override;
    void set(const std::string& key, const PropertyValue& value) override;
    void remove(const std::string& key) override;
    std::optional<PropertyValue> object(const std::string& key, const std::string& domain) override;
    ObserverToken addObserver(Observer observer) override;
    void removeObserver(ObserverToken token) override;

private:
    void notify(const std::string& key);
    std::unique_ptr<QSettings> settings_;
    std::mutex mutex_;
    std::map<ObserverToken, Observer> observers_;
    ObserverToken next_ = 1;
};

// Dark appearance from the palette, the accent from its highlight colour.
// Qt 6.4 knows no reduce-motion or reduce-transparency setting: both off.
class QtDisplaySettings : public DisplaySettings {
public:
    QtDisplaySettings();
    ~QtDisplaySettings() override;
    bool reduceMotion() override { return false; }
    bool reduceTransparency() override { return false; }
    bool darkAppearance() override;
    std::uint32_t accentColor() override;
    ObserverToken addObserver(Observer observer) override;
    void removeObserver(ObserverToken token) override;

private:
    std::map<ObserverToken, Observer> observers_;
    ObserverToken next_ = 1;
    std::unique_ptr<QObject> watcher_;
};

class QtPasteboard : public Pasteboard {
public:
    void clearContents() override;
    bool setString(const std::string& text) override;
    std::optional<std::string> string() override;
};

}  // namespace velorin::linux_platform
