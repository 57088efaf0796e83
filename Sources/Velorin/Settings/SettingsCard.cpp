#include "Velorin/Settings/SettingsCard.h"

#include <QVBoxLayout>

#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/ThemedText.h"

namespace velorin {

SettingsCard::SettingsCard(const QString& title, std::string symbol, QWidget* parent)
    : GlassCard(16, 20, ThemeColor::clear(), parent) {
    auto* content = new QWidget(this);
    body_ = new QVBoxLayout(content);
    body_->setContentsMargins(0, 0, 0, 0);
    body_->setSpacing(10);
    auto* heading = new ThemedText(title, Fonts::system(12, QFont::DemiBold), Theme::inkMuted, content);
    heading->setSymbol(std::move(symbol));
    body_->addWidget(heading);
    addContent(content);
}

}  // namespace velorin
