#include "MultitouchSupport/TouchpadSwitchWatch.h"

#include <gio/gio.h>
#include <glib-unix.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <fcntl.h>
#include <libevdev/libevdev.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "MultitouchSupport/EvdevBackend.h"
#include "MultitouchSupport/TouchpadSwitchXInput.h"

namespace velorin::multitouch {

namespace {

constexpr const char* kcminputrc = "kcminputrc";

// Far beyond any real kcminputrc; a bigger file is not one, and switches nothing off.
constexpr std::streamsize kcminputrcLimit = 1 << 20;

std::string readKcminputrc(const std::string& folder) {
    std::ifstream file(folder + "/" + kcminputrc, std::ios::binary);
    if (!file) return {};
    std::string text(static_cast<std::size_t>(kcminputrcLimit) + 1, '\0');
    file.read(text.data(), kcminputrcLimit + 1);
    if (file.gcount() > kcminputrcLimit) return {};
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

// The touchpad settings of `schemaId`, when that schema is installed with a fixed path and
// a "send-events" string (an enum reads as its nick): GLib aborts on a schema or key it does
// not know, so everything is looked up first.
GSettings* openSettings(const std::string& schemaFolder, const std::string& schemaId) {
    GSettingsSchemaSource* source = nullptr;
    if (schemaFolder.empty()) {
        source = g_settings_schema_source_get_default();
        if (source) g_settings_schema_source_ref(source);
    } else {
        GError* error = nullptr;
        source = g_settings_schema_source_new_from_directory(schemaFolder.c_str(), nullptr, TRUE, &error);
        if (error) g_error_free(error);
    }
    if (!source) return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId.c_str(), TRUE);
    g_settings_schema_source_unref(source);
    if (!schema) return nullptr;
    GSettings* settings = nullptr;
    if (g_settings_schema_get_path(schema) && g_settings_schema_has_key(schema, sendEventsKey)) {
        GSettingsSchemaKey* key = g_settings_schema_get_key(schema, sendEventsKey);
        if (g_variant_type_equal(g_settings_schema_key_get_value_type(key), G_VARIANT_TYPE_STRING)) {
            settings = g_settings_new_full(schema, nullptr, nullptr);
        }
        g_settings_schema_key_unref(key);
    }
    g_settings_schema_unref(schema);
    return settings;
}

class DesktopTouchpadSwitch final : public TouchpadSwitchWatch {
public:
    DesktopTouchpadSwitch(TouchpadSwitchSetup setup, std::function<void(const TouchpadSwitch&)> changed)
        : setup_(std::move(setup)), changed_(std::move(changed)), context_(g_main_context_new()) {
        // Made with our context as the thread's default, the settings emit "changed" in it.
        g_main_context_push_thread_default(context_);
        if (setup_.sources.schema) settings_ = openSettings(setup_.schemaFolder, *setup_.sources.schema);
        if (settings_) {
            const std::string signal = std::string("changed::") + sendEventsKey;
            g_signal_connect(settings_, signal.c_str(), G_CALLBACK(&DesktopTouchpadSwitch::settingChanged), this);
        }
        g_main_context_pop_thread_default(context_);

        if (setup_.sources.xinput && !setup_.display.empty()) xinput_ = XInputDevices::connect(setup_.display);
        if (xinput_) {
            if (!setup_.identify) {
                setup_.identify = [folder = setup_.inputFolder](const std::string& node) {
                    return identityAtNode(folder, node);
                };
            }
            xinputSource_ =
                g_unix_fd_source_new(xinput_->fd(), static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR));
            g_source_set_callback(xinputSource_, G_SOURCE_FUNC(&DesktopTouchpadSwitch::xinputReadable), this, nullptr);
            g_source_attach(xinputSource_, context_);
        }

        inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (inotify_ >= 0 && readsKcminputrc()) {
            constexpr std::uint32_t replaced = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;
            configWatch_ = inotify_add_watch(inotify_, setup_.configFolder.c_str(), replaced);
        }
        if (inotify_ >= 0 && (settings_ || xinput_)) {
            constexpr std::uint32_t nodes = IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM;
            inputWatch_ = inotify_add_watch(inotify_, setup_.inputFolder.c_str(), nodes);
        }
        if (inotify_ >= 0) {
            inotifySource_ = g_unix_fd_source_new(inotify_, G_IO_IN);
            g_source_set_callback(inotifySource_, G_SOURCE_FUNC(&DesktopTouchpadSwitch::inotifyReadable), this,
                                  nullptr);
            g_source_attach(inotifySource_, context_);
        }
    }

    // Tells the switch's state at once, then follows it. The key is read only now, with the
    // handler connected: GSettings emits "changed" only for a key read since it was.
    void begin() {
        state_ = read();
        changed_(state_);
        thread_ = std::thread([this] { run(); });
    }

    ~DesktopTouchpadSwitch() override {
        stopping_.store(true);
        g_main_context_wakeup(context_);
        if (thread_.joinable()) thread_.join();
        if (inotifySource_) {
            g_source_destroy(inotifySource_);
            g_source_unref(inotifySource_);
        }
        if (inotify_ >= 0) ::close(inotify_);
        if (xinputSource_) {
            g_source_destroy(xinputSource_);
            g_source_unref(xinputSource_);
        }
        xinput_.reset();
        if (settings_) {
            g_signal_handlers_disconnect_by_data(settings_, this);
            g_object_unref(settings_);
        }
        g_main_context_unref(context_);
    }

    // Whether any source could be read at all.
    bool follows() const { return settings_ || readsKcminputrc() || xinput_; }

private:
    void run() {
        g_main_context_push_thread_default(context_);
        while (!stopping_.load()) g_main_context_iteration(context_, TRUE);
        g_main_context_pop_thread_default(context_);
    }

