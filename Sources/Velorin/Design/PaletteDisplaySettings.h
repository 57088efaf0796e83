#pragma once
// The display settings of a Qt desktop. Qt 6.4 has no hint for the colour
// scheme, so the appearance is read from the application palette (dark when
// its window colour is darker than its text) and the accent from its
// highlight, again whenever the palette changes. Qt offers no way to read
// Reduce Motion or Reduce Transparency: both are off.

#include "Platform/DisplaySettings.h"

#include <QPalette>

#include <map>
#include <memory>

namespace velorin {

// A palette is dark when its window colour is darker than its window text.
bool isDarkPalette(const QPalette& palette);
// The accent colour a palette stands for, 0xRRGGBB: its active highlight.
std::uint32_t accentOf(const QPalette& palette);

// Needs a running Qt GUI application; main thread only.
class PaletteDisplaySettings final : public DisplaySettings {
public:
    PaletteDisplaySettings();
    ~PaletteDisplaySettings() override;

    bool reduceMotion() override { return false; }
    bool reduceTransparency() override { return false; }
    bool darkAppearance() override { return dark_; }
    std::uint32_t accentColor() override { return accent_; }

    ObserverToken addObserver(Observer observer) override;
    void removeObserver(ObserverToken token) override;

private:
    class PaletteWatcher;
    void readPalette();

    bool dark_ = false;
    std::uint32_t accent_ = 0x007AFF;
    std::map<ObserverToken, std::shared_ptr<Observer>> observers_;
    ObserverToken next_ = 1;
    std::unique_ptr<PaletteWatcher> watcher_;
};

}  // namespace velorin
