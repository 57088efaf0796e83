#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QAbstractButton>
#include <QTest>

#include "QtTestApp.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Editor/MenuCommandPicker.h"

namespace velorin {
namespace {

using sim::MenuKey;

class MenuCommandPickerTest : public ::testing::Test {
protected:
    MenuCommandPickerTest() {
        testing::qtApp();
        Motion::setInstant(true);
        sim.accessibility().setTrusted(true);
    }

    void run(std::int32_t pid, const std::string& id, const std::string& name, std::vector<sim::SimElement> menus) {
        RunningApplication app;
        app.processIdentifier = pid;
        app.bundleIdentifier = id;
        app.localizedName = name;
        sim::installMenuBar(sim.accessibility(), pid, sim::menuBar(std::move(menus)));
        sim.workspace().addRunningApp(app, false);
    }
    static std::vector<sim::SimElement> editorMenus() {
        return {sim::menuBarItem("Apple", {sim::menuItem("About This Mac")}),
                sim::menuBarItem("Edit", {sim::menuItem("Undo", MenuKey{"Z", 0.0, std::nullopt}),
                                          sim::menuItem("Paste Style", {}, false)}),
                sim::menuBarItem("File", {sim::submenuItem("Export", {sim::menuItem("Clear Menu",
                                                                                    MenuKey{"E", 0.0, std::nullopt})})}),
                sim::menuBarItem("Edit", {sim::menuItem("Copy", MenuKey{"C", 0.0, std::nullopt})})};
    }

    MenuCommandPicker& open(std::vector<std::string> apps) {
        picker = std::make_unique<MenuCommandPicker>(
            std::move(apps), [this](const MenuCommand& c) { picked.push_back(c); }, [this] { ++cancels; });
        picker->show();
        return *picker;
    }

    template <typename T>
    T* part(const char* name) const {
        return picker->findChild<T*>(name);
    }
    QString title() const { return part<QLabel>("menuPicker.title")->text(); }
    bool guidanceShown() const { return part<QWidget>("menuPicker.guidance")->isVisible(); }
    // The screen shown now (a replaced one may wait for deletion, hidden).
    QString guidanceTitle() const {
        for (auto* label : part<QWidget>("menuPicker.guidance")->findChildren<QLabel*>("menuPicker.guidanceTitle")) {
            if (label->isVisible()) return label->text();
        }
        return {};
    }
    QStringList steps() const {
        QStringList out;
        for (auto* label : part<QWidget>("menuPicker.guidance")->findChildren<QLabel*>("menuPicker.step")) {
            if (label->isVisible()) out << label->text();
        }
        return out;
    }
    QAbstractButton* guidanceButton() const {
        for (auto* b : part<QWidget>("menuPicker.guidance")->findChildren<QAbstractButton*>("menuPicker.guidanceButton")) {
            if (b->isVisible()) return b;
        }
        return nullptr;
    }
    // Every text and button of the guidance screen shown is whole: a wrapped
    // text has the height its lines need, and all of it lies inside the sheet.
    void expectGuidanceUnclipped() const {
        QCoreApplication::processEvents();
        auto* guidance = part<QWidget>("menuPicker.guidance");
        int checked = 0;
        for (auto* widget : guidance->findChildren<QWidget*>()) {
            if (!widget->isVisible() || !(qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget))) {
                continue;
            }
            ++checked;
            const QRect inSheet(widget->mapTo(picker.get(), QPoint(0, 0)), widget->size());
            EXPECT_TRUE(picker->rect().contains(inSheet)) << widget->objectName().toStdString();
            if (auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().toStdString();
                EXPECT_GE(label->width(), label->minimumSizeHint().width()) << label->text().toStdString();
            }
        }
        EXPECT_GT(checked, 3);
    }

