#include "Platform/Linux/QtServices.h"

#include <climits>
#include <cmath>

#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QSettings>
#include <QThread>
#include <QTimer>

namespace velorin::linux_platform {
namespace {

QObject* app() { return QCoreApplication::instance(); }

void runOnMain(std::function<void()> block) {
    QMetaObject::invokeMethod(app(), std::move(block), Qt::QueuedConnection);
}

// Arms a single-shot timer; a deadline beyond one timer's reach is re-armed on the way.
void armAfter(double seconds, std::shared_ptr<WorkItem> item) {
    const double step = std::min(seconds, QtMainQueue::longestDelaySeconds);
    const int ms = static_cast<int>(std::ceil(step * 1000.0));
    QTimer::singleShot(ms, Qt::PreciseTimer, app(), [item, rest = seconds - step] {
        if (item->isCancelled()) return;
        if (rest > 0) {
            armAfter(rest, item);
        } else {
            item->perform();
        }
    });
}

class QtRepeatingTimer : public RepeatingTimer {
public:
    QtRepeatingTimer(double interval, std::function<void()> block) : timer_(new QTimer(app())) {
        timer_->setTimerType(Qt::PreciseTimer);
        timer_->setInterval(static_cast<int>(std::ceil(interval * 1000.0)));
        QObject::connect(timer_, &QTimer::timeout, timer_, std::move(block));
        timer_->start();
    }
    ~QtRepeatingTimer() override { invalidate(); }
    void invalidate() override {
        if (!timer_) return;
        timer_->stop();
        timer_->deleteLater();  // may be called from the timer's own block
        timer_ = nullptr;
    }
    bool isValid() const override { return timer_ != nullptr; }

private:
    QTimer* timer_;
};

// Qt keeps a screen's top left in device pixels and scales only its size (and
// the available area within it); undo that to get root-window pixels.
Rect nativeGeometry(const QScreen* s) {
    const QRect g = s->geometry();
    const double r = s->devicePixelRatio();
    return Rect{{static_cast<double>(g.x()), static_cast<double>(g.y())}, {g.width() * r, g.height() * r}};
}

Rect nativeAvailableGeometry(const QScreen* s) {
    const QRect g = s->geometry();
    const QRect a = s->availableGeometry();
    const double r = s->devicePixelRatio();
    return Rect{{(a.x() - g.x()) * r + g.x(), (a.y() - g.y()) * r + g.y()}, {a.width() * r, a.height() * r}};
}

Screen screenOf(const QScreen* s, const DesktopUnits& units) {
    return Screen{units.bottomLeftRect(nativeGeometry(s)), units.bottomLeftRect(nativeAvailableGeometry(s))};
}

QVariant toVariant(const PropertyValue& v) {
    struct V {
        QVariant operator()(bool b) const { return b; }
        QVariant operator()(double d) const { return d; }
        QVariant operator()(const std::string& s) const { return QString::fromStdString(s); }
        QVariant operator()(const PropertyData& d) const {
            return QByteArray(reinterpret_cast<const char*>(d.data()), static_cast<qsizetype>(d.size()));
        }
    };
    return std::visit(V{}, v);
}

std::optional<PropertyValue> fromVariant(const QVariant& v) {
    if (!v.isValid()) return std::nullopt;
    switch (v.typeId()) {
        case QMetaType::Bool: return PropertyValue{v.toBool()};
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float: return PropertyValue{v.toDouble()};
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            return PropertyValue{PropertyData(b.begin(), b.end())};
        }
        default: return PropertyValue{v.toString().toStdString()};
    }
}

class PaletteWatcher : public QObject {
public:
    explicit PaletteWatcher(std::function<void()> changed) : changed_(std::move(changed)) {
        if (app()) app()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == app() && event->type() == QEvent::ApplicationPaletteChange) changed_();
        return false;
    }

private:
    std::function<void()> changed_;
};

}  // namespace

void QtMainQueue::async(std::function<void()> block) { runOnMain(std::move(block)); }

void QtMainQueue::asyncAfter(double delaySeconds, std::shared_ptr<WorkItem> item) {
    if (std::isinf(delaySeconds) && delaySeconds > 0) return;  // never comes due
    const double delay = std::isnan(delaySeconds) || delaySeconds < 0 ? 0 : delaySeconds;
    runOnMain([delay, item] { armAfter(delay, item); });
}

