#include "Velorin/Design/DisplaySettings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QVariant>
#include <QWidget>

namespace velorin {

namespace {
DisplaySettings* installed = nullptr;
constexpr const char* appearanceProperty = "velorinAppearance";
}  // namespace

DisplaySettings::DisplaySettings(QObject* parent) : QObject(parent) {}

DisplaySettings::~DisplaySettings() {
    if (installed == this) installed = nullptr;
}

void DisplaySettings::setAppearance(Appearance appearance) {
    if (appearance_ == appearance) return;
    appearance_ = appearance;
    emit changed();
}

void DisplaySettings::setAccent(const QColor& accent) {
    if (accent_ == accent) return;
    accent_ = accent;
    emit changed();
}

void DisplaySettings::setReduceMotion(bool on) {
    if (reduceMotion_ == on) return;
    reduceMotion_ = on;
    emit changed();
}

void DisplaySettings::setReduceTransparency(bool on) {
    if (reduceTransparency_ == on) return;
    reduceTransparency_ = on;
    emit changed();
}

void DisplaySettings::followApplicationPalette() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return;
    if (!following_) {
        app->installEventFilter(this);
        following_ = true;
    }
    readPalette(QGuiApplication::palette());
}

void DisplaySettings::readPalette(const QPalette& palette) {
    const Appearance appearance = isDarkPalette(palette) ? Appearance::dark : Appearance::light;
    const QColor accent = accentOf(palette);
    if (appearance == appearance_ && accent == accent_) return;
    appearance_ = appearance;
    accent_ = accent;
    emit changed();
}

bool DisplaySettings::eventFilter(QObject* watched, QEvent* event) {
    if (following_ && watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange) {
        readPalette(QGuiApplication::palette());
    }
    return QObject::eventFilter(watched, event);
}

DisplaySettings& DisplaySettings::current() {
    if (installed) return *installed;
    // Made once and never destroyed: it may be asked for until the very end of the process.
    static DisplaySettings* fallback = [] {
        auto* settings = new DisplaySettings;
        settings->followApplicationPalette();
        return settings;
    }();
    return *fallback;
}

void DisplaySettings::install(DisplaySettings* settings) { installed = settings; }

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < palette.color(QPalette::WindowText).lightnessF();
}

QColor accentOf(const QPalette& palette) { return palette.color(QPalette::Active, QPalette::Highlight); }

void forceAppearance(QWidget* widget, std::optional<Appearance> appearance) {
    if (!widget) return;
    if (appearance) {
        widget->setProperty(appearanceProperty, *appearance == Appearance::dark ? QStringLiteral("dark")
                                                                                 : QStringLiteral("light"));
    } else {
        widget->setProperty(appearanceProperty, QVariant());
    }
    widget->update();
}

ColorEnvironment colorEnvironmentFor(const QWidget* widget) {
    ColorEnvironment environment = DisplaySettings::current().colorEnvironment();
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant forced = w->property(appearanceProperty);
        if (forced.isValid()) {
            environment.appearance = forced.toString() == QLatin1String("dark") ? Appearance::dark : Appearance::light;
            break;
        }
    }
    return environment;
}

}  // namespace velorin
