#pragma once
// The installed desktop entries, kept up to date off the main thread: a thread
// of the catalog's own watches the applications folders (and the folders
// inside them) and reads every entry again when one of them changes, so that
// installing or removing an app is seen without the main thread ever parsing
// a file. Until a new reading is done the last one stands; a reading that a
// further change overtook is thrown away and done again.

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Linux/DesktopEntry.h"

namespace velorin::linux_platform {

class EntryCatalog {
public:
    // How the folders are read; run on the catalog's thread only.
    using Reader = std::function<std::vector<DesktopEntry>(const std::vector<std::string>& folders)>;
    using Entries = std::shared_ptr<const std::vector<DesktopEntry>>;

    // Starts reading at once. `folders` as for installedEntries; the default
    // reader is installedEntries itself.
    explicit EntryCatalog(std::vector<std::string> folders, Reader reader = {});
    ~EntryCatalog();
    EntryCatalog(const EntryCatalog&) = delete;
    EntryCatalog& operator=(const EntryCatalog&) = delete;

    // The entries of the latest reading that no change overtook. The first
    // call waits for the first reading. Safe from any thread; the snapshot
    // stays valid however many readings come after it.
    Entries entries();

private:
    void run();
    // Waits up to `timeoutMs` (-1: for as long as it takes) for news of the
    // folders and takes all there is; whether any of it changes the entries.
    bool takeChanges(int timeoutMs);
    void watchFolders();

    struct Watch {
        std::string path;
        bool folder = false;  // one of the folders, or a folder inside one
        // For folders that do not exist yet: the names, inside this existing
        // folder on their way, whose arrival matters.
        std::set<std::string> awaited;
        bool operator==(const Watch&) const = default;
    };
    std::map<std::string, Watch> wantedWatches() const;  // by path
    void setWatches(const std::map<std::string, Watch>& wanted);

    const std::vector<std::string> folders_;
    const Reader reader_;
    int inotify_ = -1;
    int wake_ = -1;
    std::map<int, Watch> watches_;  // by watch descriptor; the catalog's thread only

    std::mutex mutex_;
    std::condition_variable published_;
    Entries latest_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace velorin::linux_platform