    TouchpadSwitch read() {
        TouchpadSwitch state;
        // The mice are looked for only when a setting depends on them, and once.
        std::optional<bool> mouse;
        const auto mousePresent = [&] {
            if (!mouse) mouse = externalMousePresent(setup_.inputFolder);
            return *mouse;
        };
        if (settings_) {
            gchar* value = g_settings_get_string(settings_, sendEventsKey);
            const std::string sendEvents = value ? value : "";
            g_free(value);
            state.allOff = sendEventsSwitchesOff(sendEvents, sendEvents == disabledOnExternalMouse && mousePresent());
        }
        if (readsKcminputrc()) {
            state.padsOff = kcminputrcPadsOff(readKcminputrc(setup_.configFolder));
        }
        if (readsXInput()) {
            for (const XInputDevice& device : xinput_->devices()) {
                const bool off = device.events == DeviceEvents::disabled ||
                                 (device.events == DeviceEvents::disabledOnExternalMouse && mousePresent());
                if (!off) continue;
                if (auto identity = setup_.identify(device.node)) state.devicesOff.push_back(std::move(*identity));
            }
        }
        return state;
    }

    bool readsXInput() const { return xinput_ && !xinput_->broken(); }

    bool readsKcminputrc() const { return setup_.sources.kcminputrc && !setup_.configFolder.empty(); }

    void reread() {
        TouchpadSwitch state = read();
        // Changes that came while the devices were read wait in the connection's queue,
        // where its descriptor no longer shows them: they are taken here.
        while (readsXInput() && xinput_->takeEvents()) state = read();
        if (state == state_) return;
        state_ = std::move(state);
        changed_(state_);
    }

    static void settingChanged(GSettings*, gchar*, gpointer self) { static_cast<DesktopTouchpadSwitch*>(self)->reread(); }

    static gboolean inotifyReadable(gint, GIOCondition, gpointer self) {
        auto* watch = static_cast<DesktopTouchpadSwitch*>(self);
        if (watch->drainInotify()) watch->reread();
        return G_SOURCE_CONTINUE;
    }

    static gboolean xinputReadable(gint, GIOCondition, gpointer self) {
        auto* watch = static_cast<DesktopTouchpadSwitch*>(self);
        const bool changed = watch->xinput_->takeEvents();
        if (watch->xinput_->broken()) {
            // The server ended: its devices switch nothing off any more.
            watch->reread();
            return G_SOURCE_REMOVE;
        }
        if (changed) watch->reread();
        return G_SOURCE_CONTINUE;
    }

    // Whether kcminputrc or an input node changed.
    bool drainInotify() {
        bool relevant = false;
        drainInotifyEvents(inotify_, [&](const inotify_event& event, const std::string& name) {
            if (event.mask & IN_Q_OVERFLOW) relevant = true;
            if (event.wd == configWatch_ && name == kcminputrc) relevant = true;
            if (event.wd == inputWatch_ && eventNumber(name)) relevant = true;
        });
        return relevant;
    }

    TouchpadSwitchSetup setup_;
    std::function<void(const TouchpadSwitch&)> changed_;
    GMainContext* context_;
    GSettings* settings_ = nullptr;
    int inotify_ = -1;
    int configWatch_ = -1;
    int inputWatch_ = -1;
    GSource* inotifySource_ = nullptr;
    std::unique_ptr<XInputDevices> xinput_;
    GSource* xinputSource_ = nullptr;
    TouchpadSwitch state_;  // what was told last; the thread's own once it runs
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace

std::optional<DeviceIdentity> identityAtNode(const std::string& inputFolder, const std::string& node) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path real = fs::canonical(node, error);
    if (error) return std::nullopt;
    const fs::path folder = fs::canonical(inputFolder, error);
    if (error || real.parent_path() != folder || !eventNumber(real.filename().string())) return std::nullopt;
    const int fd = ::open(real.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    libevdev* device = nullptr;
    std::optional<DeviceIdentity> identity;
    if (libevdev_new_from_fd(fd, &device) == 0) identity = identityOf(device);
    if (device) libevdev_free(device);
    ::close(fd);
    return identity;
}

TouchpadSwitchSetup touchpadSwitchSetupOfSession(std::string inputFolder) {
    TouchpadSwitchSetup setup;
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && value[0];
    };
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const char* type = std::getenv("XDG_SESSION_TYPE");
    // Started outside the session's own environment, or from a console, the session still
    // shows by its display.
    const std::string sessionType = sessionTypeOf(type ? type : "", set("WAYLAND_DISPLAY"), set("DISPLAY"));
    setup.sources = switchSourcesFor(desktop ? desktop : "", sessionType);
    if (setup.sources.xinput && set("DISPLAY")) setup.display = std::getenv("DISPLAY");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config && config[0] == '/') {
        setup.configFolder = config;
    } else if (home && home[0] == '/') {
        setup.configFolder = std::string(home) + "/.config";
    }
    setup.inputFolder = std::move(inputFolder);
    return setup;
}

std::unique_ptr<TouchpadSwitchWatch> followTouchpadSwitch(TouchpadSwitchSetup setup,
                                                          std::function<void(const TouchpadSwitch&)> changed) {
    if (!setup.sources.schema && !setup.sources.kcminputrc && !setup.sources.xinput) return nullptr;
    auto watch = std::make_unique<DesktopTouchpadSwitch>(std::move(setup), std::move(changed));
    if (!watch->follows()) return nullptr;
    watch->begin();
    return watch;
}

}  // namespace velorin::multitouch
