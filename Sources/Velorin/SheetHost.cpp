#include "Velorin/SheetHost.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "Velorin/Design/Display.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

SheetHost::SheetHost(QWidget* covered) : QWidget(covered) {
    setObjectName("sheetHost");
    setFocusPolicy(Qt::StrongFocus);
    covered->installEventFilter(this);
    setGeometry(covered->rect());
    // Glows and splashes of what lies beneath must not shine through the dimmer and the sheets.
    EffectsOverlay::setCoversEffects(this);
    hide();
}

SheetHost::~SheetHost() {
    // The sheets are our children and die after our members: they must not
    // tell us. That includes dismissed ones still waiting to be deleted.
    for (QObject* child : children()) disconnect(child, nullptr, this, nullptr);
}

SheetHost* SheetHost::of(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* host = w->findChild<SheetHost*>(QString(), Qt::FindDirectChildrenOnly)) return host;
    }
    return nullptr;
}

QWidget* SheetHost::topSheet() const {
    for (auto it = sheets_.rbegin(); it != sheets_.rend(); ++it) {
        if (it->sheet) return it->sheet;
    }
    return nullptr;
}

void SheetHost::presentPopover(QWidget* popover, QWidget* anchor, std::function<void()> dismissRequested) {
    if (!popover) return;
    present(popover, std::move(dismissRequested));
    for (auto& entry : sheets_) {
        if (entry.sheet == popover) entry.anchor = anchor;
    }
    layoutSheets();
}

void SheetHost::sheetDestroyed(QObject* sheet) {
    const bool was = isPresenting();
    // A widget tells it is destroyed before its guards are cleared: drop it by address.
    sheets_.erase(std::remove_if(sheets_.begin(), sheets_.end(), [&](const Entry& e) { return e.sheet == sheet; }),
                  sheets_.end());
    prune();
    if (was && !isPresenting()) {
        hide();
        emit presentingChanged(false);
    }
}

void SheetHost::present(QWidget* sheet, std::function<void()> dismissRequested) {
    if (!sheet) return;
    prune();
    const bool wasPresenting = isPresenting();
    sheets_.erase(std::remove_if(sheets_.begin(), sheets_.end(), [&](const Entry& e) { return e.sheet == sheet; }),
                  sheets_.end());
    sheet->setParent(this);
    sheets_.push_back({sheet, std::move(dismissRequested), nullptr});
    // A member function: Qt refuses a unique connection to a lambda, and then makes none.
    connect(sheet, &QObject::destroyed, this, &SheetHost::sheetDestroyed, Qt::UniqueConnection);
    setGeometry(parentWidget()->rect());
    layoutSheets();
    show();
    raise();
    sheet->show();
    sheet->raise();
    sheet->setFocus(Qt::OtherFocusReason);
    if (!sheet->hasFocus()) setFocus(Qt::OtherFocusReason);
    if (!wasPresenting) emit presentingChanged(true);
}

void SheetHost::dismiss(QWidget* sheet) {
    auto it = std::find_if(sheets_.begin(), sheets_.end(), [&](const Entry& e) { return e.sheet == sheet; });
    if (it == sheets_.end()) return;
    sheets_.erase(it);
    sheet->hide();
    sheet->deleteLater();
    prune();
    if (!isPresenting()) {
        hide();
        emit presentingChanged(false);
    } else if (QWidget* top = topSheet()) {
        top->setFocus(Qt::OtherFocusReason);
    }
}

void SheetHost::prune() {
    sheets_.erase(std::remove_if(sheets_.begin(), sheets_.end(), [](const Entry& e) { return !e.sheet; }),
                  sheets_.end());
}

void SheetHost::layoutSheets() {
    const QRect area = rect().adjusted(margin, margin, -margin, -margin);
    for (const auto& entry : sheets_) {
        if (!entry.sheet) continue;
        const QSize hint = entry.sheet->sizeHint().expandedTo(entry.sheet->minimumSizeHint());
        const QSize size = hint.boundedTo(area.size()).expandedTo(QSize(1, 1));
        QRect frame(QPoint(0, 0), size);
        frame.moveCenter(rect().center());
        if (entry.anchor) {
            constexpr int arrowGap = 6;
            const QPoint below = entry.anchor->mapTo(window(), QPoint(entry.anchor->width() / 2,
                                                                      entry.anchor->height() + arrowGap));
            const QPoint here = mapFrom(window(), below);
            frame.moveTop(here.y());
            frame.moveLeft(here.x() - size.width() / 2);
            if (frame.bottom() > area.bottom()) {
                // No room below: above the anchor instead.
                const QPoint top = mapFrom(window(), entry.anchor->mapTo(window(), QPoint(0, -arrowGap)));
                frame.moveBottom(top.y());
            }
            frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - size.width() + 1)));
            frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - size.height() + 1)));
        }
        entry.sheet->setGeometry(frame);
    }
}

void SheetHost::requestDismissTop() {
    prune();
    if (sheets_.empty()) return;
    // Called through a copy: the presenter may dismiss, which drops the entry.
    auto request = sheets_.back().dismissRequested;
    if (request) request();
}

bool SheetHost::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize) {
            setGeometry(parentWidget()->rect());
            layoutSheets();
        } else if (event->type() == QEvent::ChildAdded && isVisible()) {
            raise();  // stays above children added later
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SheetHost::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorEnvironment environment = colorEnvironmentFor(this);
    QColor dim = Theme::shadow.resolve(environment);
    dim.setAlphaF(0.28f);
    painter.fillRect(rect(), dim);
}

void SheetHost::mousePressEvent(QMouseEvent* event) {
    event->accept();
    QWidget* top = topSheet();
    if (top && !top->geometry().contains(event->position().toPoint())) requestDismissTop();
}

void SheetHost::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        requestDismissTop();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace velorin
