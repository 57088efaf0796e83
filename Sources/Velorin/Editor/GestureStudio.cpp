#include "Velorin/Editor/GestureStudio.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QVBoxLayout>

#include <array>
#include <cmath>

#include "Velorin/AppLookups.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fade.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/OverlayShadow.h"
#include "Velorin/Design/PackTile.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/ReadableOnWater.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/SymbolBounce.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/GestureStudioMotion.h"
#include "Velorin/Editor/GestureStudioRules.h"
#include "Velorin/Editor/GestureStudioSession.h"
#include "Velorin/Editor/ListeningRing.h"
#include "Velorin/Editor/SymbolPill.h"
#include "Velorin/Editor/WindowShownWatch.h"
#include "Velorin/LivePadFeed.h"
#include "Velorin/SheetHost.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {
QString qt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

namespace studio {

// A surface of the studio: a capsule or a rounded rectangle filled with its
// layers, edged with a rim, and casting its shadow on the window's effects
// overlay (absent: none). It may be drawn scaled about its centre as it comes
// and goes, inside room kept around it for a spring's overshoot.
class Surface : public QWidget {
public:
    struct Look {
        std::optional<double> radius;  // absent: a capsule
        std::vector<ThemeColor> fills;
        ThemeColor rim = Theme::rim;
        std::optional<ShadowStyle> shadow;  // its colour's alpha is the opacity of Theme.shadow
        double room = 0;                    // points around the surface for it to grow past its size
    };

    Surface(QWidget* parent, Look look) : QWidget(parent), look_(std::move(look)) {
        if (!look_.shadow) return;
        shadow_ = std::make_unique<OverlayShadow>(
            this, [this] { return outline(body()); },
            [this] {
                ShadowStyle style = *look_.shadow;
                style.color = Theme::shadow.opacity(look_.shadow->color.alphaF()).resolve(colorEnvironmentFor(this));
                return style;
            });
    }

    // Drawn at `scale` about its centre.
    void setScale(double scale) {
        if (scale == scale_) return;
        scale_ = scale;
        update();
        if (shadow_) shadow_->refresh();
    }
    double scale() const { return scale_; }

protected:
    // Where the surface lies unscaled: the widget without its room.
    QRectF bounds() const { return QRectF(rect()).adjusted(look_.room, look_.room, -look_.room, -look_.room); }
    // Where it is drawn now.
    QRectF body() const {
        const QRectF inner = bounds();
        const QPointF c = inner.center();
        return QRectF(c.x() - inner.width() * scale_ / 2, c.y() - inner.height() * scale_ / 2, inner.width() * scale_,
                      inner.height() * scale_);
    }
    // Puts `painter` in the scaled surface's coordinates, for what is drawn on it.
    void scaleOnto(QPainter& painter) const {
        const QPointF centre = bounds().center();
        painter.translate(centre);
        painter.scale(scale_, scale_);
        painter.translate(-centre);
    }
    QPainterPath outline(const QRectF& bounds) const {
        if (!look_.radius) return continuousCapsule(bounds);
        QPainterPath path;
        path.addRoundedRect(bounds, *look_.radius, *look_.radius);
        return path;
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        applyFade(painter, this);
        painter.setRenderHint(QPainter::Antialiasing);
        const ColorEnvironment environment = colorEnvironmentFor(this);
        const QPainterPath shape = outline(body().adjusted(0.5, 0.5, -0.5, -0.5));
        for (const ThemeColor& fill : look_.fills) painter.fillPath(shape, fill.resolve(environment));
        painter.setPen(QPen(look_.rim.resolve(environment), 1));
        painter.drawPath(shape);
    }
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        if (shadow_) shadow_->refresh();
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (shadow_) shadow_->refresh();
    }

private:
    Look look_;
    double scale_ = 1;
    std::unique_ptr<OverlayShadow> shadow_;
};

ShadowStyle shadowOf(double opacity, double radius, double down) {
    return ShadowStyle{QColor::fromRgbF(0, 0, 0, float(opacity)), radius, QPointF(0, down)};
}

