#pragma once
// The display settings as the interface draws with them: the colour
// environment (appearance and accent), Reduce Motion and Reduce Transparency,
// read from the platform's display settings; and a view's own appearance,
// which a view may force for itself and everything inside it.

#include "Platform/DisplaySettings.h"
#include "Velorin/Design/Color.h"

#include <functional>
#include <optional>

class QWidget;

namespace velorin {

struct Display {
    Display() = delete;

    // The platform's appearance and accent.
    static ColorEnvironment colorEnvironment();
    static bool reduceMotion();
    static bool reduceTransparency();
};

// Forces `widget` and everything inside it into one appearance; nothing
// (std::nullopt) lets it follow the display settings again.
void forceAppearance(QWidget* widget, std::optional<Appearance> appearance);
// The colour environment `widget` draws in: the nearest forced appearance of
// it or its parents, else the display's, with the display's accent.
ColorEnvironment colorEnvironmentFor(const QWidget* widget);

// Calls back whenever the display settings change, for as long as it lives.
class DisplayObserver {
public:
    explicit DisplayObserver(std::function<void()> changed);
    ~DisplayObserver();
    DisplayObserver(const DisplayObserver&) = delete;
    DisplayObserver& operator=(const DisplayObserver&) = delete;

private:
    DisplaySettings* settings_ = nullptr;
    ObserverToken token_ = 0;
};

}  // namespace velorin
