#pragma once
// How the settings window changes tabs. `BlurTransition` is the look of a
// page on its way in or out: blurred, transparent, a little lower and a
// little smaller while active, itself when not. `LiquidTabStack` holds the
// pages and plays the liquid tab transition between them: the outgoing page
// blurs, fades, sinks and shrinks quickly (ease-out over 0.12 s, whatever the
// change's own animation), while the incoming one resolves from the same
// state at the pace of the animation the change carries.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Theme.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>

#include <optional>
#include <vector>

namespace velorin {

struct BlurTransition {
    static constexpr double blurRadius = 8;     // points, while active
    static constexpr double drop = 10;          // points down, while active
    static constexpr double activeScale = 0.985;

    bool active = false;

    double blur() const { return active ? blurRadius : 0; }
    double opacity() const { return active ? 0 : 1; }
    QPointF offset() const { return active ? QPointF(0, drop) : QPointF(0, 0); }
    double scale() const { return active ? activeScale : 1; }

    // The look `amount` of the way from inactive (0) to active (1).
    struct Look {
        double blur = 0;
        double opacity = 1;
        QPointF offset;
        double scale = 1;
        bool operator==(const Look&) const = default;
    };
    static Look at(double amount);
};

struct LiquidTab {
    LiquidTab() = delete;
    static constexpr double removalDuration = 0.12;  // seconds
    // The removal's own animation.
    static Animation removal() { return Animation::easeOut(removalDuration); }
    // What a tab change carries by default: the tab bar's spring.
    static Animation insertion() { return Animation::spring(Theme::wobble); }
};

class LiquidTabStack : public QWidget {
    Q_OBJECT

public:
    explicit LiquidTabStack(QWidget* parent = nullptr);
    ~LiquidTabStack() override;

    // Adds a page (the stack takes it); the first page becomes the current one.
    int addPage(QWidget* page);
    int count() const { return int(pages_.size()); }
    QWidget* page(int index) const;
    int currentIndex() const { return current_; }
    QWidget* currentPage() const { return page(current_); }

    // Shows page `index` with the liquid tab transition, the incoming page
    // moving with `insertion` (the removal keeps its own 0.12 s).
    void setCurrentIndex(int index, const Animation& insertion = LiquidTab::insertion());
    void setCurrentPage(QWidget* page, const Animation& insertion = LiquidTab::insertion());

    bool isTransitioning() const { return transitioning_; }
    // How active the outgoing and incoming looks are now (1 = fully active).
    double outgoingAmount() const { return outgoing_.value(); }
    double incomingAmount() const { return incoming_.value(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Layer;
    void frame();
    void finish();

    std::vector<QWidget*> pages_;
    int current_ = -1;
    bool transitioning_ = false;
    QPixmap outgoingShot_;
    QPixmap incomingShot_;
    AnimatedValue<double> outgoing_;
    AnimatedValue<double> incoming_;
    Layer* layer_ = nullptr;
};

}  // namespace velorin
