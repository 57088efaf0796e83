#include "Config/ConfigStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "Config/ConfigFiles.h"
#include "ConfigTestSupport.h"

using namespace velorin;
namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kNow = 1700000000;

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeText(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

// Names in a folder, sorted.
std::set<std::string> entries(const fs::path& folder) {
    std::set<std::string> out;
    if (!fs::exists(folder)) return out;
    for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename().string());
    return out;
}

const AppConfig& edited() {
    static const AppConfig c = [] {
        AppConfig c = AppConfig::starter();
        c.bindings = {fixtures::binding(Gesture::tap(3, 2), fixtures::press(8), {"com.apple.Safari"})};
        c.setPack("safari", true);
        c.recognizer.maxTravel = 0.04f;
        return c;
    }();
    return c;
}

class ConfigStoreFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velorin-store-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        folder = root / "Velorin";
        file = folder / "config.json";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }
    ConfigStore store() {
        return ConfigStore(file, [this] { return now; });
    }
    fs::path aside(int attempt = 0) const { return configfiles::asideName(file, now, attempt); }

    fs::path root, folder, file;
    std::int64_t now = kNow;
};

}  // namespace

TEST_F(ConfigStoreFixture, missingFolderLoadsTheStarterAndCreatesNothingUntilSaved) {
    ConfigStore s = store();
    EXPECT_EQ(s.load(), AppConfig::starter());
    EXPECT_FALSE(fs::exists(folder));
    s.save(edited());
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(entries(folder), std::set<std::string>{"config.json"});  // no temporary file left
    EXPECT_EQ(store().load(), edited());
}

TEST_F(ConfigStoreFixture, savedFileIsPrettyWithSortedKeys) {
    store().save(edited());
    const std::string text = readText(file);
    std::vector<std::size_t> at;
    for (const char* key :
         {"\"bindings\"", "\"customPacks\"", "\"enabledPacks\"", "\"isEnabled\"", "\"packOverrides\"",
          "\"recognizer\"", "\"version\""}) {
        at.push_back(text.find(std::string("\n  ") + key));
        EXPECT_NE(at.back(), std::string::npos) << key;
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_NE(text.find("\"maxTravel\": 0.04"), std::string::npos);  // a float keeps its short text
}

TEST_F(ConfigStoreFixture, documentsThatDoNotDecodeAreMovedAsideAndTheStarterUsed) {
    const char* const bad[] = {"null", "", "{\"isEnabled\": \"no\"}", "{\"bindings\": [", "\xff\xfe"};
    for (const char* text : bad) {
        writeText(file, text);
        EXPECT_EQ(store().load(), AppConfig::starter()) << text;
        EXPECT_FALSE(fs::exists(file)) << text;
        EXPECT_EQ(readText(aside()), text);
        fs::remove(aside());
    }
    EXPECT_EQ(aside().filename(), "config.corrupt-1700000000.json");
}

TEST_F(ConfigStoreFixture, emptyObjectIsAValidDocument) {
    writeText(file, "{}");
    EXPECT_EQ(store().load(), AppConfig::decode("{}"));
    EXPECT_EQ(entries(folder), std::set<std::string>{"config.json"});
}

TEST_F(ConfigStoreFixture, loadingWritesNothing) {
    writeText(file, R"({"enabledPacks": ["browser"], "version": 4, "recognizer": {"holdDuration": 1.5}})");
    const std::string before = readText(file);
    const AppConfig c = store().load();
    EXPECT_EQ(c.enabledPacks, (std::vector<std::string>{"chrome", "safari", "dia", "arc", "brave"}));
    EXPECT_EQ(readText(file), before);
}

TEST_F(ConfigStoreFixture, movingAsideNeverReplacesAnEarlierBackup) {
    writeText(aside(0), "first backup");
    writeText(aside(1), "second backup");
    writeText(file, "not json");
    EXPECT_EQ(store().load(), AppConfig::starter());
    EXPECT_EQ(readText(aside(0)), "first backup");
    EXPECT_EQ(readText(aside(1)), "second backup");
    EXPECT_EQ(readText(aside(2)), "not json");
    EXPECT_EQ(aside(2).filename(), "config.corrupt-1700000000-2.json");
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(ConfigStoreFixture, twoFailuresInOneSecondKeepBothFiles) {
    for (const char* text : {"one", "two"}) {
        writeText(file, text);
        store().load();
    }
    EXPECT_EQ(readText(aside(0)), "one");
    EXPECT_EQ(readText(aside(1)), "two");
}

TEST_F(ConfigStoreFixture, corruptFileThatCannotBeMovedAsideIsNeverOverwritten) {
    for (int i = 0; i < configfiles::maxAsideAttempts; ++i) writeText(aside(i), "taken");
    writeText(file, "precious but broken");
    ConfigStore s = store();
    EXPECT_EQ(s.load(), AppConfig::starter());
    EXPECT_EQ(readText(file), "precious but broken");

    // Every name of this second is taken, so there is nowhere to keep it: the save refuses.
    EXPECT_THROW(s.save(edited()), ConfigStoreError);
    EXPECT_EQ(readText(file), "precious but broken");
    EXPECT_EQ(entries(folder).size(), static_cast<std::size_t>(configfiles::maxAsideAttempts) + 1);

    // A second later there is a free name: the old bytes move there, then the new file is written.
    now += 1;
    s.save(edited());
    EXPECT_EQ(readText(aside(0)), "precious but broken");
    EXPECT_EQ(store().load(), edited());
}

TEST_F(ConfigStoreFixture, folderInTheFilesPlaceIsKeptAsideBySave) {
    fs::create_directories(file);
    writeText(file / "notes.txt", "mine");
    ConfigStore s = store();
    EXPECT_EQ(s.load(), AppConfig::starter());
    EXPECT_TRUE(fs::is_directory(file));  // loading moves nothing

    s.save(edited());
    EXPECT_EQ(readText(aside() / "notes.txt"), "mine");
    EXPECT_EQ(store().load(), edited());
    // The new file takes the permissions of a new file, not those of the folder it replaced.
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0644));
}

