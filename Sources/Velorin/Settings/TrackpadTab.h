#pragma once
// The trackpad tab: the live pad (the water moving under the fingers on the
// real trackpad, its corner zones and a finger count), the finger guide
// beside it, and under both the last gesture that ran a shortcut. It only
// reads the engine: its live touches, its last fired record and its
// configuration. While it is shown, the window's own water gets no touches.

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

#include "Engine/Engine.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Observations.h"

namespace velorin {

class AppModel;
class FingerGuide;
class LivePadFeed;
class PadStage;
class ThemedText;

// The area under the pad: "No gesture yet…" before anything fired, else the
// card of the last fired record. Each newly fired record (a new date) brings
// a new card; the old content fades and shrinks to 0.85 of its size while
// the new one grows from there, with `Theme.wobble`.
class LastGestureArea : public QWidget {
    Q_OBJECT
public:
    explicit LastGestureArea(QWidget* parent = nullptr);
    ~LastGestureArea() override;

    void show(const std::optional<Engine::Fired>& fired);
    using QWidget::show;

    // The content on its way in (or in place): the text or the card.
    QWidget* content() const { return content_; }
    bool isTransitioning() const { return transitioning_; }

    static constexpr double startScale = 0.85;
    static constexpr int maxCardWidth = 560;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* makeContent(const std::optional<Engine::Fired>& fired);
    void place(QWidget* widget) const;
    void frame();

    std::optional<Date> shownDate_;
    bool started_ = false;
    bool transitioning_ = false;
    QPointer<QWidget> content_;
    QPixmap incoming_;  // the new content while it grows in
    QRect incomingRect_;
    QPixmap outgoing_;  // the old content while it fades away
    QRect outgoingRect_;
    AnimatedValue<double> presence_;  // 0 the old content … 1 the new
};

class TrackpadTab : public QWidget {
    Q_OBJECT
public:
    explicit TrackpadTab(AppModel& model, QWidget* parent = nullptr);
    ~TrackpadTab() override;

    PadStage* pad() const { return pad_; }
    FingerGuide* guide() const { return guide_; }
    LastGestureArea* lastGesture() const { return last_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    AppModel& model_;
    PadStage* pad_ = nullptr;
    FingerGuide* guide_ = nullptr;
    LastGestureArea* last_ = nullptr;
    std::unique_ptr<LivePadFeed> feed_;
    Observations observations_;
};

}  // namespace velorin
