#pragma once
// A pack's pictures as the strip behind its card: laid out by PackArtLayout,
// softly blurred, fading towards the leading edge, dim, and more colourful
// while the pack is on. The finished strip is rendered once per size and
// kept, in both looks, so painting only blends two cached images; switching
// the pack on or off moves between them with an ease-in-out of 0.6 seconds.

#include <QImage>
#include <QRectF>
#include <QSize>

#include <functional>
#include <vector>

#include "Velorin/Design/FrameClock.h"

class QPainter;

namespace velorin {

class PackArtLayer {
public:
    // `repaint` is called on every frame of the switch between looks.
    PackArtLayer(std::vector<QImage> images, bool active, std::function<void()> repaint = {});
    ~PackArtLayer();
    PackArtLayer(const PackArtLayer&) = delete;
    PackArtLayer& operator=(const PackArtLayer&) = delete;

    const std::vector<QImage>& images() const { return images_; }
    bool isActive() const { return active_; }
    void setActive(bool active);

    // How far the look has moved towards the active one, 0…1, eased.
    double activeness() const;
    double opacity() const;
    double saturation() const;

    // Fills `rect` with the strip.
    void paint(QPainter& painter, const QRectF& rect);

    // The strip `size` points large at `devicePixelRatio`, with the given
    // saturation, at full opacity.
    static QImage render(const std::vector<QImage>& images, QSize size, double devicePixelRatio, double saturation);

private:
    static QImage renderUnsaturated(const std::vector<QImage>& images, QSize size, double devicePixelRatio);
    void frame(double now);
    void stopListening();

    std::vector<QImage> images_;
    bool active_;
    std::function<void()> repaint_;
    // The switch between looks: from `from_` towards `active_`, starting at `start_`.
    double from_ = 0;
    double start_ = 0;
    bool moving_ = false;
    FrameClock* clock_ = nullptr;
    FrameClock::Token token_ = 0;
    // The rendered strips for one size.
    QSize cachedSize_;
    double cachedRatio_ = 0;
    QImage idleStrip_;
    QImage activeStrip_;
};

}  // namespace velorin