TEST_F(ConfigStoreFixture, unreadableFileIsKeptAsideBySave) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root from reading";
    writeText(file, R"({"isEnabled": false})");
    fs::permissions(file, fs::perms::none);
    ConfigStore s = store();
    EXPECT_EQ(s.load(), AppConfig::starter());
    s.save(edited());
    fs::permissions(aside(), fs::perms::owner_read);
    EXPECT_EQ(readText(aside()), R"({"isEnabled": false})");
}

TEST_F(ConfigStoreFixture, fileReplacedSinceLoadingIsSimplyOverwritten) {
    fs::create_directories(file);
    ConfigStore s = store();
    s.load();
    // Someone puts a good file there meanwhile (made while the folder still exists, so it is another file).
    writeText(root / "replacement.json", R"({"isEnabled": false})");
    fs::remove(file);
    fs::rename(root / "replacement.json", file);
    s.save(edited());
    EXPECT_FALSE(fs::exists(aside()));
    EXPECT_EQ(store().load(), edited());
}

TEST_F(ConfigStoreFixture, goodFileIsReplacedWithoutABackup) {
    ConfigStore s = store();
    s.save(AppConfig::starter());
    EXPECT_EQ(s.load(), AppConfig::starter());
    s.save(edited());
    EXPECT_EQ(entries(folder), std::set<std::string>{"config.json"});
    EXPECT_EQ(s.load(), edited());
}

TEST_F(ConfigStoreFixture, pathThroughAFileFailsToSaveAndKeepsTheFile) {
    writeText(folder.parent_path() / "Velorin", "a file, not a folder");
    fs::remove_all(folder);
    std::ofstream(folder) << "a file, not a folder";
    ConfigStore s = store();
    EXPECT_EQ(s.load(), AppConfig::starter());
    EXPECT_THROW(s.save(edited()), ConfigStoreError);
    EXPECT_EQ(readText(folder), "a file, not a folder");
}

