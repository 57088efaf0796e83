// The settings window's costs, offscreen, on the simulated desktop with the real
// application model and the program's own window content: opening the window
// the first time (building it and its first paint) on the tab it opens on, and
// a tab switch with the frame that shows it.
//
//   build/default/bench/SettingsBench

#include <benchmark/benchmark.h>

#include "AppDesk.h"
#include "Velorin/Design/TabBar.h"
#include "Velorin/Settings/SettingsContent.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/SettingsWindowWidget.h"

using namespace velorin;

namespace {

// The starter configuration: what a first open shows.
struct Desk : bench::AppDesk {
    Desk() : AppDesk(AppConfig::starter()) {}
    std::unique_ptr<SettingsWindowWidget> makeWindow() {
        return std::make_unique<SettingsWindowWidget>(*model, [](AppModel& m, QWidget* parent) -> QWidget* {
            return new SettingsView(m, SettingsContent::standard(), parent);
        });
    }
};

constexpr SettingsTab everyTab[] = {SettingsTab::packs,   SettingsTab::shortcuts, SettingsTab::sensitivity,
                                    SettingsTab::trackpad, SettingsTab::general,   SettingsTab::about};

void BM_FirstOpen(benchmark::State& state) {
    Desk desk;
    const SettingsTab tab = everyTab[state.range(0)];
    for (auto _ : state) {
        desk.model->selectedTab.set(tab);
        auto window = desk.makeWindow();
        window->show();
        QCoreApplication::sendPostedEvents();
        window->repaint();
        state.PauseTiming();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.SetLabel(std::string(TabBar::item(tab).title));
}
// Packs, the tab a first start shows; General, where a start without input access opens.
// The first run is the process's very first window (fonts, symbols and styles not yet
// cached), as the user's first open is; the others are an open after that.
BENCHMARK(BM_FirstOpen)->Name("BM_FirstOpen/cold")->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstOpen)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_TabSwitch(benchmark::State& state) {
    Desk desk;
    auto window = desk.makeWindow();
    window->show();
    QCoreApplication::sendPostedEvents();
    window->repaint();
    std::size_t next = 0;
    for (auto _ : state) {
        // Round the six tabs: each switch builds the tab it shows and paints it.
        next = (next + 1) % std::size(everyTab);
        desk.model->selectedTab.set(everyTab[next]);
        QCoreApplication::sendPostedEvents();
        window->repaint();
    }
    window.reset();
}
BENCHMARK(BM_TabSwitch)->Unit(benchmark::kMillisecond);

}  // namespace
