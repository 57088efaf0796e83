#include "Velorin/Design/EffectsOverlay.h"

#include "Velorin/Design/Fade.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace velorin {

namespace {
constexpr const char* overlayName = "velorinEffectsOverlay";

// The part of `window` where `host` can be seen: inside every scroll-area
// viewport that holds it.
QRect visibleClip(const QWidget* host, const QWidget* window) {
    QRect clip = window->rect();
    for (const QWidget* w = host; w && w != window; w = w->parentWidget()) {
        const auto* area = qobject_cast<const QAbstractScrollArea*>(w->parentWidget());
        if (area && area->viewport() == w) clip &= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    }
    return clip;
}

// The widgets that cover the effects of what lies beneath them.
std::vector<QPointer<QWidget>>& coverers() {
    static std::vector<QPointer<QWidget>> widgets;
    return widgets;
}

// Whether `above` is drawn over `host`: neither holds the other, and where
// their ancestries meet, `above`'s branch is the later child (later children
// lie on top).
bool stackedAbove(const QWidget* above, const QWidget* host) {
    if (above == host || above->isAncestorOf(host) || host->isAncestorOf(above)) return false;
    std::vector<const QWidget*> hostLine;
    for (const QWidget* w = host; w; w = w->parentWidget()) hostLine.push_back(w);
    for (const QWidget* a = above; a->parentWidget(); a = a->parentWidget()) {
        const QWidget* parent = a->parentWidget();
        const auto meet = std::find(hostLine.begin(), hostLine.end(), parent);
        if (meet == hostLine.end()) continue;
        const QWidget* hostBranch = *(meet - 1);
        const QObjectList& children = parent->children();
        return children.indexOf(a) > children.indexOf(hostBranch);
    }
    return false;
}
}  // namespace

OverlayEffect::OverlayEffect(QWidget* host) : host_(host) {}

OverlayEffect::~OverlayEffect() {
    if (overlay_) overlay_->remove(this);
}

void OverlayEffect::refresh() {
    if (!host_) return;
    EffectsOverlay* overlay = EffectsOverlay::of(host_);
    if (overlay != overlay_) {
        if (overlay_) overlay_->remove(this);
        overlay_ = overlay;
        if (overlay_) overlay_->add(this);
    }
    if (overlay_) overlay_->update(overlay_->areaOnOverlay(*this));
}

EffectsOverlay* EffectsOverlay::existing(const QWidget* widget) {
    if (!widget) return nullptr;
    for (QObject* child : widget->window()->children()) {
        if (auto* overlay = qobject_cast<EffectsOverlay*>(child); overlay && overlay->objectName() == overlayName)
            return overlay;
    }
    return nullptr;
}

EffectsOverlay* EffectsOverlay::of(QWidget* widget) {
    if (!widget) return nullptr;
    if (EffectsOverlay* overlay = existing(widget)) return overlay;
    return new EffectsOverlay(widget->window());
}

void EffectsOverlay::refreshWithin(const QWidget* widget) {
    for (const OverlayEffect* effect : effects_) {
        const QWidget* host = effect->host();
        if (host && (host == widget || widget->isAncestorOf(host))) update(areaOnOverlay(*effect));
    }
}

void EffectsOverlay::setCoversEffects(QWidget* widget, bool covers) {
    if (!widget) return;
    auto& widgets = coverers();
    widgets.erase(std::remove_if(widgets.begin(), widgets.end(),
                                 [widget](const QPointer<QWidget>& w) { return !w || w == widget; }),
                  widgets.end());
    if (covers) widgets.emplace_back(widget);
    if (widget->isVisible()) widget->window()->update();
}

EffectsOverlay::EffectsOverlay(QWidget* window) : QWidget(window) {
    setObjectName(overlayName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window->rect());
    window->installEventFilter(this);
    show();
    raise();
}

void EffectsOverlay::add(OverlayEffect* effect) {
    if (std::find(effects_.begin(), effects_.end(), effect) == effects_.end()) effects_.push_back(effect);
    follow(effect->host());
    raise();
}

void EffectsOverlay::remove(OverlayEffect* effect) {
    const auto it = std::find(effects_.begin(), effects_.end(), effect);
    if (it == effects_.end()) return;
    effects_.erase(it);
    update();
}

void EffectsOverlay::follow(QWidget* host) {
    // The host and every parent up to the window: a move of any of them moves the effect.
    for (QWidget* w = host; w && w != parentWidget(); w = w->parentWidget()) w->installEventFilter(this);
}

QRect EffectsOverlay::areaOnOverlay(const OverlayEffect& effect) const {
    QWidget* host = effect.host();
    if (!host || !parentWidget()) return {};
    const QPointF origin = host->mapTo(parentWidget(), QPoint(0, 0));
    return effect.area().translated(origin).toAlignedRect().adjusted(-1, -1, 1, 1);
}

double EffectsOverlay::seenOpacity(const QWidget* host) {
    double opacity = fadeOf(host);
    // Opacity effects of the host's parents fade what they draw, but not the
    // overlay above them: their effects fade here, and repaint as they change.
    for (const QWidget* w = host; w && w != parentWidget(); w = w->parentWidget()) {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(w->graphicsEffect());
        if (!effect || !effect->isEnabled()) continue;
        opacity *= effect->opacity();
        connect(effect, &QGraphicsOpacityEffect::opacityChanged, this, qOverload<>(&QWidget::update),
                Qt::UniqueConnection);
    }
    return opacity;
}

bool EffectsOverlay::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize && watched == parentWidget()) setGeometry(parentWidget()->rect());
    if (type == QEvent::ChildAdded && watched == parentWidget()) raise();
    if (type == QEvent::Resize || type == QEvent::Move || type == QEvent::Show || type == QEvent::Hide ||
        type == QEvent::ParentChange) {
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void EffectsOverlay::paintEvent(QPaintEvent* event) {
    QWidget* window = parentWidget();
    if (!window) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::vector<OverlayEffect*> effects = effects_;  // an effect may leave while painting
    for (OverlayEffect* effect : effects) {
        QWidget* host = effect->host();
        if (!host || host->window() != window || !host->isVisible()) continue;
        const double fade = seenOpacity(host);
        if (fade <= 0) continue;
        QRegion clip(visibleClip(host, window) & event->rect() & areaOnOverlay(*effect));
        for (const QPointer<QWidget>& cover : coverers()) {
            if (!cover || cover->window() != window || !cover->isVisible() || !stackedAbove(cover, host)) continue;
            clip -= QRect(cover->mapTo(window, QPoint(0, 0)), cover->size()) & visibleClip(cover, window);
        }
        if (clip.isEmpty()) continue;
        painter.save();
        painter.setClipRegion(clip);
        painter.translate(host->mapTo(window, QPoint(0, 0)));
        painter.setOpacity(fade);
        effect->paint(painter);
        painter.restore();
    }
}

}  // namespace velorin
