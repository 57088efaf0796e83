#include "Platform/Linux/LinuxBasics.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <pwd.h>
#include <unistd.h>

#include "Platform/Linux/AppIdentity.h"
#include "Platform/Linux/DesktopEntry.h"

namespace velorin::linux_platform {
namespace fs = std::filesystem;

double LinuxClock::systemUptime() const {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

Date LinuxClock::now() const { return std::chrono::time_point_cast<Date::duration>(std::chrono::system_clock::now()); }

std::unique_ptr<Script> LinuxScripting::makeScript(const std::string&) { return nullptr; }

std::string LinuxFileManager::homeDirectory() {
    if (const char* h = std::getenv("HOME"); h && *h) return fs::path(h).lexically_normal().string();
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

std::optional<std::string> LinuxFileManager::applicationSupportDirectory() {
    if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && *c && c[0] == '/') return std::string(c);
    const std::string home = homeDirectory();
    if (home.empty() || home == "/") return std::nullopt;
    return home + "/.config";
}

std::optional<std::vector<std::string>> LinuxFileManager::contentsOfDirectory(const std::string& path) {
    std::error_code ec;
    fs::directory_iterator it(path, ec);
    if (ec) return std::nullopt;
    std::vector<std::string> names;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) return std::nullopt;
        names.push_back(it->path().filename().string());
    }
    return names;
}

std::string LinuxFileManager::displayName(const std::string& path) {
    // A desktop entry is shown by its Name= in the user's language, as its launch names it;
    // anything else by its file name.
    if (fs::path(path).extension() == ".desktop") {
        if (auto e = readDesktopEntry(path, applicationFolders())) {
            if (std::string name = translatedName(*e, messagesLocale()); !name.empty()) return name;
        }
    }
    const auto name = fs::path(path).filename().string();
    return name.empty() ? path : name;
}

namespace {
std::string ownResources() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("Resources") : (exe.parent_path() / "Resources").string();
}
}  // namespace

LinuxBundle::LinuxBundle(std::string resourceFolder)
    : resources_(resourceFolder.empty() ? ownResources() : std::move(resourceFolder)) {}

std::optional<std::string> LinuxBundle::bundleIdentifier() { return std::string("app.velorin.Velorin"); }
std::optional<std::string> LinuxBundle::shortVersion() { return std::string("0.1.0"); }
std::optional<std::string> LinuxBundle::buildVersion() { return std::string("1"); }

std::optional<PropertyValue> LinuxBundle::objectForInfoDictionaryKey(const std::string& key) {
    if (key == "CFBundleIdentifier") return PropertyValue{*bundleIdentifier()};
    if (key == "CFBundleShortVersionString") return PropertyValue{*shortVersion()};
    if (key == "CFBundleVersion") return PropertyValue{*buildVersion()};
    if (key == "CFBundleName") return PropertyValue{std::string("Velorin")};
    // No update feed: the update framework does not exist here.
    return std::nullopt;
}

std::optional<std::string> LinuxBundle::pathForResource(const std::string& name, const std::string& extension,
                                                        const std::string& subdirectory) {
    fs::path p = fs::path(resources_);
    if (!subdirectory.empty()) p /= subdirectory;
    p /= extension.empty() ? name : name + "." + extension;
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    return p.string();
}

std::optional<std::string> LinuxBundle::bundleIdentifierAtPath(const std::string& path) {
    // Apps are desktop entries here.
    if (fs::path(path).extension() != ".desktop") return std::nullopt;
    auto entry = readDesktopEntry(path, applicationFolders());
    if (!entry) return std::nullopt;
    return linux_platform::bundleIdentifier(*entry);
}

}  // namespace velorin::linux_platform