    // The list's rows as shown: section titles in brackets.
    QStringList rows() const {
        QStringList out;
        auto* model = picker->list()->model();
        for (int i = 0; i < model->rowCount(); ++i) {
            const QModelIndex index = model->index(i, 0);
            const QString text = index.data().toString();
            out << (index.flags() & Qt::ItemIsEnabled ? text : "[" + text + "]");
        }
        return out;
    }
    void clickRow(int row) {
        QListView* list = picker->list();
        const QRect r = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    sim::SimPlatform sim;
    std::unique_ptr<MenuCommandPicker> picker;
    std::vector<MenuCommand> picked;
    int cancels = 0;
};

TEST_F(MenuCommandPickerTest, listsTheChosenAppsCommandsInSections_andAPickHandsBackPathAndKey) {
    run(10, "com.example.writer", "Writer", editorMenus());
    auto& p = open({"com.example.writer"});
    EXPECT_EQ(p.size(), QSize(560, 560));
    EXPECT_EQ(title(), "Writer's menus");
    EXPECT_FALSE(part<QComboBox>("menuPicker.apps")->isVisible());
    EXPECT_TRUE(part<QWidget>("menuPicker.badge")->isVisible());
    EXPECT_FALSE(guidanceShown());
    EXPECT_EQ(rows(), (QStringList{"[Edit]", "Undo", "Paste Style", "Copy", "[File]", "Export \u25B8 Clear Menu"}));

    clickRow(5);
    clickRow(2);  // disabled in its app, still picked
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[0].path, (std::vector<std::string>{"File", "Export", "Clear Menu"}));
    ASSERT_TRUE(picked[0].key);
    EXPECT_EQ(picked[0].key->description(), "\u2318E");
    EXPECT_EQ(picked[1], MenuCommand({"Edit", "Paste Style"}, std::nullopt));
    clickRow(0);  // a section title is no command
    EXPECT_EQ(picked.size(), 2u);
    EXPECT_EQ(cancels, 0);
}

TEST_F(MenuCommandPickerTest, search_narrowsTheList_ignoringCaseAndSurroundingSpaces) {
    run(10, "com.example.writer", "Writer", editorMenus());
    open({});
    auto* search = part<QLineEdit>("menuPicker.search");
    EXPECT_EQ(search->placeholderText(), "Search commands");
    search->setText("  COPY ");
    EXPECT_EQ(rows(), (QStringList{"[Edit]", "Copy"}));
    search->setText("   ");
    EXPECT_EQ(rows().size(), 6);
    search->setText("export clear");
    EXPECT_EQ(rows(), (QStringList{"[File]", "Export \u25B8 Clear Menu"}));
    search->setText("nothing at all");
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(guidanceShown());
}

TEST_F(MenuCommandPickerTest, anyApp_chooserListsAppsByName_andSwitchesTheMenus) {
    run(10, "com.example.writer", "Writer", editorMenus());
    run(11, "com.example.atlas", "Atlas",
        {sim::menuBarItem("Apple", {}), sim::menuBarItem("View", {sim::menuItem("Zoom In")})});
    open({});
    auto* chooser = part<QComboBox>("menuPicker.apps");
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->width(), 180);
    ASSERT_EQ(chooser->count(), 2);
    EXPECT_EQ(chooser->itemText(0), "Atlas");
    EXPECT_EQ(chooser->itemText(1), "Writer");
    EXPECT_EQ(chooser->currentIndex(), 0);
    EXPECT_EQ(rows(), (QStringList{"[View]", "Zoom In"}));
    chooser->setCurrentIndex(1);
    emit chooser->activated(1);
    EXPECT_EQ(title(), "Writer's menus");
    EXPECT_EQ(rows().first(), "[Edit]");
}

