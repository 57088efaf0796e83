#include "Config/ConfigStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace velorin {
namespace fs = std::filesystem;

namespace {

std::int64_t systemSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();  // truncates toward zero
}

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir) {
        return found->pw_dir;
    }
    return fs::current_path();  // no home at all: the configuration stays beside the process
}

}  // namespace

ConfigStore::ConfigStore(fs::path url, Clock clock) : url_(std::move(url)), clock_(std::move(clock)) {}

fs::path ConfigStore::applicationSupportFolder() {
    // Only an absolute path counts; a relative one is ignored as the base directory rules say.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) return xdg;
    return homeFolder() / ".config";
}

ConfigStore ConfigStore::standard() { return ConfigStore(applicationSupportFolder() / "Velorin" / "config.json"); }

std::int64_t ConfigStore::now() const { return clock_ ? clock_() : systemSeconds(); }

AppConfig ConfigStore::load() {
    guarded_.reset();
    auto read = configfiles::readWhole(url_);
    if (!read.bytes) {
        // Something is there but could not be read (a folder, no permission): keep it from the next save.
        if (read.error != ENOENT) guarded_ = configfiles::identityOf(url_);
        return AppConfig::starter();
    }
    try {
        return AppConfig::decode(*read.bytes);
    } catch (const ConfigDecodeError&) {
        const auto identity = configfiles::identityOf(url_);
        if (!configfiles::moveAside(url_, now())) guarded_ = identity;
        return AppConfig::starter();
    }
}

void ConfigStore::keepGuardedFile() {
    if (configfiles::identityOf(url_) != guarded_) {  // gone or replaced since loading: nothing of it to keep
        guarded_.reset();
        return;
    }
    if (configfiles::moveAside(url_, now())) {
        guarded_.reset();
        return;
    }
    auto read = configfiles::readWhole(url_);
    if (read.bytes && configfiles::keepCopy(url_, *read.bytes, now())) {
        guarded_.reset();
        return;
    }
    throw ConfigStoreError("The settings file \"" + url_.string() +
                           "\" couldn't be read and couldn't be moved aside, so it was left as it is");
}

void ConfigStore::save(const AppConfig& config) {
    configfiles::createFolderFor(url_);
    std::string bytes;
    try {
        bytes = json::dumpPretty(config.toJson());
    } catch (const JsonEncodeError& e) {
        throw ConfigStoreError(e.description());
    } catch (const Json::type_error&) {
        // The writer refuses text that is not UTF-8 (a name taken from raw bytes somewhere).
        throw ConfigStoreError("The settings hold a text that is not valid UTF-8");
    }
    bytes += '\n';
    configfiles::PendingFile pending(url_, bytes);  // the new file is whole before anything old is touched
    if (guarded_) keepGuardedFile();
    pending.commit();
}

}  // namespace velorin