// The caught gesture's name in white on a dark capsule.
class Capsule final : public Surface {
public:
    explicit Capsule(QWidget* parent)
        : Surface(parent, {std::nullopt,
                           {ThemeColor::plain(0x14171C, 0.35), ThemeColor::plain(0x000000, 0.4)},
                           ThemeColor::plain(0xFFFFFF, 0.15),
                           std::nullopt}) {
        setObjectName("studio.capsule");
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setText(const QString& text) {
        if (text == text_) return;
        text_ = text;
        adjustSize();
        update();
    }
    QString text() const { return text_; }
    QSize sizeHint() const override {
        const QFontMetricsF metrics(font());
        return QSize(int(std::ceil(metrics.horizontalAdvance(text_) + 44)), int(std::ceil(metrics.height() + 20)));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        Surface::paintEvent(event);
        QPainter painter(this);
        applyFade(painter, this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        scaleOnto(painter);
        painter.setFont(font());
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, text_);
    }

private:
    QString text_;
};

// A chip of the line: a symbol, its title and the up-down chevron on capsule glass.
class ChipButton final : public QAbstractButton {
public:
    ChipButton(std::string symbol, QWidget* parent)
        : QAbstractButton(parent), symbol_(std::move(symbol)), titleShown_(true, [this] { update(); }) {
        setCursor(Qt::PointingHandCursor);
        setFont(Fonts::system(13.5, QFont::DemiBold));
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    }
    void setSymbol(std::string symbol) {
        if (symbol == symbol_) return;
        symbol_ = std::move(symbol);
        update();
    }
    const std::string& symbol() const { return symbol_; }
    // A new title comes up from below while the old one leaves upwards, along
    // `animation`; without one it simply stands.
    void setTitle(const QString& title, const std::optional<Animation>& animation) {
        if (title == text()) return;
        leavingTitle_ = text();
        setText(title);
        updateGeometry();
        if (animation && !leavingTitle_.isEmpty()) {
            titleShown_.set(false, std::nullopt);
            titleShown_.set(true, animation);
        }
        update();
    }
    // The incoming title's look now (at rest: as it is).
    TransitionLook titleLook() const { return titleShown_.look(GestureStudioMotion::chipTitle, titleHeight()); }
    QSize sizeHint() const override {
        const QFontMetricsF metrics(font());
        const double w = 13 + symbolSide + 7 + metrics.horizontalAdvance(text()) + 7 + 9 + 13;
        return QSize(int(std::ceil(w)), int(std::ceil(metrics.height() + 16)));
    }
    QSize minimumSizeHint() const override { return QSize(80, sizeHint().height()); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        applyFade(painter, this);
        painter.setRenderHint(QPainter::Antialiasing);
        const ColorEnvironment environment = colorEnvironmentFor(this);
        const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        paintRainbowGlass(painter, bounds, false, false, environment);
        const QColor muted = Theme::inkMuted.resolve(environment);
        double x = 13;
        const double mid = height() / 2.0;
        Symbols::draw(painter, QRectF(x, mid - symbolSide / 2, symbolSide, symbolSide), symbol_, muted, symbolSide);
        x += symbolSide + 7;
        const double chevronLeft = width() - 13 - 9;
        const QFontMetricsF metrics(font());
        painter.setFont(font());
        painter.setPen(Theme::ink.resolve(environment));
        const QRectF titleRect(x, 0, std::max(0.0, chevronLeft - 7 - x), height());
        // Titles on their way are clipped to the chip's capsule.
        painter.save();
        painter.setClipPath(continuousCapsule(bounds), Qt::IntersectClip);
        auto title = [&](const QString& text, const TransitionLook& look) {
            if (look.opacity <= 0) return;
            painter.save();
            painter.setOpacity(painter.opacity() * look.opacity);
            painter.drawText(titleRect.translated(0, look.dy), Qt::AlignVCenter | Qt::AlignLeft,
                             metrics.elidedText(text, Qt::ElideRight, titleRect.width()));
            painter.restore();
        };
        if (titleShown_.isMoving()) {
            title(leavingTitle_,
                  GestureStudioMotion::chipTitle.lookAt(1 - titleShown_.progress(), titleHeight(), true));
        }
        title(text(), titleLook());
        painter.restore();
        Symbols::draw(painter, QRectF(chevronLeft, mid - 5, 10, 10), "chevron.up.chevron.down", muted, 9);
        if (focusRing_.shows()) {
            painter.setPen(QPen(Theme::honey.resolve(environment), 2));
            painter.drawPath(continuousCapsule(bounds.adjusted(1, 1, -1, -1)));
        }
    }

private:
    double titleHeight() const { return QFontMetricsF(font()).height(); }

