#include "Velorin/Design/Display.h"

#include "Platform/Platform.h"

#include <QVariant>
#include <QWidget>

namespace velorin {

namespace {
constexpr const char* appearanceProperty = "velorinAppearance";

QColor fromHex(std::uint32_t rgb) { return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)); }
}  // namespace

ColorEnvironment Display::colorEnvironment() {
    DisplaySettings& settings = platform::current().displaySettings();
    return {settings.darkAppearance() ? Appearance::dark : Appearance::light, fromHex(settings.accentColor())};
}

bool Display::reduceMotion() { return platform::current().displaySettings().reduceMotion(); }
bool Display::reduceTransparency() { return platform::current().displaySettings().reduceTransparency(); }

void forceAppearance(QWidget* widget, std::optional<Appearance> appearance) {
    if (!widget) return;
    if (appearance) {
        widget->setProperty(appearanceProperty,
                            *appearance == Appearance::dark ? QStringLiteral("dark") : QStringLiteral("light"));
    } else {
        widget->setProperty(appearanceProperty, QVariant());
    }
    widget->update();
}

ColorEnvironment colorEnvironmentFor(const QWidget* widget) {
    ColorEnvironment environment = Display::colorEnvironment();
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant forced = w->property(appearanceProperty);
        if (forced.isValid()) {
            environment.appearance = forced.toString() == QLatin1String("dark") ? Appearance::dark : Appearance::light;
            break;
        }
    }
    return environment;
}

DisplayObserver::DisplayObserver(std::function<void()> changed)
    : settings_(&platform::current().displaySettings()), token_(settings_->addObserver(std::move(changed))) {}

DisplayObserver::~DisplayObserver() { settings_->removeObserver(token_); }

}  // namespace velorin
