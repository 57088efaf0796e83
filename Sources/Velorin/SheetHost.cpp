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

// The dim over a lower sheet: the host's own dim again, taking clicks as the host does.
class SheetHost::Dimmer final : public QWidget {
public:
    explicit Dimmer(SheetHost* host) : QWidget(host), host_(host) {
        setObjectName("sheetDimmer");
        EffectsOverlay::setCoversEffects(this);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override { paintDim(*this); }
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        host_->requestDismissTop();
    }

private:
    SheetHost* host_;
};

SheetHost::SheetHost(QWidget* covered) : QWidget(covered), dimmer_(new Dimmer(this)) {
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
    placeDimmer();
}

void SheetHost::sheetDestroyed(QObject* sheet) {
    const bool was = isPresenting();
    // A widget tells it is destroyed before its guards are cleared: drop it by address.
    sheets_.erase(std::remove_if(sheets_.begin(), sheets_.end(), [&](const Entry& e) { return e.sheet == sheet; }),
                  sheets_.end());
    prune();
    placeDimmer();
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
    // Nothing of what lies beneath may shine through it, lower sheets included.
    EffectsOverlay::setCoversEffects(sheet);
    setGeometry(parentWidget()->rect());
    layoutSheets();
    show();
    raise();
    // The window's effects stay above the sheets, so that a sheet's own glows
    // and shadows show; what lies beneath a sheet is kept out of them.
    EffectsOverlay::of(this)->raise();
    sheet->show();
    sheet->raise();
    placeDimmer();
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
    placeDimmer();
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

void SheetHost::placeDimmer() {
    for (std::size_t i = sheets_.size(); i-- > 1;) {
        const Entry& entry = sheets_[i];
        if (!entry.sheet || entry.anchor) continue;
        dimmer_->setGeometry(rect());
        dimmer_->stackUnder(entry.sheet);
        dimmer_->show();
        return;
    }
    dimmer_->hide();
}

void SheetHost::layoutSheets() {
    dimmer_->setGeometry(rect());
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

void SheetHost::paintDim(QWidget& on) {
    QPainter painter(&on);
    QColor dim = Theme::shadow.resolve(colorEnvironmentFor(&on));
    dim.setAlphaF(0.28f);
    painter.fillRect(on.rect(), dim);
}

void SheetHost::paintEvent(QPaintEvent*) { paintDim(*this); }

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
