#pragma once
// An action composer in a window with a sheet host, on the simulated desktop,
// whose caller stores every edit and shows it back (as the editor and the
// studio do), with an open panel that the test answers.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <QVBoxLayout>

#include "QtTestApp.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/ComposerWidgets.h"
#include "Velorin/SheetHost.h"
#include "Velorin/ThemedText.h"

namespace velorin {

using Kind = ComposerKind;

class ActionComposerTest : public ::testing::Test {
protected:
    ActionComposerTest() {
        testing::qtApp();
        Motion::setInstant(true);
    }
    ~ActionComposerTest() override {
        window.reset();
        // A run of the Shortcuts tool uses the desktop until it is done.
        QThreadPool::globalInstance()->waitForDone();
        Motion::setInstant(false);
    }

    ActionComposer& open(Action action) {
        stored = action;
        chosen = 0;
        edits = 0;
        chosenAfterWrite.clear();
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        composer = new ActionComposer(
            action, window.get(),
            [this](QWidget*, const ActionComposer::FileRequest& request, std::function<void(const std::string&)> done) {
                requests.push_back(request);
                if (panelAnswer) done(*panelAnswer);
            });
        layout->addWidget(composer);
        host = new SheetHost(window.get());
        QObject::connect(composer, &ActionComposer::actionEdited, [this](const Action& a) {
            stored = a;
            ++edits;
            composer->setAction(a);
        });
        QObject::connect(composer, &ActionComposer::chosen, [this] {
            ++chosen;
            chosenAfterWrite.push_back(stored);
        });
        window->resize(600, 700);
        window->show();
        QCoreApplication::processEvents();
        return *composer;
    }

    QAbstractButton* pill(Kind kind) const {
        for (auto* p : composer->findChildren<QAbstractButton*>("composer.pill")) {
            if (p->property("kind").toString() == QString::fromUtf8(ComposerRules::texts(kind).pill.data())) return p;
        }
        return nullptr;
    }
    void choose(Kind kind) {
        pill(kind)->click();
        QCoreApplication::processEvents();
    }
    // The visible widget of the current panel with this name.
    template <typename T>
    T* part(const char* name) const {
        for (auto* w : composer->panel()->findChildren<T*>(name)) {
            if (w->isVisible()) return w;
        }
        return nullptr;
    }
    std::vector<composer::OptionTile*> tiles() const {
        std::vector<composer::OptionTile*> shown;
        for (auto* t : composer->panel()->findChildren<composer::OptionTile*>("composer.tile")) {
            if (t->isVisible()) shown.push_back(t);
        }
        return shown;
    }
    std::vector<QString> titles() const {
        std::vector<QString> out;
        for (auto* t : tiles()) out.push_back(t->title());
        return out;
    }
    composer::OptionTile* tile(const QString& title) const {
        for (auto* t : tiles()) {
            if (t->title() == title) return t;
        }
        return nullptr;
    }
    std::vector<QString> onTiles() const {
        std::vector<QString> on;
        for (auto* t : tiles()) {
            if (t->isOn()) on.push_back(t->title());
        }
        return on;
    }
    QString text(const char* name) const {
        auto* t = part<ThemedText>(name);
        return t ? t->text() : QString();
    }
    std::size_t haptics() const { return sim.haptics().performed().size(); }

    sim::SimPlatform sim;
    std::unique_ptr<QWidget> window;
    ActionComposer* composer = nullptr;
    SheetHost* host = nullptr;
    std::optional<std::string> panelAnswer;
    std::vector<ActionComposer::FileRequest> requests;
    Action stored;
    int edits = 0;
    int chosen = 0;
    std::vector<Action> chosenAfterWrite;
};

}  // namespace velorin
