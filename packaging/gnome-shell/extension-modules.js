// Velorin's GNOME Shell extension: tells Velorin over D-Bus which window is
// focused and which windows there are, and places, activates and minimises
// windows when Velorin asks.
// This form is for GNOME Shell 45 and later.
import Gio from 'gi://Gio';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

@VELORIN_SHELL_SERVICE@
export default class VelorinExtension extends Extension {
    enable() {
        this._service = new VelorinService();
        this._service.enable();
    }

    disable() {
        this._service.disable();
        this._service = null;
    }
}
