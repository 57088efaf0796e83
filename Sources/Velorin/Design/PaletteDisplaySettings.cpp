#include "Velorin/Design/PaletteDisplaySettings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>

#include <utility>
#include <vector>

namespace velorin {

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < palette.color(QPalette::WindowText).lightnessF();
}

std::uint32_t accentOf(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Highlight).rgb() & 0xFFFFFF;
}

class PaletteDisplaySettings::PaletteWatcher final : public QObject {
public:
    explicit PaletteWatcher(PaletteDisplaySettings& owner) : owner_(owner) {
        if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
            owner_.readPalette();
        return QObject::eventFilter(watched, event);
    }

private:
    PaletteDisplaySettings& owner_;
};

PaletteDisplaySettings::PaletteDisplaySettings() : watcher_(std::make_unique<PaletteWatcher>(*this)) {
    const QPalette palette = QGuiApplication::palette();
    dark_ = isDarkPalette(palette);
    accent_ = accentOf(palette);
}

PaletteDisplaySettings::~PaletteDisplaySettings() = default;

ObserverToken PaletteDisplaySettings::addObserver(Observer observer) {
    const ObserverToken token = next_++;
    observers_.emplace(token, std::make_shared<Observer>(std::move(observer)));
    return token;
}

void PaletteDisplaySettings::removeObserver(ObserverToken token) { observers_.erase(token); }

void PaletteDisplaySettings::readPalette() {
    const QPalette palette = QGuiApplication::palette();
    const bool dark = isDarkPalette(palette);
    const std::uint32_t accent = accentOf(palette);
    if (dark == dark_ && accent == accent_) return;
    dark_ = dark;
    accent_ = accent;
    // Observers may come and go while being told.
    const std::vector<std::pair<ObserverToken, std::shared_ptr<Observer>>> told(observers_.begin(), observers_.end());
    for (const auto& [token, observer] : told)
        if (observers_.count(token)) (*observer)();
}

}  // namespace velorin
