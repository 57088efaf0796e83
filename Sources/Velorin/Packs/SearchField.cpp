#include "Velorin/Packs/SearchField.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "Velorin/Design/Animation.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Packs/PackArtLayout.h"
#include "Velorin/Packs/ThemedLabel.h"

namespace velorin {

namespace {

QFont fieldFont() { return Fonts::system(SearchField::fontPoints, QFont::Medium); }

// Seconds since 1 January 2001, the reference date the rainbow's phase counts from.
double secondsSinceReference() {
    static const qint64 reference = QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    return double(QDateTime::currentMSecsSinceEpoch() - reference) / 1000.0;
}

class ClearButton : public QAbstractButton {
public:
    explicit ClearButton(QWidget* parent) : QAbstractButton(parent), display_([this] { update(); }) {
        setObjectName("packsSearch.clear");
        setCursor(Qt::PointingHandCursor);
        setFixedSize(16, 16);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Symbols::draw(painter, QRectF(rect()), "xmark.circle.fill", Theme::inkMuted.resolve(colorEnvironmentFor(this)),
                      SearchField::fontPoints);
    }

private:
    DisplayObserver display_;
};

}  // namespace

SearchField::SearchField(QWidget* parent)
    : QWidget(parent), display_([this] {
          themeTextField(edit_, this);
          update();
      }) {
    setObjectName("packsSearch");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(6);
    glass_ = new SymbolView("magnifyingglass", fontPoints, Theme::inkMuted, 16, this);
    row->addWidget(glass_);
    edit_ = new QLineEdit(this);
    edit_->setObjectName("packsSearch.field");
    edit_->setFrame(false);
    edit_->setFont(fieldFont());
    edit_->setPlaceholderText("Search packs or apps");
    edit_->setAttribute(Qt::WA_TranslucentBackground);
    themeTextField(edit_, this);
    edit_->setStyleSheet("QLineEdit { background: transparent; }");
    row->addWidget(edit_, 1);
    clear_ = new ClearButton(this);
    clear_->hide();
    connect(clear_, &QAbstractButton::clicked, this, [this] { setText({}); });
    row->addWidget(clear_);
    splashAnchor_ = new QWidget(this);
    splashAnchor_->setAttribute(Qt::WA_TransparentForMouseEvents);
    splashAnchor_->resize(6, 14);
    splash_ = std::make_unique<PixelSplash>(splashAnchor_);
    splash_->update(0, false, true);
    connect(edit_, &QLineEdit::textChanged, this, &SearchField::edited);
}

SearchField::~SearchField() {
    stopFrames();
    splash_.reset();
}

QString SearchField::text() const { return edit_->text(); }
void SearchField::setText(const QString& text) { edit_->setText(text); }
QAbstractButton* SearchField::clearButton() const { return clear_; }

double SearchField::phase(double seconds) { return std::fmod(seconds, travelSeconds) / travelSeconds; }

double SearchField::splashX() const {
    const double w = QFontMetricsF(fieldFont()).horizontalAdvance(edit_->text());
    return std::min(w, splashReach) + splashOffset;
}

void SearchField::placeSplash() {
    splashAnchor_->move(int(std::lround(splashX())), (height() - splashAnchor_->height()) / 2);
}

void SearchField::edited(const QString& text) {
    const bool grew = text.size() > last_.size();
    const bool emptiness = text.isEmpty() != last_.isEmpty();
    if (emptiness) {
        washFrom_ = washNow();
        washStart_ = Motion::instant() ? -1 : (clock_ ? clock_->now() : FrameClock::current().now());
    }
    last_ = text;
    clear_->setVisible(!text.isEmpty());
    placeSplash();
    if (grew) {
        ++typed_;
        splash_->update(typed_, false, true);
    }
    update();
    emit textChanged(text);
}

double SearchField::washNow() const {
    const double target = last_.isEmpty() ? 0 : washOpacity;
    if (washStart_ < 0) return target;
    const double now = clock_ ? clock_->now() : FrameClock::current().now();
    const double fraction = (now - washStart_) / washSeconds;
    if (fraction >= 1) return target;
    return washFrom_ + (target - washFrom_) * PackArtLayout::easeInOut(fraction);
}

QSize SearchField::sizeHint() const {
    const QFontMetricsF m(fieldFont());
    return QSize(320, int(std::ceil(std::max(m.height(), 16.0) + 16)));
}

void SearchField::startFrames() {
    if (clock_) return;
    clock_ = &FrameClock::current();
    token_ = clock_->addListener([this](double now) { frame(now); });
}

void SearchField::stopFrames() {
    if (!clock_) return;
    clock_->removeListener(token_);
    clock_ = nullptr;
}

void SearchField::frame(double now) {
    // The rainbow moves at 30 frames a second at most.
    if (lastFrame_ >= 0 && now - lastFrame_ < 1.0 / framesPerSecond - 1e-6) return;
    lastFrame_ = now;
    update();
}

void SearchField::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    themeTextField(edit_, this);  // the appearance may have been forced on a parent since
    if (!Display::reduceMotion()) startFrames();
}

void SearchField::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    stopFrames();
}

void SearchField::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeSplash();
}

void SearchField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF r(rect());
    paintRainbowGlass(painter, r, false, true, env);

    const QPainterPath capsule = continuousCapsule(r);
    painter.save();
    painter.setClipPath(capsule);
    const double p = phase(secondsSinceReference());
    const double w = r.width();
    // Two copies of a gradient twice the field's width, slid left by the phase,
    // so the ends meet without a seam.
    QLinearGradient gradient(QPointF(-w * p, 0), QPointF(-w * p + 2 * w, 0));
    const auto& colors = Rainbow::colors;
    const int n = int(colors.size());
    for (int i = 0; i <= n; ++i) gradient.setColorAt(double(i) / n, colors[std::size_t(i % n)].toQColor());
    gradient.setSpread(QGradient::RepeatSpread);
    const double wash = washNow();
    if (wash > 0) {
        painter.setOpacity(wash);
        painter.fillRect(r, gradient);
        painter.setOpacity(1);
    }
    painter.fillRect(QRectF(0, r.height() - bandHeight, w, bandHeight), gradient);
    painter.restore();
}

}  // namespace velorin
