// The packs tab's costs, offscreen, on the simulated desktop with the real
// application model: building the whole tab with the 36 built-in packs and 20
// packs of the user's own (every app installed, so every card is made), and
// the refilter that one search keystroke costs.
//
//   build/default/bench/PacksBench

#include <benchmark/benchmark.h>

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Config/PackCatalog.h"

#include "AppDesk.h"
#include "Velorin/Packs/PacksTab.h"

using namespace velorin;

namespace {

AppConfig twentyCustomPacks() {
    AppConfig config;
    config.enabledPacks = {"everyday-mac", "safari", "slack"};
    for (int i = 0; i < 20; ++i) {
        Pack pack = Pack::newCustom({"com.example.app" + std::to_string(i)});
        pack.name = "My pack " + std::to_string(i);
        pack.summary = "Shortcuts of my own for app " + std::to_string(i);
        for (int j = 0; j < 6; ++j)
            pack.bindings.push_back(Binding{Uuid::generate(), Gesture::tap(3 + j % 3, 1 + j % 2),
                                            Action::media(MediaKey::playPause), j % 2 == 0, pack.apps, std::nullopt});
        config.customPacks.push_back(pack);
        if (i % 3 == 0) config.enabledPacks.push_back(pack.id);
    }
    return config;
}

// The simulated desktop, a configuration folder and the model on them.
struct Desk : bench::AppDesk {
    Desk() : AppDesk(twentyCustomPacks()) {}
    PacksTabParts parts() const {
        PacksTabParts p;
        p.directory = AppDirectory{[](const std::string&) { return true; },
                                   [](const std::string& id) { return AppDirectory::system().name(id); }};
        p.art = [](const std::string&) { return std::vector<QImage>{}; };
        return p;
    }
};

void BM_BuildPacksTab(benchmark::State& state) {
    Desk desk;
    std::size_t cards = 0;
    for (auto _ : state) {
        auto tab = std::make_unique<PacksTab>(*desk.model, nullptr, desk.parts());
        tab->resize(764, 540);
        tab->show();
        QCoreApplication::sendPostedEvents();
        cards = tab->cards().size();
        benchmark::DoNotOptimize(cards);
        state.PauseTiming();
        tab.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["cards"] = double(cards);
}
BENCHMARK(BM_BuildPacksTab)->Unit(benchmark::kMillisecond);

void BM_SearchKeystroke(benchmark::State& state) {
    Desk desk;
    auto tab = std::make_unique<PacksTab>(*desk.model, nullptr, desk.parts());
    tab->resize(764, 540);
    tab->show();
    QCoreApplication::sendPostedEvents();
    bool longer = false;
    for (auto _ : state) {
        // "s" ⇄ "sl": one letter typed or taken back, the grid refiltered.
        tab->setQuery(longer ? QStringLiteral("s") : QStringLiteral("sl"));
        longer = !longer;
        QCoreApplication::sendPostedEvents();
        benchmark::DoNotOptimize(tab->cards().size());
    }
    tab.reset();
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace
