#pragma once
// Pictures the user puts in a folder named after a pack ("Velorin/PackArt/<pack
// id>" beside the configuration) decorate that pack's card. Only the folder's
// top level is read, once per pack and run: what is added or changed later is
// seen after a restart. Nothing here ever writes there. Main thread only.

#include <QImage>
#include <QSize>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace velorin {

// One folder of packs' pictures and what was read from it.
class PackArtLibrary {
public:
    // Pictures larger than this are scaled down once, as they are read, so
    // that cards never scale a photo when they paint.
    static constexpr QSize largest{1200, 1200};

    // `folder` absent: no pack has pictures.
    explicit PackArtLibrary(std::optional<std::string> folder);

    const std::optional<std::string>& folder() const { return folder_; }

    // The pack's pictures in file-name order; read on the first call, then
    // kept (an empty list too). Files that don't read as images are left out.
    const std::vector<QImage>& images(const std::string& packId);

    // The entries that count as pictures (jpg, jpeg, png, webp, heic in any
    // letter case), sorted by their names' code points after canonical
    // normalisation: "B.jpg" before "a.jpg", "10.jpg" before "9.jpg".
    static std::vector<std::string> pictureNames(std::vector<std::string> entries);
    static bool isPictureName(const std::string& name);

    // "Velorin/PackArt" in the file manager's application data folder.
    static std::optional<std::string> standardFolder();

private:
    static std::optional<QImage> load(const std::string& path);

    std::optional<std::string> folder_;
    std::unordered_map<std::string, std::vector<QImage>> cache_;
};

// The running app's pictures, from the standard folder (named on first use).
struct PackArt {
    PackArt() = delete;

    static const std::vector<QImage>& images(const std::string& packId);
    static PackArtLibrary& library();
};

}  // namespace velorin
