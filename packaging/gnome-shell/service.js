// What both forms of the extension share: the D-Bus service that reports
// the windows and carries out Velorin's window commands. The build puts it
// into each form's extension.js.
const IFACE = `
<node>
  <interface name="app.velorin.Shell">
    <method name="Windows"><arg type="s" direction="out" name="report"/></method>
    <method name="Place"><arg type="s" direction="in" name="id"/><arg type="i" direction="in" name="x"/><arg type="i" direction="in" name="y"/><arg type="i" direction="in" name="width"/><arg type="i" direction="in" name="height"/><arg type="b" direction="out" name="done"/></method>
    <method name="Activate"><arg type="s" direction="in" name="id"/><arg type="b" direction="out" name="done"/></method>
    <method name="Minimize"><arg type="s" direction="in" name="id"/><arg type="b" direction="out" name="done"/></method>
    <signal name="Changed"/>
  </interface>
</node>`;

function appIdOf(window) {
    const app = Shell.WindowTracker.get_default().get_window_app(window);
    const id = app ? app.get_id() : null;
    if (id && !id.startsWith('window:')) return id.replace(/\.desktop$/, '');
    return window.get_gtk_application_id() || window.get_sandboxed_app_id() || window.get_wm_class() || '';
}

function normalWindows() {
    return global.get_window_actors().map(a => a.meta_window)
        .filter(w => w && w.get_window_type() === Meta.WindowType.NORMAL && !w.is_skip_taskbar());
}

function findWindow(id) {
    return normalWindows().find(w => String(w.get_id()) === id) || null;
}

class VelorinService {
    constructor() {
        this._dbus = Gio.DBusExportedObject.wrapJSObject(IFACE, this);
        this._signals = [];
        this._windowSignals = new Map();
    }

    enable() {
        this._dbus.export(Gio.DBus.session, '/app/velorin/Shell');
        const display = global.display;
        this._signals.push(display.connect('notify::focus-window', () => this._changed()));
        this._signals.push(display.connect('window-created', (d, w) => { this._watch(w); this._changed(); }));
        normalWindows().forEach(w => this._watch(w));
        this._changed();
    }

    disable() {
        this._signals.forEach(id => global.display.disconnect(id));
        this._signals = [];
        for (const [w, ids] of this._windowSignals) ids.forEach(id => w.disconnect(id));
        this._windowSignals.clear();
        this._dbus.unexport();
    }

    _watch(w) {
        if (this._windowSignals.has(w)) return;
        const ids = [
            w.connect('unmanaged', () => { this._windowSignals.delete(w); this._changed(); }),
            w.connect('notify::minimized', () => this._changed()),
            w.connect('notify::wm-class', () => this._changed()),
        ];
        this._windowSignals.set(w, ids);
    }

    _changed() {
        this._dbus.emit_signal('Changed', null);
    }

    Windows() {
        const focus = global.display.focus_window;
        return JSON.stringify({
            active: focus ? String(focus.get_id()) : '',
            windows: normalWindows().map(w => {
                const r = w.get_frame_rect();
                return {
                    id: String(w.get_id()),
                    pid: w.get_pid(),
                    appId: appIdOf(w),
                    title: w.get_title() || '',
                    hidden: w.minimized,
                    frame: [r.x, r.y, r.width, r.height],
                };
            }),
        });
    }

    _unmaximized(w) {
        if (w.get_maximized()) w.unmaximize(Meta.MaximizeFlags.BOTH);
        return w;
    }

    // Place and size at once: a second request could be undone by the
    // window's late answer to the first.
    Place(id, x, y, width, height) {
        const w = findWindow(id);
        if (!w || width < 1 || height < 1) return false;
        this._unmaximized(w).move_resize_frame(true, x, y, width, height);
        return true;
    }

    Activate(id) {
        const w = findWindow(id);
        if (!w) return false;
        Main.activateWindow(w);
        return true;
    }

    Minimize(id) {
        const w = findWindow(id);
        if (!w) return false;
        w.minimize();
        return true;
    }
}