    static constexpr double symbolSide = 14;
    std::string symbol_;
    QString leavingTitle_;
    Presentation titleShown_;
    FocusRing focusRing_{this};
};

// The line under the pad: the gesture, the action, the target and "Save", on a capsule.
class Line final : public Surface {
public:
    explicit Line(QWidget* parent)
        : Surface(parent, {std::nullopt, {Theme::warmWhite.opacity(0.66)}, Theme::rim, shadowOf(0.18, 14, 6)}) {
        setObjectName("studio.line");
        setMaximumWidth(GestureStudio::lineMaxWidth);
    }
};

// "Saved": the check, the word and what was saved, on a rounded card. The
// card paints all of it itself, so that it can be drawn scaled as it comes
// and goes; it keeps room around itself for a spring's overshoot.
class SavedCard final : public Surface {
public:
    explicit SavedCard(QWidget* parent)
        : Surface(parent, {28.0,
                           {Theme::milk.opacity(0.92), Theme::warmWhite.opacity(0.6)},
                           Theme::rim,
                           shadowOf(0.3, 30, 12),
                           room}),
          bounce_([this] { update(); }) {
        setObjectName("studio.saved");
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setLine(const QString& text) {
        if (text == line_) return;
        line_ = text;
        updateGeometry();
        adjustSize();
        update();
    }
    QString line() const { return line_; }
    void bounce() { bounce_.play(); }
    double checkScale() const { return bounce_.scale(); }

    QSize sizeHint() const override {
        const double w = std::max({checkSide, QFontMetricsF(titleFont()).horizontalAdvance(title()),
                                   QFontMetricsF(lineFont()).horizontalAdvance(line_)}) +
                         2 * paddingX + 2 * room;
        const double h = checkSide + spacing + QFontMetricsF(titleFont()).height() + spacing +
                         QFontMetricsF(lineFont()).height() + 2 * paddingY + 2 * room;
        return QSize(int(std::ceil(w)), int(std::ceil(h)));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        Surface::paintEvent(event);
        QPainter painter(this);
        applyFade(painter, this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const ColorEnvironment environment = colorEnvironmentFor(this);
        scaleOnto(painter);
        const QRectF content = bounds().adjusted(paddingX, paddingY, -paddingX, -paddingY);
        const QRectF check(content.center().x() - checkSide / 2, content.top(), checkSide, checkSide);
        painter.save();
        painter.translate(check.center());
        painter.scale(bounce_.scale(), bounce_.scale());
        painter.translate(-check.center());
        // The check's disc in the floor colour, the mark in ink.
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::milk.resolve(environment));
        painter.drawEllipse(check.adjusted(6, 6, -6, -6));
        Symbols::draw(painter, check, "checkmark.circle.fill", Theme::ink.resolve(environment), checkSide);
        painter.restore();

        const double titleHeight = QFontMetricsF(titleFont()).height();
        const QRectF titleRect(content.left(), check.bottom() + spacing, content.width(), titleHeight);
        painter.setFont(titleFont());
        painter.setPen(Theme::ink.resolve(environment));
        painter.drawText(titleRect, Qt::AlignCenter, title());
        const QRectF lineRect(content.left(), titleRect.bottom() + spacing, content.width(),
                              QFontMetricsF(lineFont()).height());
        painter.setFont(lineFont());
        painter.setPen(Theme::inkMuted.resolve(environment));
        painter.drawText(lineRect, Qt::AlignCenter, line_);
    }

private:
    static constexpr double room = 4;  // points around the card for the spring to grow it past its size
    static constexpr double paddingX = 36;
    static constexpr double paddingY = 26;
    static constexpr double spacing = 10;
    static constexpr double checkSide = 58;
    static QString title() { return QString::fromUtf8(GestureStudioRules::savedTitle); }
    static QFont titleFont() { return Fonts::rounded(22, QFont::Bold); }
    static QFont lineFont() { return Fonts::system(13, QFont::Medium); }

    QString line_;
    SymbolBounce bounce_;
};

// A row of the target popover: its icon, title and subtitle, and a check when chosen.
class TargetRow final : public QAbstractButton {
public:
    TargetRow(QWidget* icon, const QString& title, const QString& subtitle, bool selected, QWidget* parent)
        : QAbstractButton(parent), selected_(selected) {
        setCursor(Qt::PointingHandCursor);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(10, 7, 10, 7);
        row->setSpacing(10);
        icon->setParent(this);
        icon->setAttribute(Qt::WA_TransparentForMouseEvents);
        row->addWidget(icon, 0, Qt::AlignVCenter);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(1);
        auto* titleText = new ThemedText(title, Fonts::system(13, QFont::DemiBold), Theme::ink, this);
        auto* subtitleText = new ThemedText(subtitle, Fonts::system(11, QFont::Medium), Theme::inkMuted, this);
        for (auto* text : {titleText, subtitleText}) {
            text->setAttribute(Qt::WA_TransparentForMouseEvents);
            texts->addWidget(text);
        }
        row->addLayout(texts, 1);
        auto* check = new QWidget(this);
        check->setFixedSize(14, 14);
        check->setAttribute(Qt::WA_TransparentForMouseEvents);
        check->setVisible(selected_);
        check->installEventFilter(this);
        row->addWidget(check, 0, Qt::AlignVCenter);
        setText(title);
    }
    bool isSelected() const { return selected_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* check = static_cast<QWidget*>(watched);
            QPainter painter(check);
            Symbols::draw(painter, QRectF(check->rect()), "checkmark", Theme::ink.resolve(colorEnvironmentFor(this)),
                          12);
            return true;
        }
        return QAbstractButton::eventFilter(watched, event);
    }
    void paintEvent(QPaintEvent*) override {
        if (!selected_ && !underMouse()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 9, 9);
        const ThemeColor fill = selected_ ? Theme::inkFaint : Theme::inkFaint.opacity(0.5);
        painter.fillPath(shape, fill.resolve(colorEnvironmentFor(this)));
    }
    void enterEvent(QEnterEvent* event) override {
        QAbstractButton::enterEvent(event);
        update();
    }
    void leaveEvent(QEvent* event) override {
        QAbstractButton::leaveEvent(event);
        update();
    }

private:
    bool selected_;
};

// A popover's body: a scroll view on the raised surface, with a rim.
class Panel final : public Surface {
public:
    Panel(const char* name, QSize size, QWidget* content)
        : Surface(nullptr, {14.0, {Theme::milk, Theme::warmWhite.opacity(0.6)}, Theme::inkFaint, std::nullopt}) {
        setObjectName(name);
        setFixedSize(size);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(1, 1, 1, 1);
        auto* scroll = new QScrollArea(this);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->viewport()->setAutoFillBackground(false);
        scroll->setWidget(content);
        // Set after setWidget, which turns it on.
        content->setAutoFillBackground(false);
        scroll->setAutoFillBackground(false);
        layout->addWidget(scroll);
    }
};

// The hairline between "My shortcuts" and the packs.
class Divider final : public QWidget {
public:
    explicit Divider(QWidget* parent) : QWidget(parent) { setFixedHeight(9); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(QRectF(0, 4, width(), 1), Theme::inkFaint.resolve(colorEnvironmentFor(this)));
    }
};

// The symbol of the "My shortcuts" row, 22 points wide.
class MineIcon final : public QWidget {
public:
    explicit MineIcon(QWidget* parent) : QWidget(parent) { setFixedSize(22, 22); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Symbols::draw(painter, QRectF(rect()), "hand.tap.fill", Theme::inkMuted.resolve(colorEnvironmentFor(this)), 16);
    }
};

// The listening mark and its call, white with a soft dark shadow. The call is
// painted here, with room around it for its shadow, and so is the shadow of
// the mark's dot.
class Listening final : public QWidget {
public:

