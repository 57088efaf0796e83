#include "Platform/Linux/AppIdentity.h"
#include "Platform/Linux/DesktopEntry.h"
#include "Platform/Linux/Translations.h"

#include <gtest/gtest.h>

#include <set>

#include "Config/PackCatalog.h"

#include <filesystem>
#include <fstream>

using namespace velorin::linux_platform;
using Args = std::vector<std::string>;

TEST(DesktopEntry, readsTheDesktopEntryGroupOnly) {
    const char* text =
        "# comment\n[Desktop Entry]\nType=Application\nName=Firefox Web Browser\nName[de]=Firefox-Webbrowser\n"
        "Exec=firefox-esr %u\nIcon=firefox-esr\nStartupWMClass=Firefox-esr\n\n[Desktop Action new-window]\n"
        "Name=New Window\nExec=firefox-esr --new-window %u\n";
    const auto e = parseDesktopEntry(text, "firefox-esr", "/usr/share/applications/firefox-esr.desktop");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->name, "Firefox Web Browser");
    EXPECT_EQ(e->exec, "firefox-esr %u");
    EXPECT_EQ(e->icon, "firefox-esr");
    EXPECT_EQ(e->startupWMClass, "Firefox-esr");
    EXPECT_FALSE(e->hidden);
    EXPECT_FALSE(parseDesktopEntry("[Desktop Entry]\nType=Link\nName=x\n", "x", "x"));
    EXPECT_FALSE(parseDesktopEntry("Name=x\n", "x", "x"));
    EXPECT_TRUE(parseDesktopEntry("[Desktop Entry]\nType=Application\nNoDisplay=true\n", "x", "x")->hidden);
}

TEST(DesktopEntry, execArgumentsDropFieldCodesAndUndoQuoting) {
    const std::pair<const char*, std::optional<Args>> cases[] = {
        {"firefox %u", Args{"firefox"}},
        {"/usr/bin/code --unity-launch %F", Args{"/usr/bin/code", "--unity-launch"}},
        {"app %i %c %k --flag", Args{"app", "--flag"}},
        {"\"/opt/My App/run\" --name \"a b\"", Args{"/opt/My App/run", "--name", "a b"}},
        {"sh -c \"echo \\\"hi\\\" \\$HOME\"", Args{"sh", "-c", "echo \"hi\" $HOME"}},
        {"app 100%%", Args{"app", "100%"}},
        {"app --file=%f", Args{"app", "--file="}},
        {"sh -c \"open %f now\"", Args{"sh", "-c", "open  now"}},
        {"app \"100% sure %%\"", Args{"app", "100% sure %"}},
        {"  spaced   out  ", Args{"spaced", "out"}},
        {"\"open quote", std::nullopt},
        {"", std::nullopt},
        {"%U", std::nullopt},
    };
    for (const auto& [exec, expected] : cases) EXPECT_EQ(execArguments(exec), expected) << exec;
}

TEST(DesktopEntry, iconNameAndLocationCodesAreExpanded) {
    const FieldValues values{"org.example.Probe", "Probe Viewer", "/usr/share/applications/probe.desktop"};
    const std::pair<const char*, std::optional<Args>> cases[] = {
        {"probe %i %c %k --flag",
         Args{"probe", "--icon", "org.example.Probe", "Probe Viewer", "/usr/share/applications/probe.desktop",
              "--flag"}},
        {"probe --name=%c --desktop-file=%k",
         Args{"probe", "--name=Probe Viewer", "--desktop-file=/usr/share/applications/probe.desktop"}},
        {"probe x%i %U", Args{"probe", "x"}},  // %i stands only as a word of its own
        {"probe \"%c\"", Args{"probe", ""}},   // no codes inside quotes
        {"probe %d %D %n %N %v %m", Args{"probe"}},
    };
    for (const auto& [exec, expected] : cases) EXPECT_EQ(execArguments(exec, values), expected) << exec;
    // Nothing to expand to: no argument at all, not an empty one.
    EXPECT_EQ(execArguments("probe %i %c %k", FieldValues{}), (Args{"probe"}));
}

