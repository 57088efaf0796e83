#include "Platform/Linux/Translations.h"

#include <gtest/gtest.h>

using namespace velorin::linux_platform;
using Kind = OpenCounterpart::Kind;

TEST(Translations, wellKnownAppsAndTools) {
    EXPECT_EQ(specialApplication("/System/Applications/Mission Control.app"), SpecialApplication::showDesktop);
    EXPECT_EQ(specialApplication("/System/Library/CoreServices/ScreenSaverEngine.app/"),
              SpecialApplication::screenSaver);
    EXPECT_EQ(specialApplication("/usr/share/applications/firefox.desktop"), SpecialApplication::none);
    EXPECT_EQ(processCounterpart("/usr/bin/pmset", {"displaysleepnow"}), (Command{"xset", {"dpms", "force", "off"}}));
    EXPECT_FALSE(processCounterpart("/usr/bin/pmset", {"sleepnow"}));
    EXPECT_FALSE(processCounterpart("/usr/bin/shortcuts", {"run", "x"}));
}

TEST(Translations, openedAddresses) {
    const std::optional<std::string> page = "file:///opt/velorin/Resources/input-permissions.html";
    struct Case {
        std::string url;
        std::optional<std::string> page;
        OpenCounterpart expected;
    };
    const Case cases[] = {
        {"https://example.com", page, {Kind::asGiven, "https://example.com"}},
        {"file:///home/me/doc.pdf", page, {Kind::asGiven, "file:///home/me/doc.pdf"}},
        {"file:///System/Library/CoreServices/ScreenSaverEngine.app", page, {Kind::screenSaver, ""}},
        {"x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility", page, {Kind::page, *page}},
        {"x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility", std::nullopt,
         {Kind::nothing, ""}},
        {"x-apple.systempreferences:com.apple.preference.security?Privacy_Automation", page, {Kind::nothing, ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(openCounterpart(c.url, c.page), c.expected) << c.url;
}
