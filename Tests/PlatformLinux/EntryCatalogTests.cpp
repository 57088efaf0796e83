// The installed entries are read again on the catalog's own thread when a
// folder changes; the caller keeps the last table until a newer one is done.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>

#include <unistd.h>

#include "Platform/Linux/EntryCatalog.h"

using namespace velorin::linux_platform;
namespace fs = std::filesystem;
using Ids = std::vector<std::string>;

namespace {

class EntryCatalogTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder_); }
    void TearDown() override { fs::remove_all(root_); }

    static void write(const fs::path& file, const std::string& name) {
        std::ofstream(file) << "[Desktop Entry]\nType=Application\nName=" << name << "\nExec=" << name << "\n";
    }
    static Ids ids(EntryCatalog& catalog) {
        Ids out;
        const auto entries = catalog.entries();  // held: a newer reading may drop the catalog's own
        for (const auto& e : *entries) out.push_back(e.id);
        std::sort(out.begin(), out.end());
        return out;
    }
    // Until `done`, at most ten seconds: the reading is the catalog thread's.
    static bool eventually(const std::function<bool()>& done) {
        for (int i = 0; i < 1000; ++i) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }

    fs::path root_ = fs::temp_directory_path() / ("velorin-catalog-" + std::to_string(getpid()));
    fs::path folder_ = root_ / "share/applications";
    fs::path ownFolder_ = root_ / "home/.local/share/applications";  // not there at first
};

TEST_F(EntryCatalogTest, changesToTheFoldersAreReadOffTheCallersThread) {
    write(folder_ / "org.example.First.desktop", "First");
    std::mutex mutex;
    std::vector<std::thread::id> readers;
    EntryCatalog catalog({ownFolder_.string(), folder_.string()}, [&](const std::vector<std::string>& folders) {
        {
            std::lock_guard lock(mutex);
            readers.push_back(std::this_thread::get_id());
        }
        return installedEntries(folders);
    });
    EXPECT_EQ(ids(catalog), (Ids{"org.example.First"}));

    struct Step {
        const char* what;
        std::function<void()> change;
        Ids expected;
    };
    const Step steps[] = {
        {"an entry added", [&] { write(folder_ / "org.example.Second.desktop", "Second"); },
         {"org.example.First", "org.example.Second"}},
        {"a subfolder made with an entry in it",
         [&] {
             fs::create_directories(folder_ / "kde4");
             write(folder_ / "kde4/tool.desktop", "Tool");
         },
         {"kde4-tool", "org.example.First", "org.example.Second"}},
        {"an entry added to that subfolder later", [&] { write(folder_ / "kde4/more.desktop", "More"); },
         {"kde4-more", "kde4-tool", "org.example.First", "org.example.Second"}},
        {"an entry removed", [&] { fs::remove(folder_ / "org.example.Second.desktop"); },
         {"kde4-more", "kde4-tool", "org.example.First"}},
        {"an entry written aside and renamed into place",
         [&] {
             write(folder_ / ".org.example.Third.tmp", "Third");
             fs::rename(folder_ / ".org.example.Third.tmp", folder_ / "org.example.Third.desktop");
         },
         {"kde4-more", "kde4-tool", "org.example.First", "org.example.Third"}},
        {"the user's own folder made, with an entry",
         [&] {
             fs::create_directories(ownFolder_);
             write(ownFolder_ / "org.example.Mine.desktop", "Mine");
         },
         {"kde4-more", "kde4-tool", "org.example.First", "org.example.Mine", "org.example.Third"}},
        {"a subfolder removed", [&] { fs::remove_all(folder_ / "kde4"); },
         {"org.example.First", "org.example.Mine", "org.example.Third"}},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_TRUE(eventually([&] { return ids(catalog) == step.expected; })) << step.what;
    }
    std::lock_guard lock(mutex);
    ASSERT_FALSE(readers.empty());
    for (const auto& reader : readers) EXPECT_NE(reader, std::this_thread::get_id());
}

// A reading that a change overtakes never replaces the table: the one after it does.
TEST_F(EntryCatalogTest, aReadingOvertakenByAChangeIsThrownAway) {
    write(folder_ / "org.example.First.desktop", "First");
    std::mutex mutex;
    std::condition_variable moved;
    int started = 0, released = 0;
    bool ending = false;
    EntryCatalog catalog({folder_.string()}, [&](const std::vector<std::string>& folders) {
        auto entries = installedEntries(folders);
        std::unique_lock lock(mutex);
        const int reading = ++started;
        DesktopEntry marker;
        marker.id = "reading-" + std::to_string(reading);
        entries.push_back(marker);
        moved.notify_all();
        moved.wait_for(lock, std::chrono::seconds(10), [&] { return ending || released >= reading; });
        return entries;
    });
    auto reachStarted = [&](int n) {
        std::unique_lock lock(mutex);
        return moved.wait_for(lock, std::chrono::seconds(10), [&] { return started >= n; });
    };
    auto release = [&](int n) {
        std::lock_guard lock(mutex);
        released = n;
        moved.notify_all();
    };

    release(1);
    EXPECT_EQ(ids(catalog), (Ids{"org.example.First", "reading-1"}));

    write(folder_ / "org.example.Second.desktop", "Second");
    ASSERT_TRUE(reachStarted(2));
    // Changed again while the second reading runs.
    write(folder_ / "org.example.Third.desktop", "Third");
    EXPECT_EQ(ids(catalog), (Ids{"org.example.First", "reading-1"})) << "the old table stands meanwhile";
    release(2);
    ASSERT_TRUE(reachStarted(3));
    EXPECT_EQ(ids(catalog), (Ids{"org.example.First", "reading-1"})) << "the overtaken reading was kept";
    release(3);
    EXPECT_TRUE(eventually([&] {
        return ids(catalog) == Ids{"org.example.First", "org.example.Second", "org.example.Third", "reading-3"};
    }));
    {
        std::lock_guard lock(mutex);
        ending = true;
        moved.notify_all();
    }
}

}  // namespace
