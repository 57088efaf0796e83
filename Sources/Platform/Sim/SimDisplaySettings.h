#pragma once
// Simulated display settings: light appearance, no reduced motion or
// transparency, the blue accent 0x007AFF. Setting a different value tells the
// observers at once.

#include "Platform/DisplaySettings.h"

#include <map>
#include <memory>
#include <vector>

namespace velorin::sim {

// Main thread only, like the settings it stands for.
class SimDisplaySettings : public DisplaySettings {
public:
    bool reduceMotion() override { return reduceMotion_; }
    bool reduceTransparency() override { return reduceTransparency_; }
    bool darkAppearance() override { return dark_; }
    std::uint32_t accentColor() override { return accent_; }
    ObserverToken addObserver(Observer observer) override {
        const ObserverToken token = nextToken_++;
        observers_.emplace(token, std::make_shared<Observer>(std::move(observer)));
        return token;
    }
    void removeObserver(ObserverToken token) override { observers_.erase(token); }

    // The test side.
    void setReduceMotion(bool on) { change(reduceMotion_, on); }
    void setReduceTransparency(bool on) { change(reduceTransparency_, on); }
    void setDarkAppearance(bool on) { change(dark_, on); }
    void setAccentColor(std::uint32_t rgb) { change(accent_, rgb); }

private:
    template <typename T>
    void change(T& field, T value) {
        if (field == value) return;
        field = value;
        std::vector<std::pair<ObserverToken, std::shared_ptr<Observer>>> told(observers_.begin(), observers_.end());
        for (const auto& [token, observer] : told) {
            if (observers_.count(token)) (*observer)();
        }
    }

    bool reduceMotion_ = false;
    bool reduceTransparency_ = false;
    bool dark_ = false;
    std::uint32_t accent_ = 0x007AFF;
    std::map<ObserverToken, std::shared_ptr<Observer>> observers_;
    ObserverToken nextToken_ = 1;
};

}  // namespace velorin::sim