    explicit Listening(QWidget* parent) : QWidget(parent) {
        setObjectName("studio.listening");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        ring_ = new ListeningRing(this);
    }
    QString text() const { return QString::fromUtf8(GestureStudioRules::listeningText); }
    QSize sizeHint() const override {
        const QFontMetricsF metrics(font());
        const double w = std::max(ListeningRing::side, metrics.horizontalAdvance(text())) + 2 * margin();
        const double h = ListeningRing::side + spacing + metrics.height() + 2 * margin();
        return QSize(int(std::ceil(w)), int(std::ceil(h)));
    }
    // Where the call's text lies, its shadow around it.
    QRectF textRect() const {
        const double m = margin();
        return QRectF(m, m + ListeningRing::side + spacing, width() - 2 * m, QFontMetricsF(font()).height());
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        ring_->move((width() - ring_->width()) / 2, int(margin()));
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        applyFade(painter, this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::Antialiasing);
        // The mark's dot casts the same shadow, beneath it.
        QPainterPath dot;
        dot.addEllipse(QRectF(ring_->geometry()).center(), ListeningRing::dotSide / 2, ListeningRing::dotSide / 2);
        paintShadow(painter, dot,
                    ShadowStyle{QColor::fromRgbF(0, 0, 0, float(GestureStudioRules::listeningShadowDark[0].opacity)),
                                GestureStudioRules::listeningShadowDark[0].radius, {}});
        HaloText::draw(painter, textRect(), Qt::AlignCenter, text(), font(), QColor::fromRgbF(1, 1, 1, 0.9f), Qt::black,
                       GestureStudioRules::listeningShadow(colorEnvironmentFor(this).isDark()));
    }

private:
    static constexpr double spacing = 8;
    static double margin() {
        return std::max({12, haloMargin(GestureStudioRules::listeningShadow(false)),
                         haloMargin(GestureStudioRules::listeningShadow(true))});
    }

