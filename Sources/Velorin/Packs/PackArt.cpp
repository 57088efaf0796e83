#include "Velorin/Packs/PackArt.h"

#include <QImageReader>
#include <QString>

#include <algorithm>
#include <array>

#include "Platform/FileManager.h"
#include "Platform/Platform.h"

namespace velorin {

namespace {

std::u32string sortKey(const std::string& name) {
    const QList<uint> units = QString::fromStdString(name).normalized(QString::NormalizationForm_C).toUcs4();
    return std::u32string(units.begin(), units.end());
}

std::string lowerExtension(const std::string& name) {
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return {};
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

}  // namespace

PackArtLibrary::PackArtLibrary(std::optional<std::string> folder) : folder_(std::move(folder)) {}

bool PackArtLibrary::isPictureName(const std::string& name) {
    static constexpr std::array<std::string_view, 5> extensions{"jpg", "jpeg", "png", "webp", "heic"};
    const std::string ext = lowerExtension(name);
    return std::find(extensions.begin(), extensions.end(), ext) != extensions.end();
}

std::vector<std::string> PackArtLibrary::pictureNames(std::vector<std::string> entries) {
    std::erase_if(entries, [](const std::string& name) { return !isPictureName(name); });
    std::vector<std::pair<std::u32string, std::string>> keyed;
    keyed.reserve(entries.size());
    for (auto& name : entries) keyed.emplace_back(sortKey(name), std::move(name));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> sorted;
    sorted.reserve(keyed.size());
    for (auto& [key, name] : keyed) sorted.push_back(std::move(name));
    return sorted;
}

std::optional<std::string> PackArtLibrary::standardFolder() {
    const auto support = platform::current().fileManager().applicationSupportDirectory();
    if (!support) return std::nullopt;
    return *support + "/Velorin/PackArt";
}

std::optional<QImage> PackArtLibrary::load(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > largest.width() || size.height() > largest.height())) {
        reader.setScaledSize(size.scaled(largest, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    if (image.width() > largest.width() || image.height() > largest.height()) {
        image = image.scaled(largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const std::vector<QImage>& PackArtLibrary::images(const std::string& packId) {
    if (auto it = cache_.find(packId); it != cache_.end()) return it->second;
    std::vector<QImage> images;
    // An id is one folder name: one that would step out of the folder (read
    // from a hand-edited configuration) has no pictures.
    const bool plainName = !packId.empty() && packId != "." && packId != ".." &&
                           packId.find('/') == std::string::npos && packId.find('\0') == std::string::npos;
    if (folder_ && plainName) {
        const std::string directory = *folder_ + "/" + packId;
        auto entries = platform::current().fileManager().contentsOfDirectory(directory);
        for (const auto& name : pictureNames(entries.value_or(std::vector<std::string>{}))) {
            if (auto image = load(directory + "/" + name)) images.push_back(std::move(*image));
        }
    }
    return cache_.emplace(packId, std::move(images)).first->second;
}

PackArtLibrary& PackArt::library() {
    static PackArtLibrary shared(PackArtLibrary::standardFolder());
    return shared;
}

const std::vector<QImage>& PackArt::images(const std::string& packId) { return library().images(packId); }

}  // namespace velorin
