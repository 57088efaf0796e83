#pragma once
// The few things asked of the file system's manager: well-known folders,
// listing a folder, and the name a file is shown by.

#include <optional>
#include <string>
#include <vector>

namespace velorin {

class FileManager {
public:
    virtual ~FileManager() = default;

    // The user's home folder, an absolute path without a trailing slash.
    virtual std::string homeDirectory() = 0;
    // The folder of per-user application data (Application Support on macOS,
    // $XDG_CONFIG_HOME or ~/.config on Linux); absent when none can be named.
    virtual std::optional<std::string> applicationSupportDirectory() = 0;
    // The names of a folder's entries (top level only, no "." or ".."), in
    // no fixed order; absent when the folder cannot be listed.
    virtual std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& path) = 0;
    // The name the desktop shows for the file at `path`.
    virtual std::string displayName(const std::string& path) = 0;
};

}  // namespace velorin
