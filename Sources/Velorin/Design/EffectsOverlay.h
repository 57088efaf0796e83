#pragma once
// Drawing that reaches beyond a widget's own rectangle (shadows, glows,
// splashes, bubbles, oversized icons). Qt clips every widget to itself, so one
// overlay above each window's content paints such effects on behalf of their
// host widgets. The overlay never takes mouse events, stays above the
// window's other children and follows its host widgets as they move; an
// effect whose host sits in a scroll area is clipped to that area's viewport,
// and an effect fades with its host (`fadeOf`) and with the opacity effects
// its host is drawn through.

#include <QPointer>
#include <QRectF>
#include <QWidget>

#include <vector>

class QPainter;

namespace velorin {

class EffectsOverlay;

// One effect drawn above the content for `host`, in the host's coordinates.
class OverlayEffect {
public:
    explicit OverlayEffect(QWidget* host);
    virtual ~OverlayEffect();
    OverlayEffect(const OverlayEffect&) = delete;
    OverlayEffect& operator=(const OverlayEffect&) = delete;

    QWidget* host() const { return host_; }

    // Where the effect may paint, in host coordinates (it may reach beyond the host).
    virtual QRectF area() const = 0;
    // Paints the effect; the painter is in host coordinates.
    virtual void paint(QPainter& painter) = 0;

    // Repaints the effect's area; call when what it paints changes. Joins the
    // overlay of the host's current window first.
    void refresh();

private:
    friend class EffectsOverlay;
    QPointer<QWidget> host_;
    QPointer<EffectsOverlay> overlay_;
};

class EffectsOverlay final : public QWidget {
    Q_OBJECT

public:
    // The overlay of `widget`'s window, made on first use.
    static EffectsOverlay* of(QWidget* widget);
    // The overlay of `widget`'s window if it has one.
    static EffectsOverlay* existing(const QWidget* widget);

    // Marks `widget` as covering what is stacked beneath it (a sheet host, a
    // layer over the whole content): while it is shown, effects of hosts
    // beneath it are not drawn where it lies. Effects of hosts inside it are.
    static void setCoversEffects(QWidget* widget, bool covers = true);

    const std::vector<OverlayEffect*>& effects() const { return effects_; }
    // Repaints the effects of `widget` and of everything inside it.
    void refreshWithin(const QWidget* widget);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class OverlayEffect;
    explicit EffectsOverlay(QWidget* window);

    // How much of `host`'s effects shows: its fade and the opacity effects of its parents.
    double seenOpacity(const QWidget* host);
    void add(OverlayEffect* effect);
    void remove(OverlayEffect* effect);
    void follow(QWidget* host);
    QRect areaOnOverlay(const OverlayEffect& effect) const;

    std::vector<OverlayEffect*> effects_;
};

}  // namespace velorin