    ListeningRing* ring_ = nullptr;
};

}  // namespace studio

using namespace studio;

GestureStudio::GestureStudio(AppModel& model, std::optional<std::string> packID, std::function<void()> done,
                             QWidget* parent)
    : QWidget(parent),
      model_(model),
      session_(std::make_unique<GestureStudioSession>(model, std::move(packID), std::move(done))) {
    setObjectName("gestureStudio");
    setFocusPolicy(Qt::StrongFocus);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);

    // Header: the close button at the leading end, the title centred over the row.
    auto* header = new QGridLayout;
    close_ = new SymbolPill("xmark", 13, QString(), false, this);
    close_->setObjectName("studio.close");
    close_->setToolTip(GestureStudioRules::closeHelp);
    connect(close_, &QAbstractButton::clicked, this, [this] { session_->close(); });
    header->addWidget(close_, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    auto* title = new ThemedText(GestureStudioRules::title, Fonts::rounded(20, QFont::Bold), Theme::ink, this);
    title->setReadableOnWater(true);
    header->addWidget(title, 0, 0, Qt::AlignCenter);
    column->addLayout(header);

    // The pad with its overlays.
    padHolder_ = new QWidget(this);
    padHolder_->setObjectName("studio.pad");
    padHolder_->setMaximumWidth(padMaxWidth);
    padHolder_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pad_ = new PadStage(padHolder_);
    feed_ = std::make_unique<LivePadFeed>(model_, pad_);
    listening_ = new Listening(padHolder_);
    listening_->setFont(Fonts::system(15, QFont::DemiBold));
    capsule_ = new Capsule(padHolder_);
    capsule_->setFont(Fonts::rounded(26, QFont::Black));
    retry_ = new SymbolPill("arrow.counterclockwise", 12, QString(), false, padHolder_);
    retry_->setObjectName("studio.retry");
    retry_->setToolTip(GestureStudioRules::retryHelp);
    connect(retry_, &QAbstractButton::clicked, this, [this] { session_->listen(); });
    column->addWidget(padHolder_, 0, Qt::AlignHCenter);

    hint_ = new ThemedText(GestureStudioRules::hintText, Fonts::system(13, QFont::Medium), Theme::inkMuted, this);
    hint_->setObjectName("studio.hint");
    hint_->setWrapping(true);
    hint_->setCentred(true);
    hint_->setReadableOnWater(true);
    hint_->setMaximumWidth(lineMaxWidth);

    // The line, over its slot in the layout: it comes up from below the slot.
    line_ = new Line(this);
    auto* row = new QHBoxLayout(line_);
    row->setSpacing(10);
    lineGesture_ = new ThemedText(QString(), Fonts::system(14, QFont::Bold), Theme::ink, line_);
    row->addWidget(lineGesture_);
    auto* arrow = new ThemedText(QString(), Fonts::system(11, QFont::Black), Theme::inkMuted, line_);
    arrow->setSymbol("arrow.right");
    arrow->setFixedWidth(arrow->sizeHint().width());
    row->addWidget(arrow);
    actionChip_ = new ChipButton("playpause.fill", line_);
    actionChip_->setObjectName("studio.actionChip");
    connect(actionChip_, &QAbstractButton::clicked, this,
            [this] { session_->setChoosingAction(!session_->choosingAction()); });
    row->addWidget(actionChip_);
    auto* in = new ThemedText(QStringLiteral("in"), Fonts::system(13, QFont::DemiBold), Theme::inkMuted, line_);
    in->setFixedWidth(in->sizeHint().width());
    row->addWidget(in);
    targetChip_ = new ChipButton("hand.tap.fill", line_);
    targetChip_->setObjectName("studio.targetChip");
    connect(targetChip_, &QAbstractButton::clicked, this,
            [this] { session_->setChoosingTarget(!session_->choosingTarget()); });
    row->addWidget(targetChip_);
    row->addStretch(1);
    row->addSpacing(6);
    save_ = new PillButton(QStringLiteral("Save"), true, line_);
    save_->setObjectName("studio.save");
    save_->setSwellRoom(GestureStudioMotion::swollenScale);
    connect(save_, &QAbstractButton::clicked, this, [this] { session_->save(); });
    row->addWidget(save_);
    // The room Save keeps for its swell comes out of the line's padding.
    const QMarginsF swell = save_->swellMargins();
    row->setContentsMargins(18, 8 - int(swell.top()), 8 - int(swell.right()), 8 - int(swell.bottom()));
    line_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    lineSlot_ = new QWidget(this);
    lineSlot_->setObjectName("studio.lineSlot");
    lineSlot_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lineSlot_->setMaximumWidth(lineMaxWidth);
    lineSlot_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    lineSlot_->setFixedHeight(line_->sizeHint().height());
    lineSlot_->setMinimumWidth(line_->minimumSizeHint().width());
    lineSlot_->installEventFilter(this);
    auto* lineRow = new QHBoxLayout;
    lineRow->addStretch(0);
    lineRow->addWidget(lineSlot_, 1);
    lineRow->addStretch(0);
    // The hint and the line take turns in one place; on the way they cross there.
    auto* turns = new QGridLayout;
    turns->setContentsMargins(0, 0, 0, 0);
    // Without an alignment the hint is given the height its wrapped lines need at its width.
    auto* hintRow = new QHBoxLayout;
    hintRow->addStretch(0);
    hintRow->addWidget(hint_, 1);
    hintRow->addStretch(0);
    turns->addLayout(hintRow, 0, 0, Qt::AlignTop);
    turns->addLayout(lineRow, 0, 0);
    column->addLayout(turns);

    clash_ = new ThemedText(QString(), Fonts::system(12, QFont::DemiBold), Theme::warning, this);
    clash_->setObjectName("studio.clash");
    clash_->setSymbol("exclamationmark.triangle.fill");
    clash_->setReadableOnWater(true);
    clash_->setWrapping(true);
    clash_->setMaximumWidth(lineMaxWidth);
    clash_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* clashRow = new QHBoxLayout;
    clashRow->addStretch(1);
    clashRow->addWidget(clash_, 100);
    clashRow->addStretch(1);
    column->addLayout(clashRow);
    column->addStretch(1);

    line_->raise();
    savedCard_ = new SavedCard(this);
    savedCard_->hide();

    session_->onChanged([this] { refresh(); });
    // The live configuration changes what the chips, the clash and the targets read.
    watch_ = new WindowShownWatch(this, [this](bool shown) {
        if (!shown) {
            session_->windowHidden();
        } else if (!started_) {
            started_ = true;
            session_->listen();
        } else {
            session_->windowShown();
        }
    });
    if (watch_->isShown()) {
        started_ = true;
        session_->listen();
    }
    refresh();
}