std::shared_ptr<RepeatingTimer> QtMainQueue::scheduleRepeatingTimer(double intervalSeconds,
                                                                    std::function<void()> block) {
    double interval = std::isnan(intervalSeconds) ? minimumTimerIntervalSeconds
                                                  : std::max(intervalSeconds, minimumTimerIntervalSeconds);
    interval = std::min(interval, longestDelaySeconds);
    return std::make_shared<QtRepeatingTimer>(interval, std::move(block));
}

bool QtMainQueue::isMainThread() const { return app() && QThread::currentThread() == app()->thread(); }

DesktopUnits qtDesktopUnits() {
    const QScreen* p = QGuiApplication::primaryScreen();
    if (!p) return DesktopUnits{};
    return DesktopUnits{nativeGeometry(p), p->devicePixelRatio()};
}

std::vector<Screen> QtScreens::screens() {
    std::vector<Screen> out;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return out;
    const DesktopUnits units = qtDesktopUnits();
    out.push_back(screenOf(primary, units));
    for (const QScreen* s : QGuiApplication::screens()) {
        if (s != primary) out.push_back(screenOf(s, units));
    }
    return out;
}

std::optional<Screen> QtScreens::mainScreen() {
    const QScreen* s = QGuiApplication::screenAt(QCursor::pos());
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return std::nullopt;
    return screenOf(s, qtDesktopUnits());
}

Point QtScreens::mouseLocation() {
    const QPoint p = QCursor::pos();
    // Qt scales a position around the top left of the screen it is on.
    Point native{static_cast<double>(p.x()), static_cast<double>(p.y())};
    if (const QScreen* s = QGuiApplication::screenAt(p)) {
        const QPoint o = s->geometry().topLeft();
        const double r = s->devicePixelRatio();
        native = Point{(p.x() - o.x()) * r + o.x(), (p.y() - o.y()) * r + o.y()};
    }
    return qtDesktopUnits().bottomLeftPoint(native);
}

QtDefaults::QtDefaults() : settings_(std::make_unique<QSettings>("Velorin", "Velorin")) {}
QtDefaults::QtDefaults(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}
QtDefaults::~QtDefaults() = default;

std::optional<PropertyValue> QtDefaults::object(const std::string& key) {
    return fromVariant(settings_->value(QString::fromStdString(key)));
}

// Written through at once: the app may end without tearing anything down.
void QtDefaults::set(const std::string& key, const PropertyValue& value) {
    settings_->setValue(QString::fromStdString(key), toVariant(value));
    settings_->sync();
    notify(key);
}

void QtDefaults::remove(const std::string& key) {
    settings_->remove(QString::fromStdString(key));
    settings_->sync();
    notify(key);
}

std::optional<PropertyValue> QtDefaults::object(const std::string&, const std::string&) { return std::nullopt; }

ObserverToken QtDefaults::addObserver(Observer observer) {
    std::lock_guard lock(mutex_);
    const auto token = next_++;
    observers_[token] = std::move(observer);
    return token;
}

void QtDefaults::removeObserver(ObserverToken token) {
    std::lock_guard lock(mutex_);
    observers_.erase(token);
}

void QtDefaults::notify(const std::string& key) {
    std::map<ObserverToken, Observer> copy;
    {
        std::lock_guard lock(mutex_);
        copy = observers_;
    }
    for (auto& [token, observer] : copy) observer(key);
}

QtDisplaySettings::QtDisplaySettings()
    : watcher_(std::make_unique<PaletteWatcher>([this] {
          auto copy = observers_;
          for (auto& [token, observer] : copy) observer();
      })) {}
QtDisplaySettings::~QtDisplaySettings() = default;

bool QtDisplaySettings::darkAppearance() {
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    return window.lightness() < 128;
}

std::uint32_t QtDisplaySettings::accentColor() {
    return QGuiApplication::palette().color(QPalette::Highlight).rgb() & 0xFFFFFFu;
}

ObserverToken QtDisplaySettings::addObserver(Observer observer) {
    const auto token = next_++;
    observers_[token] = std::move(observer);
    return token;
}

void QtDisplaySettings::removeObserver(ObserverToken token) { observers_.erase(token); }

void QtPasteboard::clearContents() { QGuiApplication::clipboard()->clear(); }

bool QtPasteboard::setString(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    return true;
}

std::optional<std::string> QtPasteboard::string() {
    const QString t = QGuiApplication::clipboard()->text();
    if (t.isNull()) return std::nullopt;
    return t.toStdString();
}

}  // namespace velorin::linux_platform
