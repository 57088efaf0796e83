#include "Config/ConfigFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "Config/ConfigStoreError.h"

namespace velorin::configfiles {
namespace fs = std::filesystem;

namespace {

std::string reason(int error) { return std::generic_category().message(error); }

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// Writes all of `bytes`, riding over short writes and interruptions; gives errno or 0.
int writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // durability of the rename; the file itself is already whole
    ::close(fd);
}

// Moves without replacing: renameat2 where the file system offers it, otherwise a
// hard link (which refuses an existing name) followed by removing the old name.
// Gives 0, EEXIST for a taken name, or another errno.
int moveNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != ENOTSUP) return error;
    if (::link(from.c_str(), to.c_str()) != 0) return errno;
    if (::unlink(from.c_str()) != 0) {
        const int unlinkError = errno;
        ::unlink(to.c_str());
        return unlinkError;
    }
    return 0;
}

}  // namespace

std::optional<FileIdentity> identityOf(const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

ReadResult readWhole(const fs::path& path) {
    // Non-blocking open, so that a pipe put in the file's place cannot hang the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {std::nullopt, errno};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return {std::nullopt, error};
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return {std::nullopt, S_ISDIR(st.st_mode) ? EISDIR : EINVAL};
    }
    std::string bytes;
    if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return {std::nullopt, error};
        }
        if (n == 0) break;
        bytes.append(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    return {std::move(bytes), 0};
}

fs::path asideName(const fs::path& file, std::int64_t seconds, int attempt) {
    std::string name = file.stem().string() + ".corrupt-" + std::to_string(seconds);
    if (attempt > 0) name += "-" + std::to_string(attempt);
    name += ".json";
    return file.parent_path() / name;
}

std::optional<fs::path> moveAside(const fs::path& file, std::int64_t seconds) {
    for (int attempt = 0; attempt < maxAsideAttempts; ++attempt) {
        const fs::path to = asideName(file, seconds, attempt);
        const int error = moveNoReplace(file, to);
        if (error == 0) return to;
        if (error != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<fs::path> keepCopy(const fs::path& file, std::string_view bytes, std::int64_t seconds) {
    for (int attempt = 0; attempt < maxAsideAttempts; ++attempt) {
        const fs::path to = asideName(file, seconds, attempt);
        const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return std::nullopt;
        }
        const bool written = writeAll(fd, bytes) == 0 && ::fsync(fd) == 0;
        const bool closed = ::close(fd) == 0;
        if (written && closed) {
            syncFolder(file.parent_path());
            return to;
        }
        ::unlink(to.c_str());
        return std::nullopt;
    }
    return std::nullopt;
}

void createFolderFor(const fs::path& target) {
    const fs::path folder = target.parent_path();
    if (folder.empty()) return;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw ConfigStoreError("Couldn't create the folder " + quoted(folder) + ": " + ec.message());
}

PendingFile::PendingFile(const fs::path& target, std::string_view bytes) : target_(target) {
    const fs::path folder = target.parent_path();
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        throw ConfigStoreError("Couldn't write a new file in the folder " + quoted(folder.empty() ? "." : folder) +
                               ": " + reason(errno));
    }
    temporary_ = pattern;

    // Keep the permissions the user gave the old file, but always let its owner read and
    // write it (an old file we could not read must not make the new one unreadable too).
    // A new file, also one that takes the place of something that was not a file, is
    // readable by all and writable by its owner.
    struct stat old {};
    const bool oldFile = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t mode = oldFile ? ((old.st_mode & 07777) | 0600) : 0644;
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    if (error == 0) error = writeAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(temporary_.c_str());
        throw ConfigStoreError("Couldn't write " + quoted(target) + ": " + reason(error));
    }
}

PendingFile::~PendingFile() {
    if (!committed_) ::unlink(temporary_.c_str());
}

void PendingFile::commit() {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        throw ConfigStoreError("Couldn't replace " + quoted(target_) + ": " + reason(error));
    }
    committed_ = true;
    syncFolder(target_.parent_path());
}

}  // namespace velorin::configfiles
