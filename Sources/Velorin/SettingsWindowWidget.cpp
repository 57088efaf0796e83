#include "Velorin/SettingsWindowWidget.h"

#include <QApplication>
#include <QByteArray>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "Platform/Defaults.h"
#include "Platform/Platform.h"

namespace velorin {

SettingsWindowWidget::SettingsWindowWidget(AppModel& model, const ContentFactory& makeContent, WindowEffects effects)
    : QWidget(nullptr, Qt::Window), effects_(std::move(effects)) {
    setObjectName("settingsWindow");
    if (effects_.backdrop) backdrop_ = effects_.backdrop();
    // Chosen before the native window exists: its visual can't change later.
    if (backdrop_ != WindowEffects::Backdrop::opaque) setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(QString::fromUtf8(title));
    setMinimumSize(minimumContentSize);
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    content_ = makeContent(model, this);
    layout->addWidget(content_);

    resize(contentSize);
    // Centred first; a frame saved earlier replaces the centred one.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(contentSize.width() / 2, contentSize.height() / 2));
    }
    restoreFrame();
    frameRestored_ = true;
}

SettingsWindowWidget::~SettingsWindowWidget() = default;

void SettingsWindowWidget::addObserver(WindowNotice notice, std::function<void()> observer) {
    observers_[notice].push_back(std::move(observer));
}

void SettingsWindowWidget::activateApplication() {
    // Qt has no application-wide activation; the window's own activation below
    // brings the app to the front where the desktop allows it.
}

void SettingsWindowWidget::makeKeyAndOrderFront() {
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    raise();
    activateWindow();
}

void SettingsWindowWidget::closeEvent(QCloseEvent* event) {
    saveFrame();
    notify(WindowNotice::willClose);
    // Closing hides the window; it and its view are kept.
    event->accept();
}

void SettingsWindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const bool minimized = isMinimized();
    if (minimized == minimized_) return;
    minimized_ = minimized;
    notify(minimized ? WindowNotice::didMiniaturize : WindowNotice::didDeminiaturize);
}

void SettingsWindowWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (frameRestored_ && isVisible()) saveFrame();
}

void SettingsWindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (frameRestored_ && isVisible()) saveFrame();
}

void SettingsWindowWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applyBlur();
}

void SettingsWindowWidget::setSeeThrough(bool on) {
    if (seeThrough_ == on) return;
    seeThrough_ = on;
    applyBlur();
}

void SettingsWindowWidget::applyBlur() {
    const bool wanted = seeThrough_ && backdrop_ == WindowEffects::Backdrop::blurred;
    // The blur is a property of the native window: set it once that exists.
    if (wanted == blurApplied_ || !effects_.setBlurBehind || !testAttribute(Qt::WA_WState_Created)) return;
    effects_.setBlurBehind(this, wanted);
    blurApplied_ = wanted;
}

void SettingsWindowWidget::notify(WindowNotice notice) {
    auto it = observers_.find(notice);
    if (it == observers_.end()) return;
    // Observers may add observers: tell a copy.
    const auto observers = it->second;
    for (const auto& observer : observers) observer();
}

void SettingsWindowWidget::saveFrame() {
    const QByteArray geometry = saveGeometry();
    platform::current().defaults().set(frameKey, PropertyValue(PropertyData(geometry.begin(), geometry.end())));
}

void SettingsWindowWidget::restoreFrame() {
    const auto saved = platform::current().defaults().object(frameKey);
    if (!saved) return;
    const auto* data = std::get_if<PropertyData>(&*saved);
    if (!data || data->empty()) return;
    // A frame that doesn't read keeps the centred one.
    restoreGeometry(QByteArray(reinterpret_cast<const char*>(data->data()), static_cast<qsizetype>(data->size())));
}

}  // namespace velorin
