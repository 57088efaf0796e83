// Cost of resolving the effective bindings, and of loading and saving a large file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "Config/AppConfig.h"
#include "Config/ConfigFiles.h"
#include "Config/ConfigStore.h"
#include "Config/PackCatalog.h"

using namespace velorin;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> someApps{"com.apple.Safari", "com.google.Chrome", "com.figma.Desktop",
                                        "com.microsoft.VSCode", "com.tinyspeck.slackmacgap", "md.obsidian"};

Gesture gestureNumber(std::size_t i) {
    const int n = static_cast<int>(i % 24);
    if (n < 15) return Gesture::tap(1 + n / 3, 1 + n % 3);
    if (n < 20) return Gesture::hold(n - 14);
    return Gesture::cornerTap(Gesture::allCorners[static_cast<std::size_t>(n - 20)]);
}

Action actionNumber(std::size_t i) {
    switch (i % 4) {
        case 0: return Action::keystroke(KeyCombo(static_cast<std::uint16_t>(i % 50), KeyCombo::Modifiers::command));
        case 1: return Action::openApp(someApps[i % someApps.size()], true);
        case 2: return Action::menuItem(MenuCommand({"File", "Export", "Item " + std::to_string(i)}));
        default: return Action::media(MediaKey::playPause);
    }
}

// `count` of the user's own shortcuts: a third for every app, the rest for one or two apps.
std::vector<Binding> ownBindings(std::size_t count) {
    std::vector<Binding> out;
    for (std::size_t i = 0; i < count; ++i) {
        std::vector<std::string> apps;
        if (i % 3 != 0) apps.push_back(someApps[i % someApps.size()]);
        if (i % 3 == 2) apps.push_back(someApps[(i + 1) % someApps.size()]);
        out.push_back(Binding{.id = Uuid::generate(),
                              .gesture = gestureNumber(i),
                              .action = actionNumber(i),
                              .enabled = i % 10 != 9,
                              .apps = std::move(apps),
                              .title = "Shortcut " + std::to_string(i)});
    }
    return out;
}

AppConfig allPacksOn(std::size_t own) {
    AppConfig c = AppConfig::starter();
    c.bindings = ownBindings(own);
    c.enabledPacks.clear();
    for (const Pack& p : PackCatalog::all()) c.enabledPacks.push_back(p.id);
    return c;
}

// As above, with every built-in pack edited to five shortcuts and nine spares for its
// apps, so the figure stands for a full catalog whatever rows it ships with.
AppConfig allPacksOnAndEdited(std::size_t own) {
    AppConfig c = allPacksOn(own);
    for (const Pack& p : PackCatalog::all()) {
        std::vector<Binding> list;
        for (std::size_t k = 0; k < 14; ++k) {
            list.push_back(Binding{.id = PackCatalog::stableId(p.id, static_cast<std::int64_t>(k)),
                                   .gesture = k < 5 ? PackCatalog::slots()[k] : PackCatalog::spare()[(k - 5) % 6],
                                   .action = actionNumber(k),
                                   .enabled = k < 5,
                                   .apps = k == 0 ? std::vector<std::string>{} : p.apps,
                                   .title = "Row " + std::to_string(k)});
        }
        c.setShortcuts(std::move(list), p.id);
    }
    return c;
}

void resolveWith(benchmark::State& state, const AppConfig& config) {
    const std::optional<std::string_view> front =
        state.range(0) == 0 ? std::nullopt : std::optional<std::string_view>("com.apple.Safari");
    for (auto _ : state) {
        auto r = config.resolved(front);
        benchmark::DoNotOptimize(r);
    }
}

void resolveAllPacksOn(benchmark::State& state) { resolveWith(state, allPacksOn(200)); }
BENCHMARK(resolveAllPacksOn)->Arg(0)->Arg(1)->ArgName("safariInFront")->Unit(benchmark::kMicrosecond);

void resolveAllPacksOnAndEdited(benchmark::State& state) { resolveWith(state, allPacksOnAndEdited(200)); }
BENCHMARK(resolveAllPacksOnAndEdited)->Arg(0)->Arg(1)->ArgName("safariInFront")->Unit(benchmark::kMicrosecond);

// A store in a fresh temporary folder, removed afterwards.
struct TemporaryStore {
    fs::path root;
    ConfigStore store;
    TemporaryStore() : root(makeRoot()), store(root / "Velorin" / "config.json") {}
    ~TemporaryStore() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    static fs::path makeRoot() {
        std::string pattern = (fs::temp_directory_path() / "velorin-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        return pattern;
    }
};

AppConfig largeConfig() {
    AppConfig c = allPacksOnAndEdited(1000);
    c.packOverrides.clear();  // a thousand of the user's own shortcuts and nothing else
    return c;
}

void loadAndSave(benchmark::State& state) {
    TemporaryStore t;
    const AppConfig config = largeConfig();
    t.store.save(config);
    state.counters["bytes"] = static_cast<double>(fs::file_size(t.store.url()));
    for (auto _ : state) {
        AppConfig loaded = t.store.load();
        t.store.save(loaded);
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(loadAndSave)->Unit(benchmark::kMillisecond);

void loadOnly(benchmark::State& state) {
    TemporaryStore t;
    t.store.save(largeConfig());
    for (auto _ : state) {
        AppConfig loaded = t.store.load();
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(loadOnly)->Unit(benchmark::kMillisecond);

void saveOnly(benchmark::State& state) {
    TemporaryStore t;
    const AppConfig config = largeConfig();
    for (auto _ : state) t.store.save(config);
}
BENCHMARK(saveOnly)->Unit(benchmark::kMillisecond);

// Where the time of loading and saving goes: the document's text to and from a
// configuration in memory, and the durable replacement of the file (written,
// flushed to disk, renamed over the old one, the folder flushed) with no encoding.
void decodeOnly(benchmark::State& state) {
    const std::string text = json::dumpPretty(largeConfig().toJson());
    for (auto _ : state) {
        AppConfig decoded = AppConfig::decode(text);
        benchmark::DoNotOptimize(decoded);
    }
}
BENCHMARK(decodeOnly)->Unit(benchmark::kMillisecond);

void encodeOnly(benchmark::State& state) {
    const AppConfig config = largeConfig();
    for (auto _ : state) {
        std::string text = json::dumpPretty(config.toJson());
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(encodeOnly)->Unit(benchmark::kMillisecond);

void replaceFileOnly(benchmark::State& state) {
    TemporaryStore t;
    const std::string text = json::dumpPretty(largeConfig().toJson());
    configfiles::createFolderFor(t.store.url());
    for (auto _ : state) {
        configfiles::PendingFile pending(t.store.url(), text);
        pending.commit();
    }
}
BENCHMARK(replaceFileOnly)->Unit(benchmark::kMillisecond);

}  // namespace
