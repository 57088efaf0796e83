#include "Velorin/Settings/GroupHeading.h"

#include <QHBoxLayout>

#include "Velorin/AppInfo.h"
#include "Velorin/AppLookups.h"
#include "Velorin/Design/AppBadge.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Settings/MyShortcutsRules.h"
#include "Velorin/ThemedText.h"

namespace velorin {

GroupHeading::GroupHeading(std::vector<std::string> apps, QWidget* parent) : QWidget(parent), apps_(std::move(apps)) {
    setObjectName("groupHeading");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 6, 0, 0);
    row->setSpacing(6);
    const QFont font = Fonts::system(12, QFont::DemiBold);
    const QString heading = QString::fromStdString(MyShortcutsRules::headingText(apps_, &AppInfo::name));
    text_ = new ThemedText(heading, font, Theme::inkMuted, this);
    text_->setObjectName("group.text");
    if (apps_.empty()) {
        text_->setSymbol("globe");
    } else {
        auto* badges = new QHBoxLayout;
        badges->setSpacing(badgeSpacing);
        for (const auto& app : MyShortcutsRules::headingBadgeApps(apps_)) {
            auto* badge = new AppBadge(appLookup(), app, badgePoints, this);
            badge->setObjectName("group.badge");
            badges_.push_back(badge);
            badges->addWidget(badge);
        }
        row->addLayout(badges);
    }
    row->addWidget(text_);
    count_label_ = new ThemedText(QString(), font, Theme::inkMuted.opacity(0.7), this);
    count_label_->setObjectName("group.count");
    row->addWidget(count_label_);
    row->addStretch(1);
}

void GroupHeading::setCount(int count) {
    if (count == count_) return;
    count_ = count;
    count_label_->setText(QString::number(count));
}

QString GroupHeading::text() const { return text_->text(); }

}  // namespace velorin
