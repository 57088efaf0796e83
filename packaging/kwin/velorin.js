// Velorin's KWin script (KWin 5.27 and 6): tells Velorin which window is active
// and which windows there are, and places, activates and minimises windows
// when Velorin asks. Velorin loads it over D-Bus at start and unloads it at quit.
const service = "app.velorin.Velorin";
const path = "/KWin";
const iface = "app.velorin.KWin";
const six = typeof workspace.windowList === "function";

function allWindows() { return six ? workspace.windowList() : workspace.clientList(); }
function activeWindow() { return six ? workspace.activeWindow : workspace.activeClient; }

function describe(w) {
    const g = w.frameGeometry;
    return {
        id: String(w.internalId),
        pid: w.pid,
        appId: w.desktopFileName ? String(w.desktopFileName) : String(w.resourceClass),
        title: String(w.caption),
        hidden: Boolean(w.minimized),
        frame: [g.x, g.y, g.width, g.height],
    };
}

function report() {
    const active = activeWindow();
    const windows = allWindows().filter(function (w) { return w.normalWindow; }).map(describe);
    callDBus(service, path, iface, "Windows",
             JSON.stringify({ active: active ? String(active.internalId) : "", windows: windows }));
}

function find(id) {
    const windows = allWindows();
    for (let i = 0; i < windows.length; ++i) {
        if (String(windows[i].internalId) === id) return windows[i];
    }
    return null;
}

function carryOut(c) {
    const w = find(String(c.id));
    if (c.op === "place") {
        // A placement that can't be carried out is answered, so Velorin can
        // tell the user.
        if (!w || w.moveable === false) {
            callDBus(service, path, iface, 'Refused', String(c.serial));
            return;
        }
        // Place and size at once: a second request could be undone by the
        // window's late answer to the first.
        w.frameGeometry = { x: c.x, y: c.y, width: c.width, height: c.height };
        return;
    }
    if (!w) return;
    if (c.op === 'activate') {
        if (six) workspace.activeWindow = w; else workspace.activeClient = w;
    } else if (c.op === 'minimize') {
        w.minimized = true;
    }
}

// Velorin answers when it has commands (or, now and then, with none), and
// the script asks again at once.
function poll() {
    callDBus(service, path, iface, "NextCommands", function (text) {
        let commands = [];
        try { commands = JSON.parse(text); } catch (e) { commands = []; }
        if (Array.isArray(commands)) commands.forEach(carryOut);
        poll();
    });
}

function watch(w) {
    w.frameGeometryChanged.connect(report);
    if (w.minimizedChanged) w.minimizedChanged.connect(report);
    if (w.captionChanged) w.captionChanged.connect(report);
}

allWindows().forEach(watch);
if (six) {
    workspace.windowActivated.connect(report);
    workspace.windowAdded.connect(function (w) { watch(w); report(); });
    workspace.windowRemoved.connect(report);
} else {
    workspace.clientActivated.connect(report);
    workspace.clientAdded.connect(function (w) { watch(w); report(); });
    workspace.clientRemoved.connect(report);
    workspace.clientMinimized.connect(report);
    workspace.clientUnminimized.connect(report);
}
report();
poll();
