#pragma once
// Reads and writes the configuration document as one file.
//
// Loading never fails and never writes a configuration: a missing or unreadable
// file gives the starter configuration, and a file that does not decode is moved
// aside (beside it, as "config.corrupt-<unix seconds>.json", with a counter when
// that name is taken; nothing is ever replaced) before the starter is used.
// Saving writes the whole document atomically: a temporary file in the same
// folder, flushed to disk, renamed over the old one.
//
// What was at the path and could not be used is never destroyed by a later save:
// when loading could neither read it nor move it aside, the store remembers that
// file, and the next save first moves it aside (or, failing that, keeps a copy of
// its bytes under the aside name), and refuses to write when it can do neither.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "Config/AppConfig.h"
#include "Config/ConfigFiles.h"
#include "Config/ConfigStoreError.h"

namespace velorin {

class ConfigStore {
public:
    // Whole seconds since 1970 (UTC), for the names of moved-aside files.
    using Clock = std::function<std::int64_t()>;

    explicit ConfigStore(std::filesystem::path url, Clock clock = {});

    // "Velorin/config.json" in the folder that stands for Application Support.
    static ConfigStore standard();
    // $XDG_CONFIG_HOME when it is set to an absolute path, otherwise ~/.config.
    static std::filesystem::path applicationSupportFolder();

    const std::filesystem::path& url() const { return url_; }

    AppConfig load();
    // Throws ConfigStoreError; the old file is untouched when it does.
    void save(const AppConfig& config);

private:
    std::int64_t now() const;
    void keepGuardedFile();

    std::filesystem::path url_;
    Clock clock_;
    // The file at `url_` that loading could not use and could not move aside.
    std::optional<configfiles::FileIdentity> guarded_;
};

}  // namespace velorin
