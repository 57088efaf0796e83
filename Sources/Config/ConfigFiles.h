#pragma once
// The file work beneath the configuration store: reading a whole file, moving a
// file aside without ever replacing anything, keeping a copy of a file's bytes,
// and replacing a file atomically. Used only inside the Config module.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velorin::configfiles {

// Which file a path named at some moment (device and inode), so that a later
// step can tell whether the same file is still there.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The entry at `path` itself (a symbolic link is not followed); nothing when there is none.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path);

struct ReadResult {
    std::optional<std::string> bytes;  // the whole file, when it could be read
    int error = 0;                     // errno of the failure otherwise
};
ReadResult readWhole(const std::filesystem::path& path);

// The name a file is moved aside to: its name without the extension, ".corrupt-",
// the seconds, and ".json"; from the second attempt on a counter is added before
// ".json" ("config.corrupt-1700000000-1.json").
std::filesystem::path asideName(const std::filesystem::path& file, std::int64_t seconds, int attempt);

// How many names moving aside and keeping a copy try before giving up.
inline constexpr int maxAsideAttempts = 100;

// Moves `file` to the first free aside name in its folder. Never replaces an
// existing entry: a taken name moves on to the next counter. Gives the new path,
// or nothing when the file could not be moved.
std::optional<std::filesystem::path> moveAside(const std::filesystem::path& file, std::int64_t seconds);

// Writes `bytes` into a new file under the first free aside name beside `file`
// (created exclusively, flushed to disk). Gives its path, or nothing on failure.
std::optional<std::filesystem::path> keepCopy(const std::filesystem::path& file, std::string_view bytes,
                                              std::int64_t seconds);

// Creates the folder that holds `target`, with every missing folder above it; an
// existing folder is no error. Throws ConfigStoreError.
void createFolderFor(const std::filesystem::path& target);

// A complete new file beside its target, flushed to disk, not yet in place.
// Dropping it without `commit` removes it.
class PendingFile {
public:
    // Writes the temporary file in the target's folder, which must exist; throws ConfigStoreError.
    PendingFile(const std::filesystem::path& target, std::string_view bytes);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Renames the temporary file over the target in one step; throws ConfigStoreError.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

}  // namespace velorin::configfiles
