#include "Platform/Linux/IconTheme.h"

#include <filesystem>

#include <QBuffer>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

namespace velorin::linux_platform {
namespace fs = std::filesystem;

namespace {

QStringList qtList(const std::vector<std::string>& folders) {
    QStringList out;
    for (const auto& f : folders) out << QString::fromStdString(f);
    return out;
}

// Qt's icon loader reads its folders and theme from process-wide settings:
// they are set only when they differ, since each change empties its caches.
void pointQtAt(const IconSearch& search) {
    QStringList themes = qtList(search.themeFolders);
    // The application's own resources stay searchable.
    for (const QString& path : QIcon::themeSearchPaths()) {
        if (path.startsWith(QLatin1Char(':')) && !themes.contains(path)) themes << path;
    }
    if (QIcon::themeSearchPaths() != themes) QIcon::setThemeSearchPaths(themes);
    const QStringList pixmaps = qtList(search.pixmapFolders);
    if (QIcon::fallbackSearchPaths() != pixmaps) QIcon::setFallbackSearchPaths(pixmaps);
    const QString theme = QString::fromStdString(search.theme);
    if (QIcon::themeName() != theme) QIcon::setThemeName(theme);
}

}  // namespace

IconSearch IconSearch::forSession(const std::vector<std::string>& dataFolders, const std::string& home,
                                  std::string theme) {
    IconSearch search;
    if (!home.empty()) search.themeFolders.push_back((fs::path(home) / ".icons").string());
    for (const auto& data : dataFolders) {
        search.themeFolders.push_back((fs::path(data) / "icons").string());
        search.pixmapFolders.push_back((fs::path(data) / "pixmaps").string());
    }
    search.theme = std::move(theme);
    return search;
}

std::string IconSearch::currentTheme() {
    const QString theme = QIcon::themeName();
    return theme.isEmpty() ? std::string("hicolor") : theme.toStdString();
}

std::optional<Icon> findIcon(const std::string& icon, const IconSearch& search, int pixels) {
    if (icon.empty()) return std::nullopt;
    std::error_code ec;
    if (icon.front() == '/') return fs::is_regular_file(icon, ec) ? std::optional(Icon{icon, {}}) : std::nullopt;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return std::nullopt;
    pointQtAt(search);
    const QString name = QString::fromStdString(icon);
    if (!QIcon::hasThemeIcon(name)) return std::nullopt;
    const QPixmap picture = QIcon::fromTheme(name).pixmap(QSize(pixels, pixels));
    if (picture.isNull()) return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return std::nullopt;
    return Icon{{}, std::vector<std::uint8_t>(png.begin(), png.end())};
}

}  // namespace velorin::linux_platform
