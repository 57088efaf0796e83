// Renders every gallery scene, light and dark, into PNG files so that a
// person can look at the whole interface side by side.
//
//     VelorinScreenshots --out DIR [--list] [NAME-PREFIX ...]

#include "Scene.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Theme.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QThread>
#include <QVBoxLayout>

#include <cstdio>
#include <exception>

namespace {

using namespace velorin;
using namespace velorin::screenshots;

// The window floor the scenes stand on.
class Floor final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Theme::milk.resolve(colorEnvironmentFor(this)));
    }
};

constexpr int floorMargin = 28;

bool wanted(const std::string& name, const QStringList& prefixes) {
    if (prefixes.isEmpty()) return true;
    for (const QString& p : prefixes) {
        if (QString::fromStdString(name).startsWith(p)) return true;
    }
    return false;
}

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString out;
    bool list = false;
    QStringList prefixes;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size()) {
            out = args[++i];
        } else if (args[i] == QLatin1String("--list")) {
            list = true;
        } else {
            prefixes << args[i];
        }
    }
    if (list) {
        for (const Scene& s : scenes()) std::printf("%s\n", s.name.c_str());
        return 0;
    }
    if (out.isEmpty()) {
        std::fprintf(stderr, "usage: VelorinScreenshots --out DIR [--list] [NAME-PREFIX ...]\n");
        return 2;
    }
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "Couldn't make the folder %s\n", qPrintable(out));
        return 1;
    }

    sim::SimPlatform sim;
    Motion::setInstant(true);
    int failures = 0;
    int written = 0;
    for (const Scene& scene : scenes()) {
        if (!wanted(scene.name, prefixes)) continue;
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            const bool dark = appearance == Appearance::dark;
            sim.displaySettings().setDarkAppearance(dark);
            const QString file =
                QDir(out).filePath(QString::fromStdString(scene.name) + (dark ? "-dark.png" : "-light.png"));
            try {
                Floor window;
                window.setWindowTitle(QString::fromStdString(scene.name));
                SceneContext context{appearance, sim, &window, {}};
                std::unique_ptr<QWidget> content = scene.make(context);
                auto* layout = new QVBoxLayout(&window);
                layout->setContentsMargins(floorMargin, floorMargin, floorMargin, floorMargin);
                layout->addWidget(content.release());
                if (scene.size.isValid())
                    window.resize(scene.size);
                else
                    window.resize(window.sizeHint());
                window.show();
                // Focus rings show only in the active window.
                window.activateWindow();
                for (int i = 0; i < 50 && !window.isActiveWindow(); ++i) {
                    QApplication::processEvents(QEventLoop::AllEvents, 20);
                    QThread::msleep(10);
                }
                settle();
                for (const auto& step : context.steps) {
                    step();
                    settle();
                }
                if (!window.grab().save(file)) {
                    std::fprintf(stderr, "Couldn't write %s\n", qPrintable(file));
                    ++failures;
                } else {
                    ++written;
                }
            } catch (const std::exception& e) {
                std::fprintf(stderr, "Scene %s failed: %s\n", scene.name.c_str(), e.what());
                ++failures;
            }
        }
    }
    std::printf("%d pictures in %s\n", written, qPrintable(out));
    return failures == 0 ? 0 : 1;
}