GestureStudio::~GestureStudio() {
    session_->onChanged({});
    // The host may be going too (the whole window is): the popovers are only
    // let go, and leave the host when they are deleted.
    for (QWidget* popover : {actionPopover_.data(), targetPopover_.data()}) {
        if (!popover) continue;
        popover->hide();
        popover->deleteLater();
    }
}

ActionComposer* GestureStudio::composer() const { return composer_; }

void GestureStudio::refresh() {
    const GestureStudioSession& s = *session_;
    const bool caught = s.gesture().has_value();
    const bool reduce = Display::reduceMotion();
    // The first drawing stands as it is; later changes move.
    auto moving = [&](const Spring& spring) {
        return drawn_ ? GestureStudioMotion::moving(spring, reduce) : std::nullopt;
    };
    const bool gestureChanged = drawn_ && s.gesture() != drawnGesture_;
    const bool targetChanged = drawn_ && s.target() != drawnTarget_;
    refreshing_ = true;

    const auto flow = moving(GestureStudioMotion::flow);
    listeningShown_.set(!caught, flow);
    capsuleShown_.set(caught, flow);
    retryShown_.set(caught, flow);
    hintShown_.set(!caught, flow);
    lineShown_.set(caught, flow);
    // A part on its way out keeps what it showed.
    if (caught) {
        capsule_->setText(qt(displayName(*s.gesture())));
        lineGesture_->setText(qt(displayName(*s.gesture())));
        lineGesture_->setMinimumWidth(lineGesture_->sizeHint().width());
    }
    const auto chosen = moving(GestureStudioMotion::choiceSpring);
    actionChip_->setSymbol(std::string(GestureStudioRules::actionSymbol(s.action().kind())));
    actionChip_->setTitle(qt(GestureStudioRules::actionTitle(s.action())), chosen);
    targetChip_->setTitle(qt(s.targetName()), chosen);
    lineSlot_->setMinimumWidth(line_->minimumSizeHint().width());
    lineSlot_->setFixedHeight(line_->sizeHint().height());

    const auto clash = s.clash();
    clashShown_.set(caught && clash.has_value(),
                    drawn_ ? GestureStudioMotion::clashMotion(gestureChanged, targetChanged, reduce) : std::nullopt);
    if (clash) clash_->setText(qt(*clash));

    if (s.saved()) savedCard_->setLine(qt(GestureStudioRules::savedLine(s.gesture(), s.action())));
    savedShown_.set(s.saved(), moving(GestureStudioMotion::savedSpring));
    if (drawn_ && s.saved() != drawnSaved_) savedCard_->bounce();

    if (s.bump() != drawnBump_) {
        const GestureStudioMotion::Swell swell = GestureStudioMotion::swell(s.bump());
        save_->swellTo(swell.scale, moving(swell.spring));
    }

    drawn_ = true;
    drawnGesture_ = s.gesture();
    drawnTarget_ = s.target();
    drawnBump_ = s.bump();
    drawnSaved_ = s.saved();
    refreshing_ = false;
    applyLooks();

    if (s.splashes() != splashesShown_) {
        splashesShown_ = s.splashes();
        pixelSplash(padHolder_, splashesShown_, false, false);
        if (s.saved()) pixelSplash(savedCard_, splashesShown_, false, false);
    }
    layoutPad();
    syncPopovers();
}

