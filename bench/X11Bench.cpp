// The window manager's answers on the main thread: listing 60 client windows
// with their process, class, title and state, and reading one window's frame,
// against a private Xvfb with openbox. Skipped without them.

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>

#include "Platform/Linux/X11Desktop.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;

namespace {

struct Desktop {
    XSession session;
    std::unique_ptr<XClient> client;
    std::unique_ptr<X11Desktop> desktop;
    std::uint32_t last = 0;
    std::optional<std::string> error;

    explicit Desktop(int windows) {
        if (auto missing = missingProgram({"Xvfb", "openbox"})) {
            error = *missing + " is not installed";
            return;
        }
        if ((error = session.start())) return;
        client = std::make_unique<XClient>(session.display());
        for (int i = 0; i < windows; ++i) {
            last = client->openWindow("app" + std::to_string(i), "App", static_cast<std::uint32_t>(50000 + i));
        }
        waitFor([&] { return client->clientList().size() >= static_cast<std::size_t>(windows); },
                [] { usleep(10000); });
        desktop = std::make_unique<X11Desktop>(session.display().c_str());
    }
};

Desktop& sixtyWindows() {
    static Desktop d(60);
    return d;
}

void BM_ListSixtyWindows(benchmark::State& state) {
    auto& d = sixtyWindows();
    if (d.error) return state.SkipWithError(d.error->c_str());
    std::size_t n = 0;
    for (auto _ : state) n = d.desktop->clientWindows().size();
    state.counters["windows"] = static_cast<double>(n);
}
BENCHMARK(BM_ListSixtyWindows)->Unit(benchmark::kMicrosecond);

void BM_ReadOneFrame(benchmark::State& state) {
    auto& d = sixtyWindows();
    if (d.error) return state.SkipWithError(d.error->c_str());
    for (auto _ : state) benchmark::DoNotOptimize(d.desktop->frame(d.last));
}
BENCHMARK(BM_ReadOneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
