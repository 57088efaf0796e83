#include "Platform/Linux/DesktopEntry.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <unistd.h>

namespace velorin::linux_platform {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The escapes of string values: \s \n \t \r \\.
std::string unescapeValue(std::string_view v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size()) {
            const char c = v[++i];
            switch (c) {
                case 's': out += ' '; break;
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case '\\': out += '\\'; break;
                default:
                    out += '\\';
                    out += c;
            }
        } else {
            out += v[i];
        }
    }
    return out;
}

bool isTrue(std::string_view v) { return v == "true"; }

bool isFieldCode(char c) { return std::string_view("fFuUdDnNickvm").find(c) != std::string_view::npos; }

// Whether a ;-separated list value holds `item`.
bool hasListItem(std::string_view list, std::string_view item) {
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        if (list.substr(start, end - start) == item) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::optional<DesktopEntry> parseDesktopEntry(std::string_view text, std::string id, std::string path) {
    DesktopEntry entry;
    entry.id = std::move(id);
    entry.path = std::move(path);
    bool inGroup = false, sawGroup = false;
    std::string type;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const std::string_view line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            sawGroup = sawGroup || inGroup;
            continue;
        }
        if (!inGroup) continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = trim(line.substr(0, eq));
        const std::string value = unescapeValue(trim(line.substr(eq + 1)));
        if (key == "Type") type = value;
        else if (key == "Name") entry.name = value;
        else if (key.starts_with("Name[") && key.ends_with("]") && key.size() > 6)
            entry.localizedNames.emplace_back(key.substr(5, key.size() - 6), value);
        else if (key == "Exec") entry.exec = value;
        else if (key == "Icon") entry.icon = value;
        else if (key == "StartupWMClass") entry.startupWMClass = value;
        else if (key == "NoDisplay") entry.hidden = isTrue(value);
        else if (key == "Hidden") entry.deleted = isTrue(value);
        else if (key == "X-GNOME-Autostart-enabled") entry.autostartOff = value == "false";
        else if (key == "Categories") entry.terminalEmulator = hasListItem(value, "TerminalEmulator");
        else if (key == "TryExec") entry.tryExec = value;
        else if (key == "Path") entry.workingDirectory = value;
        else if (key == "Terminal") entry.terminal = isTrue(value);
        else if (key == "DBusActivatable") entry.dbusActivatable = isTrue(value);
        else if (key == "StartupNotify") entry.startupNotify = isTrue(value);
    }
    if (!sawGroup || type != "Application") return std::nullopt;
    return entry;
}

std::string messagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return {};
}

std::string translatedName(const DesktopEntry& entry, std::string_view locale) {
    // lang_COUNTRY.ENCODING@MODIFIER: the encoding plays no part in the match.
    const std::size_t at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? std::string_view{} : locale.substr(at + 1);
    std::string_view base = locale.substr(0, at);
    base = base.substr(0, base.find('.'));
    const std::size_t underscore = base.find('_');
    const std::string lang(base.substr(0, underscore));
    const std::string country(underscore == std::string_view::npos ? std::string_view{} : base.substr(underscore + 1));
    std::vector<std::string> keys;
    if (!country.empty() && !modifier.empty()) keys.push_back(lang + "_" + country + "@" + std::string(modifier));
    if (!country.empty()) keys.push_back(lang + "_" + country);
    if (!modifier.empty()) keys.push_back(lang + "@" + std::string(modifier));
    keys.push_back(lang);
    for (const auto& key : keys) {
        if (key.empty()) continue;
        for (const auto& [name, value] : entry.localizedNames) {
            if (name == key && !value.empty()) return value;
        }
    }
    return entry.name;
}

std::optional<std::vector<std::string>> execArguments(std::string_view exec, const FieldValues& values) {
    std::vector<std::string> args;
    std::string current;
    bool inWord = false, quoted = false;
    // A word made only of a field code is dropped whole, not left as "".
    bool onlyFieldCodes = true;
    auto finish = [&] {
        if (inWord && !(onlyFieldCodes && current.empty())) args.push_back(current);
        current.clear();
        inWord = false;
        onlyFieldCodes = true;
    };
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size() && std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
                current += exec[++i];
                onlyFieldCodes = false;
            } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
                current += '%';
                ++i;
                onlyFieldCodes = false;
            } else if (c == '%' && i + 1 < exec.size() && isFieldCode(exec[i + 1])) {
                // Field codes have no meaning inside quotes; passing one on as
                // text would hand the app a "%f" it never asked for.
                ++i;
            } else {
                current += c;
                onlyFieldCodes = false;
            }
            continue;
        }
        if (c == ' ' || c == '\t') {
            finish();
            continue;
        }
        inWord = true;
        if (c == '"') {
            quoted = true;
            onlyFieldCodes = false;
        } else if (c == '%' && i + 1 < exec.size()) {
            const char code = exec[++i];
            if (code == '%') {
                current += '%';
                onlyFieldCodes = false;
            } else if (code == 'i') {
                // Two arguments of their own, and only as a word of its own.
                const bool alone = current.empty() && (i + 1 == exec.size() || exec[i + 1] == ' ' || exec[i + 1] == '\t');
                if (alone && !values.icon.empty()) {
                    args.push_back("--icon");
                    args.push_back(values.icon);
                }
            } else if (code == 'c' || code == 'k') {
                const std::string& value = code == 'c' ? values.name : values.location;
                current += value;
                if (!value.empty()) onlyFieldCodes = false;
            }
            // The file and address codes stand for what we never pass, the
            // deprecated ones for nothing: dropped.
        } else {
            current += c;
            onlyFieldCodes = false;
        }
    }
    if (quoted) return std::nullopt;
    finish();
    if (args.empty()) return std::nullopt;
    return args;
}

