#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QAbstractButton>


#include "QtTestApp.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Editor/AppScopePicker.h"

namespace velorin {
namespace {

using Ids = std::vector<std::string>;

std::vector<std::uint8_t> pngData() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

// The open panel as a test answers it: the locations to "choose", or a cancel.
struct FakePanel {
    std::optional<std::vector<std::string>> answer;
    int shown = 0;
    AppScopePicker::OpenPanel panel() {
        return [this](QWidget*, std::function<void(const std::vector<std::string>&)> chosen) {
            ++shown;
            if (answer) chosen(*answer);
        };
    }
};

class AppScopePickerTest : public ::testing::Test {
protected:
    AppScopePickerTest() {
        sim.bundle().addBundleOnDisk("/Applications/Notes.app", "com.apple.Notes");
        sim.bundle().addBundleOnDisk("/Applications/Safari.app", "com.apple.Safari");
        sim.bundle().addBundleOnDisk("/Applications/Mail.app", "com.apple.mail");
    }

    AppScopePicker& open(Ids apps) {
        picker = std::make_unique<AppScopePicker>(nullptr, panel.panel());
        picker->setApps(std::move(apps));
        QObject::connect(picker.get(), &AppScopePicker::appsEdited, [this](const Ids& apps) {
            edits.push_back(apps);
            picker->setApps(apps);  // the caller stores the list and shows it back
        });
        picker->show();
        return *picker;
    }
    template <typename T>
    T* part(const char* name) const {
        return picker->findChild<T*>(name);
    }
    // The names of the rows shown, in order.
    std::vector<std::string> rows() const {
        std::vector<std::string> names;
        for (auto* row : picker->findChildren<QWidget*>("appScope.row")) {
            if (row->isVisible()) names.push_back(row->findChild<QLabel*>("appScope.name")->text().toStdString());
        }
        return names;
    }
    bool shown(const char* name) const { return part<QWidget>(name)->isVisible(); }
    void removeRow(std::size_t index) {
        std::vector<QWidget*> visible;
        for (auto* row : picker->findChildren<QWidget*>("appScope.row")) {
            if (row->isVisible()) visible.push_back(row);
        }
        visible.at(index)->findChild<QAbstractButton*>("appScope.remove")->click();
        QCoreApplication::processEvents();
    }

    QApplication& app = testing::qtApp();
    sim::SimPlatform sim;
    FakePanel panel;
    std::unique_ptr<AppScopePicker> picker;
    std::vector<Ids> edits;
};

TEST_F(AppScopePickerTest, opensOnTheChoiceItsListStandsFor) {
    open({"com.apple.Notes", "com.apple.Safari"});
    EXPECT_TRUE(part<QAbstractButton>("appScope.onlyThese")->isChecked());
    EXPECT_FALSE(part<QAbstractButton>("appScope.everyApp")->isChecked());
    EXPECT_EQ(part<QAbstractButton>("appScope.everyApp")->text(), "Every app");
    EXPECT_EQ(part<QAbstractButton>("appScope.onlyThese")->text(), "Only these apps");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Notes", "Safari"}));
    EXPECT_TRUE(shown("appScope.add"));
    EXPECT_EQ(part<QAbstractButton>("appScope.add")->text(), "Add App\u2026");
    EXPECT_FALSE(shown("appScope.warning"));

    open({});
    EXPECT_TRUE(part<QAbstractButton>("appScope.everyApp")->isChecked());
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(shown("appScope.add"));
    EXPECT_FALSE(shown("appScope.warning"));
    EXPECT_TRUE(edits.empty());
}

TEST_F(AppScopePickerTest, everyAppEmptiesTheList_andBackShowsTheWarning) {
    open({"com.apple.Notes", "com.apple.Safari", "com.apple.mail"});
    part<QAbstractButton>("appScope.everyApp")->click();
    EXPECT_EQ(edits, (std::vector<Ids>{Ids{}}));
    EXPECT_TRUE(rows().empty());
    part<QAbstractButton>("appScope.onlyThese")->click();
    EXPECT_EQ(edits.size(), 1u);  // choosing "Only these apps" writes nothing
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(shown("appScope.add"));
    EXPECT_TRUE(shown("appScope.warning"));
    EXPECT_EQ(part<QLabel>("appScope.warning")->text(), "Add at least one app, or choose Every app.");
}

TEST_F(AppScopePickerTest, adding_appendsNewAppsInPanelOrder_once) {
    open({"com.apple.Notes"});
    panel.answer = Ids{"/Applications/Safari.app", "/Applications/Notes.app", "/Applications/Broken.app",
                       "/Applications/Mail.app", "/Applications/Safari.app"};
    part<QAbstractButton>("appScope.add")->click();
    EXPECT_EQ(panel.shown, 1);
    EXPECT_EQ(edits, (std::vector<Ids>{{"com.apple.Notes", "com.apple.Safari", "com.apple.mail"}}));
    EXPECT_EQ(rows().size(), 3u);

    panel.answer = Ids{"/Applications/Notes.app"};  // already listed
    part<QAbstractButton>("appScope.add")->click();
    panel.answer.reset();  // cancelled
    part<QAbstractButton>("appScope.add")->click();
    EXPECT_EQ(edits.size(), 1u);
}

TEST_F(AppScopePickerTest, rows_nameUninstalledAppsWithoutIcon_andRemovingTheLastKeepsOnlyThese) {
    sim.workspace().installApp("com.example.paint", "/Applications/Paint.app");
    sim.workspace().setIcon("/Applications/Paint.app", Icon{{}, pngData()});
    open({"com.example.gone", "com.example.paint"});
    const auto all = picker->findChildren<QWidget*>("appScope.row");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->findChild<QLabel*>("appScope.name")->text(), "gone");
    EXPECT_EQ(all[0]->findChild<QLabel*>("appScope.icon"), nullptr);
    ASSERT_NE(all[1]->findChild<QLabel*>("appScope.icon"), nullptr);
    EXPECT_EQ(all[1]->findChild<QLabel*>("appScope.icon")->size(), QSize(20, 20));

    removeRow(0);
    EXPECT_EQ(edits.back(), Ids{"com.example.paint"});
    removeRow(0);
    EXPECT_EQ(edits.back(), Ids{});
    EXPECT_TRUE(part<QAbstractButton>("appScope.onlyThese")->isChecked());
    EXPECT_TRUE(shown("appScope.warning"));
}

TEST_F(AppScopePickerTest, rowsAreKeptByIdentifier_whenTheListChanges) {
    open({"com.apple.Notes", "com.apple.Safari"});
    QWidget* safari = picker->findChildren<QWidget*>("appScope.row")[1];
    picker->setApps({"com.apple.Safari", "com.apple.mail"});
    QCoreApplication::processEvents();
    const auto now = picker->findChildren<QWidget*>("appScope.row");
    EXPECT_TRUE(std::find(now.begin(), now.end(), safari) != now.end());
    EXPECT_EQ(rows(), (std::vector<std::string>{"Safari", "mail"}));
}

}  // namespace
}  // namespace velorin