// The name for the user's locale, from the most to the least particular form
// the entry offers; the encoding never takes part.
TEST(DesktopEntry, theNameCodeGivesTheNameOfTheUsersLocale) {
    const auto entry = *parseDesktopEntry(
        "[Desktop Entry]\nType=Application\nName=Files\nName[sr]=Datoteke-sr\nName[sr@latin]=Datoteke\n"
        "Name[sr_RS@latin]=Datoteke RS\nName[pt]=Arquivos PT\nName[pt_BR]=Arquivos\nName[de]=Dateien\n"
        "Name[fr]=\nExec=files --title %c\n",
        "files", "/usr/share/applications/files.desktop");
    const std::pair<const char*, const char*> cases[] = {
        {"sr_RS.UTF-8@latin", "Datoteke RS"},  // lang_COUNTRY@MODIFIER
        {"sr_ME@latin", "Datoteke"},           // lang@MODIFIER before lang
        {"sr_RS", "Datoteke-sr"},              // no modifier asked: never the @latin one
        {"pt_BR.UTF-8", "Arquivos"},           // lang_COUNTRY
        {"pt_PT", "Arquivos PT"},              // lang
        {"de_AT@euro", "Dateien"},
        {"de", "Dateien"},
        {"fr_FR", "Files"},                    // an empty translation is none
        {"ja_JP.UTF-8", "Files"},
        {"C", "Files"},
        {"", "Files"},
    };
    for (const auto& [locale, name] : cases) {
        EXPECT_EQ(translatedName(entry, locale), name) << locale;
        EXPECT_EQ(entryLaunch(entry, {}, isInstalledProgram, locale),
                  (EntryLaunch{"files", {"--title", name}, {}}))
            << locale;
    }
}

