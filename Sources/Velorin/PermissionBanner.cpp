#include "Velorin/PermissionBanner.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Actions/Permissions.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/ThemedText.h"

namespace velorin {

PermissionBanner::PermissionBanner(AppModel& model, QWidget* parent)
    : GlassCard(16, 20, Theme::warning.opacity(0.08), parent), model_(model) {
    setObjectName("permissionBanner");
    auto* content = new QWidget(this);
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(new SymbolTile("exclamationmark.triangle.fill", true, 38, content), 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    column->addWidget(new ThemedText(title, Fonts::rounded(15, QFont::Bold), Theme::ink, content));
    auto* text = new ThemedText(message, Fonts::system(12.5), Theme::inkMuted, content);
    text->setWrapping(true);
    column->addWidget(text);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto* request = new PillButton("Request Access", true, content);
    request->setObjectName("permission.request");
    auto* settings = new PillButton("Open System Settings", false, content);
    settings->setObjectName("permission.openSettings");
    buttons->addWidget(request);
    buttons->addWidget(settings);
    buttons->addStretch();
    column->addLayout(buttons);
    row->addLayout(column, 1);
    addContent(content);

    request_ = request;
    settings_ = settings;
    connect(request, &QAbstractButton::clicked, this, [this] {
        // The prompt's own answer is not used: the engine reads the trust again.
        Permissions::requestAccessibility();
        model_.engine().refreshPermissions();
    });
    connect(settings, &QAbstractButton::clicked, this, [] { Permissions::openAccessibilitySettings(); });
}

}  // namespace velorin
