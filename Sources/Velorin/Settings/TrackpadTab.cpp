#include "Velorin/Settings/TrackpadTab.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "Velorin/AppModel.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/TabHeader.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/LivePadFeed.h"
#include "Velorin/Settings/FingerGuide.h"
#include "Velorin/Settings/TrackpadRules.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

// The card of one fired record: its gesture's symbol, "gesture → action", where it came from and its error.
QWidget* lastGestureCard(const Engine::Fired& fired, QWidget* parent) {
    const LastGestureCard texts = TrackpadRules::card(fired);
    auto* card = new GlassCard(12, 14, ThemeColor::clear(), parent);
    card->setObjectName("trackpad.lastGesture");
    card->setMaximumWidth(LastGestureArea::maxCardWidth);
    auto* content = new QWidget(card);
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(new SymbolTile(texts.symbol, true, 36, content), 0, Qt::AlignVCenter);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    auto* gesture =
        new ThemedText(QString::fromStdString(texts.gesture), Fonts::system(14, QFont::DemiBold), Theme::ink, content);
    gesture->setObjectName("trackpad.lastGesture.gesture");
    line->addWidget(gesture);
    auto* arrow = new ThemedText("", Fonts::system(10, QFont::Bold), Theme::honey, content);
    arrow->setSymbol("arrow.right");
    line->addWidget(arrow);
    auto* action = new ThemedText(QString::fromStdString(texts.action), Fonts::system(14), Theme::ink, content);
    action->setObjectName("trackpad.lastGesture.action");
    line->addWidget(action);
    // The gesture and the arrow keep their width; a long action is shortened.
    gesture->setFixedWidth(gesture->sizeHint().width());
    arrow->setFixedWidth(arrow->sizeHint().width());
    line->addStretch(1);
    column->addLayout(line);
    if (texts.source) {
        auto* source =
            new ThemedText(QString::fromStdString(*texts.source), Fonts::system(11.5), Theme::inkMuted, content);
        source->setObjectName("trackpad.lastGesture.source");
        column->addWidget(source);
    }
    if (texts.error) {
        auto* error = new ThemedText(QString::fromStdString(*texts.error), Fonts::system(11.5, QFont::Medium),
                                     Theme::warning, content);
        error->setObjectName("trackpad.lastGesture.error");
        error->setWrapping(true);
        column->addWidget(error);
    }
    row->addLayout(column, 1);
    card->addContent(content);
    return card;
}

}  // namespace

LastGestureArea::LastGestureArea(QWidget* parent) : QWidget(parent), presence_(1, [this] { frame(); }) {
    setObjectName("trackpad.lastGestureArea");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

LastGestureArea::~LastGestureArea() = default;

QWidget* LastGestureArea::makeContent(const std::optional<Engine::Fired>& fired) {
    if (fired) return lastGestureCard(*fired, this);
    auto* text =
        new ThemedText(TrackpadRules::noGestureText, Fonts::system(13, QFont::Medium), Theme::ink.opacity(0.78), this);
    text->setObjectName("trackpad.noGesture");
    text->setReadableOnWater(true);
    return text;
}

void LastGestureArea::show(const std::optional<Engine::Fired>& fired) {
    const std::optional<Date> date = fired ? std::optional<Date>(fired->date) : std::nullopt;
    if (started_ && date == shownDate_) return;
    const bool animate = started_;
    started_ = true;
    shownDate_ = date;

    // The old content leaves as a picture of itself; the handler that brought
    // the new record may still be running inside it, so it goes later.
    if (content_) {
        if (animate && content_->isVisible()) {
            outgoing_ = content_->grab();
            outgoingRect_ = content_->geometry();
        }
        content_->hide();
        content_->deleteLater();
    }
    content_ = makeContent(fired);
    place(content_);
    updateGeometry();
    if (!animate) {
        content_->show();
        return;
    }
    // The new content grows in as a picture too, and is itself once in place.
    incoming_ = content_->grab();
    incomingRect_ = content_->geometry();
    content_->hide();
    presence_.setValue(0);
    transitioning_ = true;
    presence_.animateTo(1, Animation::spring(Theme::wobble));
}

void LastGestureArea::frame() {
    update();
    if (!transitioning_ || presence_.isAnimating()) return;
    // In place: the pictures give way to the content itself.
    transitioning_ = false;
    outgoing_ = QPixmap();
    incoming_ = QPixmap();
    if (content_) content_->show();
}

void LastGestureArea::place(QWidget* widget) const {
    if (!widget) return;
    const int w =
        std::min({width(), maxCardWidth, std::max(widget->sizeHint().width(), widget->minimumSizeHint().width())});
    const int h = widget->hasHeightForWidth() ? widget->heightForWidth(w) : widget->sizeHint().height();
    widget->setGeometry((width() - w) / 2, 0, w, h);
}

QSize LastGestureArea::sizeHint() const {
    if (!content_) return QSize(maxCardWidth, 20);
    const int w = std::min(maxCardWidth, content_->sizeHint().width());
    const int h = content_->hasHeightForWidth() ? content_->heightForWidth(w) : content_->sizeHint().height();
    return QSize(w, h);
}

QSize LastGestureArea::minimumSizeHint() const { return QSize(0, sizeHint().height()); }

void LastGestureArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place(content_);
}

void LastGestureArea::paintEvent(QPaintEvent*) {
    if (outgoing_.isNull() && incoming_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double p = presence_.value();
    // Each picture at its own presence: scale from 0.85, fading.
    const auto drawAt = [&](const QPixmap& picture, const QRect& rect, double amount) {
        if (picture.isNull()) return;
        const double opacity = std::clamp(amount, 0.0, 1.0);
        if (opacity <= 0) return;
        const double scale = startScale + (1 - startScale) * amount;
        painter.save();
        painter.setOpacity(opacity);
        const QPointF c = QRectF(rect).center();
        painter.translate(c);
        painter.scale(scale, scale);
        painter.translate(-c);
        painter.drawPixmap(rect, picture);
        painter.restore();
    };
    drawAt(outgoing_, outgoingRect_, 1 - p);
    drawAt(incoming_, incomingRect_, p);
}

TrackpadTab::TrackpadTab(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("trackpadTab");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(new TabHeader(
        "Trackpad", "Touch the trackpad: the water moves under your fingers. Use it to tune Sensitivity.", this));

    auto* stage = new QHBoxLayout;
    stage->setSpacing(14);
    pad_ = new PadStage(this);
    stage->addWidget(pad_, 1, Qt::AlignTop);
    guide_ = new FingerGuide(model_, this);
    stage->addWidget(guide_, 0, Qt::AlignTop);
    column->addLayout(stage);

    last_ = new LastGestureArea(this);
    column->addWidget(last_);
    column->addStretch(1);

    feed_ = std::make_unique<LivePadFeed>(model_, pad_);
    observations_.add(model_.engine().lastFired(),
                      [this](const std::optional<Engine::Fired>& fired) { last_->show(fired); });
    last_->show(model_.engine().lastFired().get());
}

TrackpadTab::~TrackpadTab() {
    observations_.clear();
    feed_.reset();
}

void TrackpadTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The pad fits the height left under the header and over the last gesture.
    const int header = layout()->itemAt(0)->widget()->heightForWidth(width());
    const int room = height() - header - 2 * 16 - last_->sizeHint().height();
    const int padWidth = width() - int(FingerGuide::width) - 14;
    const int fitted = int(PadStage::fittedSize(QSizeF(padWidth, std::max(0, room))).height());
    pad_->setMinimumHeight(fitted);
    pad_->setMaximumHeight(fitted);
}

}  // namespace velorin
