#pragma once
// The tile standing for a pack: the icon of the first of its apps that has
// one, else the striped logo tile for a pack whose symbol is the logo, else
// a symbol tile of its symbol. Active tiles are in full colour and glow in
// the pack's accent; idle ones are muted. Changes of `active` blend with the
// wobble spring. Icons come through the lookup its owner hands it.

#include "Config/Pack.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/AppLookup.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/OverlayShadow.h"
#include "Velorin/Design/PackStyle.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velorin {

class RetroAppleTile;
class SymbolTile;

class PackTile final : public QWidget {
    Q_OBJECT

public:
    enum class Look { icon, retroApple, symbol };

    static constexpr double iconShare = 1.1;  // of the edge, the icon's square
    static constexpr double idleSaturation = 0.75;
    static constexpr double idleOpacity = 0.9;
    static constexpr double glowOpacity = 0.45;  // of the accent, while active
    static constexpr double glowRadius = 7;
    static constexpr double glowDrop = 2;  // points down

    explicit PackTile(AppLookup lookup, QWidget* parent = nullptr);
    PackTile(AppLookup lookup, const Pack& pack, bool active, double size, QWidget* parent = nullptr);
    ~PackTile() override;

    const std::string& packID() const { return identity_.id; }
    // Takes what the tile shows of `pack` (id, accent, name, symbol and icon
    // apps); asks the lookup for icons only when the icon apps change.
    void setPack(const Pack& pack);
    bool isActive() const { return active_; }
    void setActive(bool active);
    double edge() const { return size_; }
    void setEdge(double size);

    Look look() const;
    // The app whose icon shows (empty when none does).
    const std::string& iconApp() const { return iconApp_; }
    // Now: how far the active look has blended in (0…1, beyond while the spring overshoots).
    double activeAmount() const { return activeAmount_.value(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class IconSpill;

    QRectF frame() const;
    void findIcon();
    void arrange();
    void changed();
    ShadowStyle glow(const ColorEnvironment& environment) const;
    // The icon with its glow, for the tile (inside its bounds) and the effects overlay (beyond them).
    void paintIcon(QPainter& painter, const ColorEnvironment& environment);
    QRectF iconSquare() const;

    AppLookup lookup_;
    PackIdentity identity_;
    std::string name_;
    std::string symbol_;
    std::vector<std::string> iconApps_;
    std::optional<QImage> icon_;
    std::string iconApp_;
    bool active_ = false;
    double size_ = 44;
    AnimatedValue<double> activeAmount_;

    RetroAppleTile* retro_ = nullptr;
    SymbolTile* symbolTile_ = nullptr;
    OverlayShadow symbolGlow_;
    std::unique_ptr<IconSpill> spill_;

    // The icon at its drawn size and pixel density, and the blurred coverage its glow is made of.
    QImage scaled_;
    QSize scaledFor_;
    QImage glowMask_;
    QImage muted_;  // the scaled icon at `mutedSaturation_`
    double mutedSaturation_ = -1;
    DisplayObserver display_;
};

}  // namespace velorin