const Presentation& GestureStudio::presentation(Part part) const {
    switch (part) {
        case Part::listening:
            return listeningShown_;
        case Part::capsule:
            return capsuleShown_;
        case Part::retry:
            return retryShown_;
        case Part::hint:
            return hintShown_;
        case Part::line:
            return lineShown_;
        case Part::clash:
            return clashShown_;
        case Part::saved:
            return savedShown_;
    }
    return savedShown_;
}

TransitionLook GestureStudio::look(Part part) const {
    switch (part) {
        case Part::listening:
            return listeningShown_.look(GestureStudioMotion::listening, listening_->height());
        case Part::capsule:
            return capsuleShown_.look(GestureStudioMotion::capsule, capsule_->height());
        case Part::retry:
            return retryShown_.look(GestureStudioMotion::retry, retry_->height());
        case Part::hint:
            return hintShown_.look(GestureStudioMotion::hint, hint_->height());
        case Part::line:
            return lineShown_.look(GestureStudioMotion::line, lineSlot_->height());
        case Part::clash:
            return clashShown_.look(GestureStudioMotion::clash, clash_->height());
        case Part::saved:
            return savedShown_.look(GestureStudioMotion::savedCard, savedCard_->height());
    }
    return {};
}

double GestureStudio::savedCheckScale() const { return savedCard_->checkScale(); }

TransitionLook GestureStudio::chipTitleLook(Chip chip) const {
    return (chip == Chip::action ? actionChip_ : targetChip_)->titleLook();
}

void GestureStudio::applyLooks() {
    auto show = [this](QWidget* widget, Part part) {
        const Presentation& shown = presentation(part);
        const TransitionLook now = look(part);
        setFade(widget, now.opacity);
        widget->setVisible(shown.isShown());
        return now;
    };
    show(listening_, Part::listening);
    capsule_->setScale(show(capsule_, Part::capsule).scale);
    show(retry_, Part::retry);
    show(hint_, Part::hint);
    lineSlot_->setVisible(lineShown_.isShown());
    show(line_, Part::line);
    placeLine();
    show(clash_, Part::clash);
    savedCard_->setScale(show(savedCard_, Part::saved).scale);
    if (savedCard_->isVisible()) savedCard_->raise();
}

