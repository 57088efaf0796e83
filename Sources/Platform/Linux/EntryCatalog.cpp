#include "Platform/Linux/EntryCatalog.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <set>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace velorin::linux_platform {
namespace fs = std::filesystem;

namespace {

// A folder of entries: what lands in it, leaves it or is written in it, and
// its own end.
constexpr std::uint32_t folderEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
// A folder on the way to one that does not exist yet: only what arrives.
constexpr std::uint32_t awaitingEvents = IN_CREATE | IN_MOVED_TO;

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

EntryCatalog::EntryCatalog(std::vector<std::string> folders, Reader reader)
    : folders_(std::move(folders)),
      reader_(reader ? std::move(reader)
                     : Reader([](const std::vector<std::string>& f) { return installedEntries(f); })),
      inotify_(inotify_init1(IN_CLOEXEC | IN_NONBLOCK)),
      wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    thread_ = std::thread([this] { run(); });
}

EntryCatalog::~EntryCatalog() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    const std::uint64_t one = 1;
    if (wake_ >= 0) (void)!write(wake_, &one, sizeof one);
    thread_.join();
    if (inotify_ >= 0) close(inotify_);
    if (wake_ >= 0) close(wake_);
}

EntryCatalog::Entries EntryCatalog::entries() {
    std::unique_lock lock(mutex_);
    published_.wait(lock, [this] { return latest_ || stopping_; });
    return latest_ ? latest_ : std::make_shared<const std::vector<DesktopEntry>>();
}

void EntryCatalog::run() {
    auto stopping = [this] {
        std::lock_guard lock(mutex_);
        return stopping_;
    };
    for (bool changed = true;; changed = takeChanges(-1)) {
        if (stopping()) return;
        if (!changed) continue;
        // Watched before reading: a change made while the folders are read
        // is heard, and the reading it overtook done again.
        std::vector<DesktopEntry> read;
        do {
            if (stopping()) return;
            if (inotify_ >= 0) watchFolders();
            read = reader_(folders_);
        } while (inotify_ >= 0 && takeChanges(0));
        {
            std::lock_guard lock(mutex_);
            latest_ = std::make_shared<const std::vector<DesktopEntry>>(std::move(read));
        }
        published_.notify_all();
        // Without a way to watch, the first reading is the only one.
        if (inotify_ < 0) return;
    }
}

bool EntryCatalog::takeChanges(int timeoutMs) {
    pollfd fds[2] = {{inotify_, POLLIN, 0}, {wake_, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return false;
    if (fds[1].revents & POLLIN) return false;  // the end: the caller looks
    bool changed = false;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t length = read(inotify_, buffer, sizeof buffer);
        if (length <= 0) break;
        for (const char* p = buffer; p < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            p += sizeof(inotify_event) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                changed = true;
                continue;
            }
            const auto it = watches_.find(event->wd);
            if (it == watches_.end()) continue;
            if (event->mask & IN_IGNORED) {
                watches_.erase(it);
                continue;
            }
            const std::string_view name = event->len ? std::string_view(event->name) : std::string_view{};
            const Watch& watch = it->second;
            if (watch.awaited.count(std::string(name))) changed = true;
            // Entries and folders of entries; an editor's or installer's
            // temporary files are not, until they are renamed into place.
            if (watch.folder && ((event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_ISDIR)) || endsWith(name, ".desktop"))) {
                changed = true;
            }
        }
    }
    return changed;
}

std::map<std::string, EntryCatalog::Watch> EntryCatalog::wantedWatches() const {
    std::map<std::string, Watch> wanted;
    for (const auto& folder : folders_) {
        std::error_code ec;
        if (fs::is_directory(folder, ec)) {
            wanted[folder].folder = true;
            fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
            for (; !ec && it != end; it.increment(ec)) {
                if (it->is_directory(ec)) wanted[it->path().string()].folder = true;
            }
            continue;
        }
        // Not there yet (a user's own folder before the first app installed
        // for them alone): the nearest folder on its way that is, for the
        // next name toward it.
        fs::path missing = fs::path(folder).lexically_normal();
        while (missing.has_relative_path() && !fs::is_directory(missing.parent_path(), ec)) missing = missing.parent_path();
        if (missing.has_relative_path() && missing.has_filename()) {
            wanted[missing.parent_path().string()].awaited.insert(missing.filename().string());
        }
    }
    for (auto& [path, watch] : wanted) watch.path = path;
    return wanted;
}

void EntryCatalog::watchFolders() {
    // A folder made between looking and watching would go unheard: looked at
    // again once watched, until the two agree.
    auto wanted = wantedWatches();
    for (int attempt = 0; attempt < 20; ++attempt) {
        setWatches(wanted);
        auto now = wantedWatches();
        if (now == wanted) return;
        wanted = std::move(now);
    }
}

void EntryCatalog::setWatches(const std::map<std::string, Watch>& wanted) {
    std::map<int, Watch> watches;
    for (const auto& [path, watch] : wanted) {
        const std::uint32_t mask = (watch.folder ? folderEvents : 0) | (watch.awaited.empty() ? 0 : awaitingEvents);
        const int wd = inotify_add_watch(inotify_, path.c_str(), mask);
        if (wd >= 0) watches[wd] = watch;
    }
    for (const auto& [wd, watch] : watches_) {
        if (!watches.count(wd)) inotify_rm_watch(inotify_, wd);
    }
    watches_ = std::move(watches);
}

}  // namespace velorin::linux_platform
