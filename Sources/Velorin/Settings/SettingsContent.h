#pragma once
// What fills the settings window: the view of each tab, the gesture studio
// and the water. The window (`SettingsView`) knows the slots and their rules;
// the features fill them, each with a factory:
//
// - `tabs[tab]` makes the view of a tab, each time the tab is shown (a new
//   tab replaces the old view and drops its state). The packs tab comes from
//   Packs, the My shortcuts tab from Settings (with the editor of Editor), the
//   others from Settings. A tab without a factory shows an empty area.
// - `studio` makes the gesture studio (Editor), afresh each time the model's
//   `studioOpen` turns true; it calls `done` when it has finished, which
//   closes it. The studio covers the tab bar and the tab while it is open.
// - `water` makes the water behind the content: a widget and the surface it
//   is fed through. Absent: no water (the backdrop alone).
//
// Sheets and popovers are not made here: a tab presents them on the window's
// `SheetHost` (`SheetHost::of(this)`), which blocks the tab bar, Ctrl+1…6 and
// the tab beneath while any is open.
//
// `standard()` is the program's own content; tests fill their own.

#include <QWidget>

#include <functional>
#include <map>

#include "Velorin/Design/WaterInput.h"
#include "Velorin/SettingsTab.h"

namespace velorin {

class AppModel;

// The water in the window: `WaterView` is the OpenGL view itself (Design).
struct WaterSlot {
    QWidget* widget = nullptr;        // drawn behind the content, as large as the window
    WaterSurface* surface = nullptr;  // fed on every change of its input
};

struct SettingsContent {
    using TabFactory = std::function<QWidget*(AppModel& model, QWidget* parent)>;
    using StudioFactory = std::function<QWidget*(AppModel& model, std::function<void()> done, QWidget* parent)>;
    using WaterFactory = std::function<WaterSlot(QWidget* parent)>;

    std::map<SettingsTab, TabFactory> tabs;
    StudioFactory studio;
    WaterFactory water;

    // Every tab, the studio and the water that the program shows.
    static SettingsContent standard();
};

}  // namespace velorin
