#include "Platform/Linux/LinuxLoginItems.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "Platform/Linux/Translations.h"

namespace velorin::linux_platform {
namespace {

std::string defaultFolder() {
    if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && *c) return std::string(c) + "/autostart";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/autostart";
}

std::string ownExecutable() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("velorin") : p.string();
}

}  // namespace

std::string autostartProgram(const std::string& running, const std::vector<std::string>& applicationFolders,
                             const ProgramFinder& installed) {
    for (const auto& folder : applicationFolders) {
        std::error_code ec;
        const std::string path = folder + "/velorin.desktop";
        if (!std::filesystem::is_regular_file(path, ec)) continue;
        const auto entry = readDesktopEntry(path, applicationFolders);
        if (!entry) continue;
        // The user removed the app from the menus: nothing installed counts.
        if (entry->deleted) break;
        const auto arguments = execArguments(entry->exec);
        if (arguments && !arguments->empty() && installed(arguments->front())) return arguments->front();
    }
    return running;
}

LinuxLoginItems::LinuxLoginItems(std::string autostartFolder, std::string executable)
    : folder_(autostartFolder.empty() ? defaultFolder() : std::move(autostartFolder)),
      entryPath_(folder_ + "/velorin.desktop"),
      executable_(std::move(executable)) {}

LoginItemStatus LinuxLoginItems::status() {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(entryPath_, ec)) return LoginItemStatus::notRegistered;
    // The desktop's session settings switch an autostart entry off by marking it.
    std::ifstream in(entryPath_);
    std::stringstream text;
    text << in.rdbuf();
    const auto entry = parseDesktopEntry(text.str(), "velorin", entryPath_);
    if (!entry || entry->deleted || entry->autostartOff) return LoginItemStatus::notRegistered;
    return LoginItemStatus::enabled;
}

void LinuxLoginItems::registerMainApp() {
    const std::string program =
        executable_.empty() ? autostartProgram(ownExecutable(), applicationFolders()) : executable_;
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (ec) throw LoginItemError("Couldn't create " + folder_ + ": " + ec.message());
    const std::string temp = entryPath_ + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        out << "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Velorin\n"
               "Comment=Touchpad shortcuts\n"
               "Exec="
            << quoteExecArgument(program)
            << "\n"
               "Icon=velorin\n"
               "Terminal=false\n"
               "X-GNOME-Autostart-enabled=true\n";
        out.flush();
        if (!out) {
            std::filesystem::remove(temp, ec);
            throw LoginItemError("Couldn't write " + entryPath_);
        }
    }
    std::filesystem::rename(temp, entryPath_, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw LoginItemError("Couldn't write " + entryPath_ + ": " + ec.message());
    }
}

void LinuxLoginItems::unregisterMainApp() {
    std::error_code ec;
    if (!std::filesystem::exists(entryPath_, ec)) return;
    std::filesystem::remove(entryPath_, ec);
    if (ec) throw LoginItemError("Couldn't remove " + entryPath_ + ": " + ec.message());
}

}  // namespace velorin::linux_platform