TEST_F(MenuCommandPickerTest, guidance_noPermission) {
    run(10, "com.example.writer", "Writer", editorMenus());
    sim.accessibility().setTrusted(false);
    open({});
    EXPECT_TRUE(guidanceShown());
    EXPECT_EQ(guidanceTitle(), "Allow Velorin to read menus");
    EXPECT_EQ(steps(), (QStringList{"Click Open System Settings below.",
                                    "In Privacy & Security \u203A Accessibility, turn Velorin on. If it's not in the "
                                    "list, click +, choose Velorin in Applications and turn it on.",
                                    "Come back here. The menus appear by themselves."}));
    // The header still shows the chosen app.
    EXPECT_EQ(title(), "Writer's menus");
    EXPECT_TRUE(part<QComboBox>("menuPicker.apps")->isVisible());
    expectGuidanceUnclipped();
    ASSERT_TRUE(guidanceButton());
    EXPECT_EQ(guidanceButton()->text(), "Open System Settings");
    guidanceButton()->click();
    EXPECT_EQ(sim.workspace().openedURLs().size(), 1u);

    sim.accessibility().setTrusted(true);
    sim.advance(2.0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(guidanceShown());
    EXPECT_EQ(rows().size(), 6);
}

TEST_F(MenuCommandPickerTest, guidance_notRunning_opensTheAppInTheBackground) {
    sim.workspace().installApp("com.apple.Safari", "/Applications/Safari.app");
    open({"com.apple.Safari"});
    EXPECT_TRUE(guidanceShown());
    EXPECT_EQ(title(), "Menu commands");
    EXPECT_FALSE(part<QWidget>("menuPicker.badge")->isVisible());
    EXPECT_EQ(guidanceTitle(), "Open Safari to see its menus");
    EXPECT_EQ(steps(), (QStringList{"Velorin reads the commands from an app's menu bar while it's running.",
                                    "Open Safari. Its menus appear here as soon as it's running; you don't need to "
                                    "come back and reopen this."}));
    expectGuidanceUnclipped();
    ASSERT_TRUE(guidanceButton());
    EXPECT_EQ(guidanceButton()->text(), "Open Safari");
    guidanceButton()->click();
    ASSERT_EQ(sim.workspace().openedApplications().size(), 1u);
    EXPECT_FALSE(sim.workspace().openedApplications()[0].configuration.activates);

    RunningApplication safari;
    safari.processIdentifier = 30;
    safari.bundleIdentifier = "com.apple.Safari";
    safari.localizedName = "Safari";
    sim::installMenuBar(sim.accessibility(), 30, sim::menuBar(editorMenus()));
    sim.workspace().addRunningApp(safari);
    sim.advance(1.0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(guidanceShown());
    EXPECT_EQ(title(), "Safari's menus");
}

TEST_F(MenuCommandPickerTest, guidance_notInstalled_hasNoButton) {
    open({"com.example.gone", "com.example.also-gone"});
    EXPECT_EQ(guidanceTitle(), "the app isn't on this Mac");
    EXPECT_EQ(steps(), (QStringList{"Velorin reads commands from an app's menus, so the app needs to be installed "
                                    "and open.",
                                    "Install the app, open it, and its menus appear here."}));
    expectGuidanceUnclipped();
    EXPECT_EQ(guidanceButton(), nullptr);
}

TEST_F(MenuCommandPickerTest, guidance_unread_tryAgainReadsTheMenus) {
    run(10, "com.example.writer", "Writer", {});
    open({});
    EXPECT_EQ(guidanceTitle(), "Couldn't read Writer's menus yet");
    ASSERT_TRUE(guidanceButton());
    EXPECT_EQ(guidanceButton()->text(), "Try Again");
    sim::installMenuBar(sim.accessibility(), 10, sim::menuBar(editorMenus()));
    guidanceButton()->click();
    QCoreApplication::processEvents();  // the old screen goes once its click is done
    EXPECT_FALSE(guidanceShown());
}

TEST_F(MenuCommandPickerTest, cancelAndEscape_callOnCancel_andClosingFollowsNothingMore) {
    const std::size_t observers = sim.workspace().observerCount();
    open({});
    EXPECT_GT(sim.workspace().observerCount(), observers);
    part<QAbstractButton>("menuPicker.cancel")->click();
    EXPECT_EQ(cancels, 1);
    QTest::keyClick(part<QLineEdit>("menuPicker.search"), Qt::Key_Escape);
    EXPECT_EQ(cancels, 2);
    EXPECT_TRUE(picked.empty());
    picker->hide();
    EXPECT_EQ(sim.workspace().observerCount(), observers);
    picker.reset();
    EXPECT_EQ(sim.mainQueue().pendingCount(), 0u);
}

}  // namespace
}  // namespace velorin