void GestureStudio::placeLine() {
    line_->setGeometry(lineSlot_->geometry().translated(0, int(std::lround(look(Part::line).dy))));
}

bool GestureStudio::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineSlot_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) placeLine();
    return QWidget::eventFilter(watched, event);
}

void GestureStudio::syncPopovers() {
    SheetHost* host = SheetHost::of(this);
    if (!host) return;
    const GestureStudioSession& s = *session_;
    // A popover shows exactly while the session is choosing what it offers.
    auto sync = [&](bool choosing, QPointer<QWidget>& popover, QWidget* (GestureStudio::*make)(), QWidget* anchor,
                    void (GestureStudioSession::*stopChoosing)(bool)) {
        if (choosing && !popover) {
            popover = (this->*make)();
            host->presentPopover(popover, anchor, [self = QPointer(this), stopChoosing] {
                if (self) (self->session_.get()->*stopChoosing)(false);
            });
        } else if (!choosing && popover) {
            host->dismiss(popover);
            popover = nullptr;
        }
    };
    sync(s.choosingAction(), actionPopover_, &GestureStudio::makeActionPopover, actionChip_,
         &GestureStudioSession::setChoosingAction);
    sync(s.choosingTarget(), targetPopover_, &GestureStudio::makeTargetPopover, targetChip_,
         &GestureStudioSession::setChoosingTarget);
}

QWidget* GestureStudio::makeActionPopover() {
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(16, 16, 16, 16);
    composer_ = new ActionComposer(session_->action(), body);
    composer_->setObjectName("studio.composer");
    connect(composer_, &ActionComposer::actionEdited, this,
            [this](const Action& action) { session_->setAction(action); });
    connect(composer_, &ActionComposer::chosen, this, [this] { session_->actionChosen(); });
    layout->addWidget(composer_);
    layout->addStretch(1);
    return new Panel("studio.actionPopover", actionPanelSize, body);
}

QWidget* GestureStudio::makeTargetPopover() {
    const AppConfig& config = model_.config();
    const auto& target = session_->target();
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(2);
    // A target whose pack is gone is shown as My shortcuts, where it will save.
    const bool mineChosen = !GestureStudioRules::targetPack(config, target);
    auto* mine = new TargetRow(new MineIcon(body), GestureStudioRules::mineTitle, GestureStudioRules::mineSubtitle,
                               mineChosen, body);
    mine->setObjectName("studio.target.mine");
    connect(mine, &QAbstractButton::clicked, this, [this] { session_->chooseTarget(std::nullopt); });
    layout->addWidget(mine);
    layout->addWidget(new Divider(body));
    for (const Pack& pack : GestureStudioRules::packChoices(config)) {
        auto* tile = new PackTile(appLookup(), pack, true, 22, body);
        auto* row = new TargetRow(tile, QString::fromStdString(pack.name),
                                  qt(GestureStudioRules::packSubtitle(config.isPackEnabled(pack.id))),
                                  !mineChosen && target == pack.id, body);
        row->setObjectName("studio.target");
        row->setProperty("packID", QString::fromStdString(pack.id));
        connect(row, &QAbstractButton::clicked, this, [this, id = pack.id] { session_->chooseTarget(id); });
        layout->addWidget(row);
    }
    layout->addStretch(1);
    return new Panel("studio.targetPopover", targetPanelSize, body);
}

void GestureStudio::layoutPad() {
    // The pad keeps its own proportions and greatest width inside the room it is offered.
    const int offered = std::min(padMaxWidth, std::max(200, this->width()));
    const QSizeF fitted = PadStage::fittedSize(QSizeF(offered, offered / PadStage::aspectRatio));
    const int width = int(std::floor(fitted.width()));
    const int height = int(std::floor(fitted.height()));
    padHolder_->setFixedSize(width, height);
    pad_->setGeometry(0, 0, width, height);
    listening_->adjustSize();
    listening_->move((width - listening_->width()) / 2, (height - listening_->height()) / 2);
    capsule_->adjustSize();
    capsule_->move((width - capsule_->width()) / 2, (height - capsule_->height()) / 2);
    retry_->adjustSize();
    retry_->move(width - retry_->width() - 14, 14);
    retry_->raise();
    savedCard_->adjustSize();
    savedCard_->move((this->width() - savedCard_->width()) / 2, (this->height() - savedCard_->height()) / 2);
}

void GestureStudio::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPad();
}

void GestureStudio::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            session_->close();
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            session_->save();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace velorin
