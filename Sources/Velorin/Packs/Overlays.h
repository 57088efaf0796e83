#pragma once
// Where the packs views show their sheets and popovers: on the settings
// window's sheet host, which blocks the tab bar and the tab beneath while one
// is open. A view shown on its own (a preview, a test) gets them as plain
// children of its window.

#include <QWidget>

#include <functional>

namespace velorin {

struct Overlays {
    Overlays() = delete;

    // Shows `sheet` above `from`'s window, centred, or, with `anchor`, just
    // below the anchor. `dismissRequested` answers Escape and outside clicks.
    static void present(QWidget* from, QWidget* sheet, std::function<void()> dismissRequested,
                        QWidget* anchor = nullptr);
    // Takes the sheet off and deletes it later.
    static void dismiss(QWidget* from, QWidget* sheet);
};

}  // namespace velorin
