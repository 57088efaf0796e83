#include "Velorin/Packs/ScopeLabel.h"

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Velorin/Packs/PackCardRules.h"

#include <QHBoxLayout>
#include <QPainter>

#include "Velorin/AppLookups.h"
#include "Velorin/Design/AppBadge.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Packs/ThemedLabel.h"

namespace velorin {

namespace {
constexpr double fontPoints = 11;
constexpr int leadingPadding = 3;
constexpr int trailingPadding = 8;
constexpr int verticalPadding = 2;
constexpr int spacing = 6;
}  // namespace

ScopeLabel::ScopeLabel(std::vector<std::string> apps, int maxIcons, QWidget* parent)
    : ScopeLabel(std::move(apps), maxIcons, AppDirectory::system(), appLookup(), parent) {}

ScopeLabel::ScopeLabel(std::vector<std::string> apps, int maxIcons, AppDirectory directory, AppLookup lookup,
                       QWidget* parent)
    : QWidget(parent),
      apps_(std::move(apps)),
      maxIcons_(maxIcons),
      directory_(std::move(directory)),
      lookup_(std::move(lookup)),
      display_([this] { update(); }) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);

    row_ = new QHBoxLayout(this);
    row_->setSizeConstraint(QLayout::SetMinimumSize);
    row_->setSpacing(spacing);

    everywhere_ = new Chip(QStringLiteral("Everywhere"), std::string("globe"), Theme::inkFaint, Theme::inkMuted, this);
    everywhere_->setObjectName(QStringLiteral("scopeLabel.everywhere"));
    row_->addWidget(everywhere_);

    badges_ = new QHBoxLayout;
    badges_->setSpacing(-badgeOverlap);
    row_->addLayout(badges_);

    text_ = new ThemedLabel(QString(), Fonts::system(fontPoints, QFont::DemiBold), Theme::inkMuted, this);
    text_->setObjectName(QStringLiteral("scopeLabel.text"));
    text_->setWordWrap(false);
    row_->addWidget(text_);

    rebuild();
}

void ScopeLabel::setApps(std::vector<std::string> apps) {
    if (apps == apps_) return;
    apps_ = std::move(apps);
    rebuild();
}

std::vector<std::string> ScopeLabel::shownApps() const {
    return ScopeLabelRules::shownApps(apps_, maxIcons_, directory_);
}

QString ScopeLabel::text() const { return isEverywhere() ? QString() : text_->text(); }

void ScopeLabel::rebuild() {
    const bool everywhere = isEverywhere();
    everywhere_->setVisible(everywhere);
    text_->setVisible(!everywhere);
    // The chip draws its own capsule; the badge row draws on ours.
    if (everywhere) row_->setContentsMargins(0, 0, 0, 0);
    else row_->setContentsMargins(leadingPadding, verticalPadding, trailingPadding, verticalPadding);

    const std::vector<std::string> shown = everywhere ? std::vector<std::string>{} : shownApps();
    // Badges are kept and given new apps; only the surplus is made or dropped.
    while (badgeViews_.size() > shown.size()) {
        AppBadge* badge = badgeViews_.back();
        badgeViews_.pop_back();
        badges_->removeWidget(badge);
        badge->hide();
        badge->deleteLater();
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i == badgeViews_.size()) {
            auto* badge = new AppBadge(lookup_, shown[i], badgePoints, this);
            badge->setObjectName(QStringLiteral("scopeLabel.badge"));
            badges_->addWidget(badge);
            badge->show();  // at once, not on the layout's next turn
            badgeViews_.push_back(badge);
        } else {
            badgeViews_[i]->setBundleID(shown[i]);
        }
    }

    if (!everywhere) text_->setTextIfChanged(QString::fromStdString(ScopeLabelRules::text(apps_, maxIcons_, directory_)));
    setToolTip(QString::fromStdString(ScopeLabelRules::tooltip(apps_, directory_)));
    updateGeometry();
    update();
}

void ScopeLabel::paintEvent(QPaintEvent*) {
    if (isEverywhere()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousCapsule(QRectF(rect())), Theme::inkFaint.resolve(colorEnvironmentFor(this)));
}

}  // namespace velorin
