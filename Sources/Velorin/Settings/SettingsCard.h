#pragma once
// The card every group of a settings tab sits in: a clear glass card (16
// points of padding, corner radius 20) holding a column, 10 points apart, of
// its title with its symbol (12 points, semibold, muted) and its content.

#include <QString>

#include <string>

#include "Velorin/Design/GlassCard.h"

class QVBoxLayout;

namespace velorin {

class SettingsCard : public GlassCard {
    Q_OBJECT
public:
    SettingsCard(const QString& title, std::string symbol, QWidget* parent = nullptr);

    // The column under the title, for the card's content.
    QVBoxLayout* body() const { return body_; }

private:
    QVBoxLayout* body_ = nullptr;
};

}  // namespace velorin