std::vector<std::string> applicationFolders() {
    std::vector<std::string> folders;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome && *dataHome) {
        folders.push_back(std::string(dataHome) + "/applications");
    } else if (home && *home) {
        folders.push_back(std::string(home) + "/.local/share/applications");
    }
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::string dirs = dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share";
    std::stringstream ss(dirs);
    std::string dir;
    while (std::getline(ss, dir, ':')) {
        if (!dir.empty()) folders.push_back(dir + "/applications");
    }
    return folders;
}

std::string desktopEntryId(const std::string& path, const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    const fs::path file = fs::path(path).lexically_normal();
    for (const auto& folder : folders) {
        const fs::path relative = file.lexically_relative(fs::path(folder).lexically_normal());
        if (relative.empty() || *relative.begin() == "..") continue;
        std::string id = fs::path(relative).replace_extension().string();
        std::replace(id.begin(), id.end(), '/', '-');
        return id;
    }
    return file.stem().string();
}

std::optional<DesktopEntry> readDesktopEntry(const std::string& path, const std::vector<std::string>& folders) {
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return parseDesktopEntry(text.str(), desktopEntryId(path, folders), path);
}

bool isInstalledProgram(const std::string& program) {
    if (program.empty()) return false;
    auto runnable = [](const std::string& p) {
        std::error_code ec;
        return access(p.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(p, ec);
    };
    if (program.find('/') != std::string::npos) return program.front() == '/' && runnable(program);
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path && *path ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (!dir.empty() && runnable(dir + "/" + program)) return true;
    }
    return false;
}

std::optional<EntryLaunch> entryLaunch(const DesktopEntry& entry, const std::vector<std::string>& extra,
                                       const ProgramFinder& installed, const std::string& locale) {
    auto args = execArguments(entry.exec, FieldValues{entry.icon, translatedName(entry, locale), entry.path});
    if (!args) return std::nullopt;
    args->insert(args->end(), extra.begin(), extra.end());
    EntryLaunch launch;
    if (!entry.workingDirectory.empty()) launch.workingDirectory = entry.workingDirectory;
    if (entry.terminal) {
        // The terminal emulators and how each takes the command to run, the
        // desktop's own choice first.
        static const std::pair<const char*, const char*> terminals[] = {
            {"xdg-terminal-exec", nullptr}, {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"},
            {"konsole", "-e"},              {"xfce4-terminal", "-x"},      {"kitty", nullptr},
            {"alacritty", "-e"},            {"xterm", "-e"},
        };
        const auto found = std::find_if(std::begin(terminals), std::end(terminals),
                                        [&](const auto& t) { return installed(t.first); });
        if (found == std::end(terminals)) return std::nullopt;
        launch.program = found->first;
        if (found->second) launch.arguments.push_back(found->second);
        launch.arguments.insert(launch.arguments.end(), args->begin(), args->end());
        return launch;
    }
    launch.program = args->front();
    launch.arguments.assign(args->begin() + 1, args->end());
    return launch;
}

std::vector<DesktopEntry> installedEntries(const std::vector<std::string>& folders, const ProgramFinder& installed) {
    namespace fs = std::filesystem;
    std::vector<DesktopEntry> entries;
    std::set<std::string> seen;
    for (const auto& folder : folders) {
        std::error_code ec;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
        for (; !ec && it != end; it.increment(ec)) {
            if (it->path().extension() != ".desktop" || !it->is_regular_file(ec)) continue;
            const std::string id = desktopEntryId(it->path().string(), {folder});
            if (seen.count(id)) continue;
            auto entry = readDesktopEntry(it->path().string(), {folder});
            if (!entry) continue;
            // Without its TryExec program the entry is not there; a copy
            // further down may still be.
            if (!entry->deleted && !entry->tryExec.empty() && !installed(entry->tryExec)) continue;
            seen.insert(id);
            if (!entry->deleted) entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

}  // namespace velorin::linux_platform
