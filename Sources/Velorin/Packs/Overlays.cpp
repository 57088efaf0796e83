#include "Velorin/Packs/Overlays.h"

#include <algorithm>

#include "Velorin/SheetHost.h"

namespace velorin {

namespace {

void place(QWidget* sheet, QWidget* window, QWidget* anchor) {
    const QSize size = sheet->sizeHint().boundedTo(window->size());
    QRect frame(QPoint(0, 0), size);
    if (anchor) {
        const QPoint below = anchor->mapTo(window, QPoint(0, anchor->height() + 6));
        frame.moveTopLeft(below);
        frame.moveLeft(std::clamp(frame.left(), 0, std::max(0, window->width() - size.width())));
        frame.moveTop(std::clamp(frame.top(), 0, std::max(0, window->height() - size.height())));
    } else {
        frame.moveCenter(window->rect().center());
    }
    sheet->setGeometry(frame);
}

}  // namespace

void Overlays::present(QWidget* from, QWidget* sheet, std::function<void()> dismissRequested, QWidget* anchor) {
    if (SheetHost* host = SheetHost::of(from)) {
        if (anchor) {
            host->presentPopover(sheet, anchor, std::move(dismissRequested));
        } else {
            host->present(sheet, std::move(dismissRequested));
        }
        return;
    }
    QWidget* window = from->window();
    sheet->setParent(window);
    place(sheet, window, anchor);
    sheet->show();
    sheet->raise();
    sheet->setFocus(Qt::OtherFocusReason);
}

void Overlays::dismiss(QWidget* from, QWidget* sheet) {
    if (!sheet) return;
    if (SheetHost* host = SheetHost::of(from); host && sheet->parentWidget() == host) {
        host->dismiss(sheet);
        return;
    }
    sheet->hide();
    sheet->deleteLater();
}

}  // namespace velorin