TEST_F(ConfigStoreFixture, numbersThatAreNotFiniteAreRefusedAndNothingIsWritten) {
    ConfigStore s = store();
    s.save(AppConfig::starter());
    const std::string before = readText(file);
    AppConfig bad = edited();
    bad.recognizer.multiTapInterval = NAN;
    try {
        s.save(bad);
        FAIL() << "saved a NaN";
    } catch (const ConfigStoreError& e) {
        EXPECT_NE(e.description().find("not finite"), std::string::npos) << e.description();
    }
    EXPECT_EQ(readText(file), before);
    EXPECT_EQ(entries(folder), std::set<std::string>{"config.json"});
}

TEST_F(ConfigStoreFixture, textThatIsNotUtf8IsRefusedAndNothingIsWritten) {
    ConfigStore s = store();
    s.save(AppConfig::starter());
    const std::string before = readText(file);
    AppConfig bad = edited();
    bad.bindings[0].title = "caf\xe9";  // Latin-1, not UTF-8
    EXPECT_THROW(s.save(bad), ConfigStoreError);
    EXPECT_EQ(readText(file), before);
    EXPECT_EQ(entries(folder), std::set<std::string>{"config.json"});
}

TEST_F(ConfigStoreFixture, folderIsMadeBeforeTheDocumentIsWritten) {
    // When both the folder and the document fail, the folder's error is the one reported.
    std::ofstream(root / "Velorin") << "a file, not a folder";
    AppConfig bad = edited();
    bad.recognizer.holdDuration = NAN;
    try {
        store().save(bad);
        FAIL() << "saved through a file";
    } catch (const ConfigStoreError& e) {
        EXPECT_NE(e.description().find("Couldn't create the folder"), std::string::npos) << e.description();
    }

    // A missing folder is made even when the document then cannot be written.
    fs::remove(root / "Velorin");
    EXPECT_THROW(store().save(bad), ConfigStoreError);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(entries(folder).empty());
}

TEST_F(ConfigStoreFixture, failedReplaceLeavesNoTemporaryFile) {
    ConfigStore s = store();
    s.load();  // nothing there yet
    fs::create_directories(file / "inside");  // appears after loading, so it is not known to the store
    EXPECT_THROW(s.save(edited()), ConfigStoreError);
    EXPECT_TRUE(fs::is_directory(file / "inside"));
    EXPECT_EQ(entries(folder), std::set<std::string>{"config.json"});
}

TEST_F(ConfigStoreFixture, saveKeepsTheFilesPermissions) {
    ConfigStore s = store();
    s.save(AppConfig::starter());
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0644));
    fs::permissions(file, fs::perms(0600));
    s.save(edited());
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0600));
    fs::permissions(file, fs::perms(0640));
    s.save(edited());
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
    // Its owner can always read and write the new file, whatever the old one allowed.
    for (const auto old : {fs::perms::none, fs::perms(0444), fs::perms(0040)}) {
        fs::permissions(file, old);
        s.save(edited());
        EXPECT_EQ(fs::status(file).permissions(), old | fs::perms(0600));
    }
}

TEST_F(ConfigStoreFixture, keepCopyNeverReplacesAnything) {
    fs::create_directories(folder);
    writeText(aside(0), "older");
    const auto kept = configfiles::keepCopy(file, "bytes", now);
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, aside(1));
    EXPECT_EQ(readText(aside(0)), "older");
    EXPECT_EQ(readText(aside(1)), "bytes");
}

namespace {

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(ConfigStoreLocation, standardPathFollowsTheConfigurationHome) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/conf", "/home/u", "/x/conf/Velorin/config.json"},
        {nullptr, "/home/u", "/home/u/.config/Velorin/config.json"},
        {"", "/home/u", "/home/u/.config/Velorin/config.json"},
        {"relative/conf", "/home/u", "/home/u/.config/Velorin/config.json"},
    };
    for (const auto& c : cases) {
        ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(ConfigStore::standard().url(), fs::path(c.expected)) << (c.xdg ? c.xdg : "(unset)");
    }
}
