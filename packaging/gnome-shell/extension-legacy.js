// Velorin's GNOME Shell extension: tells Velorin over D-Bus which window is
// focused and which windows there are, and places, activates and minimises
// windows when Velorin asks.
// This form is for GNOME Shell 43 and 44.
const {Gio, Meta, Shell} = imports.gi;
const Main = imports.ui.main;

@VELORIN_SHELL_SERVICE@
function init() {
    return new VelorinService();
}