TEST(DesktopEntry, aLaunchRunsInTheEntrysFolderAndInATerminalWhenItAsks) {
    auto entry = [](const std::string& body) {
        return *parseDesktopEntry("[Desktop Entry]\nType=Application\nName=Top\nIcon=top\n" + body, "top",
                                  "/usr/share/applications/top.desktop");
    };
    auto only = [](std::set<std::string> installed) {
        return [installed](const std::string& p) { return installed.count(p) > 0; };
    };
    struct Case {
        const char* name;
        DesktopEntry entry;
        ProgramFinder installed;
        std::optional<EntryLaunch> expected;
    };
    const Case cases[] = {
        {"plain", entry("Exec=top -d 1 %i\n"), only({}), EntryLaunch{"top", {"-d", "1", "--icon", "top", "x"}, {}}},
        {"in its folder", entry("Exec=top\nPath=/srv/work\n"), only({}), EntryLaunch{"top", {"x"}, "/srv/work"}},
        {"Debian's terminal", entry("Exec=top -d 1\nTerminal=true\n"), only({"x-terminal-emulator", "xterm"}),
         EntryLaunch{"x-terminal-emulator", {"-e", "top", "-d", "1", "x"}, {}}},
        {"GNOME's terminal", entry("Exec=top\nTerminal=true\n"), only({"gnome-terminal"}),
         EntryLaunch{"gnome-terminal", {"--", "top", "x"}, {}}},
        {"the desktop's own choice", entry("Exec=top\nTerminal=true\n"), only({"xdg-terminal-exec", "xterm"}),
         EntryLaunch{"xdg-terminal-exec", {"top", "x"}, {}}},
        {"no terminal installed", entry("Exec=top\nTerminal=true\n"), only({}), std::nullopt},
        {"malformed", entry("Exec=\"top\n"), only({}), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(entryLaunch(c.entry, {"x"}, c.installed), c.expected) << c.name;
}

TEST(DesktopEntry, idsComeFromTheFolderThatHoldsTheEntry) {
    const std::vector<std::string> folders = {"/home/me/.local/share/applications", "/usr/share/applications/"};
    EXPECT_EQ(desktopEntryId("/usr/share/applications/kde4/dolphin.desktop", folders), "kde4-dolphin");
    EXPECT_EQ(desktopEntryId("/usr/share/applications/org.kde.dolphin.desktop", folders), "org.kde.dolphin");
    EXPECT_EQ(desktopEntryId("/home/me/.local/share/applications/a/b/c.desktop", folders), "a-b-c");
    EXPECT_EQ(desktopEntryId("/opt/app/share/app.desktop", folders), "app");
    EXPECT_EQ(desktopEntryId("/usr/share/applications-extra/x.desktop", folders), "x");
}

// Inputs a fuzz run found: the arguments they give hold no field code.
TEST(DesktopEntry, fuzzedEntriesGiveNoFieldCodes) {
    for (const char* name : {"desktop-entry-quoted-field-codes.bin"}) {
        std::ifstream in(std::string(VELORIN_SOURCE_DIR) + "/Tests/data/fuzz/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto args = execArguments(text);
        ASSERT_TRUE(args) << name;
        for (const auto& arg : *args) {
            for (std::size_t i = 0; i + 1 < arg.size(); ++i) {
                EXPECT_FALSE(arg[i] == '%' && std::string_view("fFuUdDnNickvm").find(arg[i + 1]) != std::string_view::npos)
                    << name << ": " << arg;
            }
        }
    }
}

TEST(DesktopEntry, quotedArgumentsComeBackUnchanged) {
    for (const std::string arg : {"/usr/bin/velorin", "/home/me/My Apps/velorin", "/weird/\"$`\\%/x"}) {
        const std::string line = "[Desktop Entry]\nType=Application\nExec=" + quoteExecArgument(arg) + " --x\n";
        const auto entry = parseDesktopEntry(line, "v", "v");
        ASSERT_TRUE(entry);
        EXPECT_EQ(execArguments(entry->exec), (Args{arg, "--x"})) << arg;
    }
}

TEST(AppIdentity, knownLinuxBuildsReportTheirCounterpartsIdentifier) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"google-chrome", "com.google.Chrome"},  {"Google-chrome", "com.google.Chrome"},
        {"firefox-esr", "org.mozilla.firefox"},   {"code", "com.microsoft.VSCode"},
        {"Slack", "com.tinyspeck.slackmacgap"},  {"spotify", "com.spotify.client"},
        {"org.gnome.gedit", std::nullopt},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(knownBundleIdentifier(name), expected) << name;

    DesktopEntry unknown{"org.gnome.gedit", "/x", "Text Editor", "gedit", "", "", false};
    EXPECT_EQ(bundleIdentifier(unknown), "org.gnome.gedit");
    DesktopEntry byClass{"chrome-beta", "/x", "Chrome", "chrome", "", "Google-chrome", false};
    EXPECT_EQ(bundleIdentifier(byClass), "com.google.Chrome");
}

TEST(AppIdentity, everyCounterpartIsAnAppABuiltInPackNames) {
    std::set<std::string> named;
    for (const auto& pack : velorin::PackCatalog::all()) named.insert(pack.apps.begin(), pack.apps.end());
    for (const auto& id : counterpartIdentifiers()) EXPECT_TRUE(named.count(id)) << id;
}

TEST(AppIdentity, windowsFindTheirEntries) {
    const std::vector<DesktopEntry> entries = {
        {"firefox-esr", "/a", "Firefox", "firefox-esr", "", "Firefox-esr", false},
        {"org.gnome.Nautilus", "/b", "Files", "nautilus", "", "", false},
        {"code", "/c", "Visual Studio Code", "code", "", "", false},
    };
    EXPECT_EQ(entryForWindowClass(entries, "Firefox-esr", "Navigator")->id, "firefox-esr");
    EXPECT_EQ(entryForWindowClass(entries, "Org.gnome.Nautilus", "org.gnome.Nautilus")->id, "org.gnome.Nautilus");
    EXPECT_EQ(entryForWindowClass(entries, "Nautilus", "nautilus")->id, "org.gnome.Nautilus");
    EXPECT_EQ(entryForWindowClass(entries, "Code", "code")->id, "code");
    EXPECT_EQ(entryForWindowClass(entries, "XTerm", "xterm"), nullptr);
    EXPECT_EQ(entryForBundleIdentifier(entries, "com.microsoft.VSCode")->id, "code");
    EXPECT_EQ(entryForBundleIdentifier(entries, "org.gnome.Nautilus")->id, "org.gnome.Nautilus");
}

TEST(DesktopEntry, installedEntriesKeepTheFirstOfEachId) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("velorin-entries-" + std::to_string(::getpid()));
    fs::create_directories(root / "a/kde");
    fs::create_directories(root / "b");
    auto write = [](const fs::path& p, const std::string& name) {
        std::ofstream(p) << "[Desktop Entry]\nType=Application\nName=" << name << "\nExec=x\n";
    };
    write(root / "a/app.desktop", "First");
    write(root / "b/app.desktop", "Second");
    write(root / "a/kde/tool.desktop", "Tool");
    std::ofstream(root / "b/notes.txt") << "not an entry";
    // Deleted by the user in their own folder: gone, the system's copy too.
    std::ofstream(root / "a/removed.desktop") << "[Desktop Entry]\nType=Application\nName=R\nExec=r\nHidden=true\n";
    write(root / "b/removed.desktop", "System copy");
    // Only with its TryExec program installed; without it, a copy further down counts.
    std::ofstream(root / "a/tried.desktop") << "[Desktop Entry]\nType=Application\nName=T\nExec=t\nTryExec=/opt/t/t\n";
    std::ofstream(root / "b/tried.desktop") << "[Desktop Entry]\nType=Application\nName=T2\nExec=t\nTryExec=t\n";
    std::ofstream(root / "a/gone.desktop") << "[Desktop Entry]\nType=Application\nName=G\nExec=g\nTryExec=g\n";
    auto entries = installedEntries({(root / "a").string(), (root / "b").string(), (root / "missing").string()},
                                    [](const std::string& p) { return p == "t"; });
    std::sort(entries.begin(), entries.end(), [](auto& l, auto& r) { return l.id < r.id; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, "app");
    EXPECT_EQ(entries[0].name, "First");
    EXPECT_EQ(entries[1].id, "kde-tool");
    EXPECT_EQ(entries[2].id, "tried");
    EXPECT_EQ(entries[2].name, "T2");
    EXPECT_TRUE(isInstalledProgram("sh"));
    EXPECT_TRUE(isInstalledProgram("/bin/sh"));
    EXPECT_FALSE(isInstalledProgram("velorin-no-such-program"));
    EXPECT_FALSE(isInstalledProgram("bin/sh"));
    fs::remove_all(root);
}
