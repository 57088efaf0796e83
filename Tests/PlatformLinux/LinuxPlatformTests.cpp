// The platform `main` installs, made whole: its services answer on a desktop
// with no X server and no uinput, and it finds the resources the build puts
// beside the executable.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "Actions/Permissions.h"
#include "Platform/Linux/LinuxBasics.h"
#include "Platform/Linux/LinuxPlatform.h"
#include "QtTestApp.h"

using namespace velorin;
namespace fs = std::filesystem;

TEST(LinuxPlatform, installsAndAnswersWithoutAnXServer) {
    velorin::testing::qtApp();
    // This test's own display is offscreen; the X side must find none.
    unsetenv("DISPLAY");
    platform::ScopedPlatform installed(linux_platform::makeLinuxPlatform());
    Platform& p = installed.platform();

    EXPECT_EQ(Permissions::isAccessibilityTrusted(), access("/dev/uinput", W_OK) == 0);
    EXPECT_EQ(p.workspace().frontmostApplication(), std::nullopt);
    EXPECT_FALSE(p.screens().screens().empty());
    EXPECT_EQ(p.scripting().makeScript("tell application \"System Events\" to beep"), nullptr);
    EXPECT_EQ(p.bundle().objectForInfoDictionaryKey("SUFeedURL"), std::nullopt);

    bool ran = false;
    p.mainQueue().async([&] { ran = p.mainQueue().isMainThread(); });
    for (int i = 0; i < 50 && !ran; ++i) velorin::testing::spinEventLoop(5);
    EXPECT_TRUE(ran);
}

TEST(LinuxPlatform, thePermissionsPageAndItsRuleLieBesideTheExecutable) {
    linux_platform::LinuxBundle bundle;  // "<executable's folder>/Resources"
    const auto page = bundle.pathForResource("input-permissions", "html", "");
    ASSERT_TRUE(page) << "the build copies Resources/input-permissions.html beside the executable";
    std::ifstream in(*page);
    std::stringstream text;
    text << in.rdbuf();
    // The page links the rule by its name, relative to itself.
    EXPECT_NE(text.str().find("href=\"70-velorin-uinput.rules\""), std::string::npos);
    const auto rule = bundle.pathForResource("70-velorin-uinput", "rules", "");
    ASSERT_TRUE(rule);
    EXPECT_EQ(fs::path(*rule).parent_path(), fs::path(*page).parent_path());
    std::ifstream ruleIn(*rule);
    std::stringstream ruleText;
    ruleText << ruleIn.rdbuf();
    EXPECT_NE(ruleText.str().find("KERNEL==\"uinput\""), std::string::npos);
    EXPECT_NE(ruleText.str().find("GROUP=\"input\""), std::string::npos);
}
