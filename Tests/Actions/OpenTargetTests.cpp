#include "Actions/OpenTarget.h"
#include "Actions/Unicode.h"

#include <gtest/gtest.h>

using namespace velorin;

TEST(OpenTarget, textBecomesTheUrlToOpen) {
    struct Case {
        const char* text;
        std::optional<std::string> url;
    };
    const Case cases[] = {
        {"", std::nullopt},
        {"   ", std::nullopt},
        {" \t\n\u00A0\u3000", std::nullopt},
        {"  ~/Documents/Notes  ", "file:///home/me/Documents/Notes"},
        {"~", "file:///home/me"},
        {"~/", "file:///home/me/"},
        {"/Applications/My App.app", "file:///Applications/My%20App.app"},
        {"/tmp/100%", "file:///tmp/100%25"},
        {"/Users/me/Caf\u00E9", "file:///Users/me/Caf%C3%A9"},
        {"x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility",
         "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"},
        {"notion://www.notion.so/page", "notion://www.notion.so/page"},
        {"https://Example.com:8443/a?b=c#d", "https://Example.com:8443/a?b=c#d"},
        {"mailto:me@example.com", "mailto:me@example.com"},
        {"example.com", "https://example.com"},
        {"\u2003example.com/path?q=1\n", "https://example.com/path?q=1"},
        {"localhost:8080", "localhost:8080"},  // the word before the colon reads as a scheme
        {"192.168.1.1:8080", "https://192.168.1.1:8080"},
        {"[::1]:8080", "https://[::1]:8080"},
        {"two words", std::nullopt},
        {"https://exa mple.com", std::nullopt},
        {"example.com/%zz", std::nullopt},
        {"~someone/file", std::nullopt},  // another user's folder is not guessed
        // Beyond ASCII: the host in its IDNA form, the rest percent-encoded as UTF-8.
        {"caf\u00E9.example", "https://xn--caf-dma.example"},
        {"de.wikipedia.org/wiki/K\u00F6ln", "https://de.wikipedia.org/wiki/K%C3%B6ln"},
        {"https://m\u00FCnchen.de/stra\u00DFe?q=\u00FC#\u00E4",
         "https://xn--mnchen-3ya.de/stra%C3%9Fe?q=%C3%BC#%C3%A4"},
        {"https://me@B\u00FCcher.example:8080/", "https://me@xn--bcher-kva.example:8080/"},
        {"notion://www.notion.so/K\u00F6ln-Notes", "notion://www.notion.so/K%C3%B6ln-Notes"},
        {"https://exa\u3000mple.com", std::nullopt},  // no valid name
        {"https://x/a b\u00E9", std::nullopt},          // ASCII stays as strict as ever
    };
    for (const auto& c : cases) {
        const auto url = OpenTarget::url(c.text, "/home/me");
        EXPECT_EQ(url ? std::optional(url->text()) : std::nullopt, c.url) << "\"" << c.text << "\"";
    }
}

TEST(OpenTarget, homeFolderIsJoinedCleanly) {
    EXPECT_EQ(OpenTarget::url("~/a", "/home/me/")->text(), "file:///home/me/a");
    EXPECT_EQ(OpenTarget::url("~/a", "/")->text(), "file:///a");
    EXPECT_EQ(OpenTarget::url("~/a", ""), std::nullopt);
}

TEST(Url, partsThatNamesAndPanelsAskFor) {
    struct Case {
        std::string url;
        bool isFile;
        std::optional<std::string> host;
        std::string path;
        std::string last;
    };
    const Case cases[] = {
        {OpenTarget::url("~/My Notes/", "/home/me")->text(), true, std::nullopt, "/home/me/My Notes/", "My Notes"},
        {"file:///", true, std::nullopt, "/", "/"},
        {"https://user:pw@www.example.com:80/a/b.html", false, "www.example.com", "/a/b.html", "b.html"},
        {"https://example.com", false, "example.com", "", ""},
        {"https://[fe80::1]/x", false, "fe80::1", "/x", "x"},
        {"https://?q", false, std::nullopt, "", ""},
        {"FILE:///tmp/a%20b", true, std::nullopt, "/tmp/a b", "a b"},
        {"localhost:8080", false, std::nullopt, "8080", "8080"},
        {"raycast://extensions/x", false, "extensions", "/x", "x"},
        {"https://b\u00FCcher.example/K\u00F6ln", false, "b\u00FCcher.example", "/K\u00F6ln", "K\u00F6ln"},
    };
    for (const auto& c : cases) {
        const auto url = Url::parse(c.url);
        ASSERT_TRUE(url) << c.url;
        EXPECT_EQ(url->isFile(), c.isFile) << c.url;
        EXPECT_EQ(url->host(), c.host) << c.url;
        EXPECT_EQ(url->path(), c.path) << c.url;
        EXPECT_EQ(url->lastPathComponent(), c.last) << c.url;
    }
}

TEST(Url, malformedReferencesAreRefused) {
    for (const char* text : {"1http://x", "ht tp://x", "https://a b", "https://x/%4", "https://x:80a/", "https://[::1/",
                             "https://a@b@c/", "a:b#c#d", "https://x/<y>", ":x", "https://\u00E9\u3000/"}) {
        EXPECT_FALSE(Url::parse(text)) << text;
    }
    EXPECT_FALSE(Url::fileUrl("relative/path"));
    EXPECT_FALSE(Url::fileUrl(std::string_view("/a\0b", 4)));
}

TEST(UnicodeText, charactersAreScalarsNeverBytes) {
    EXPECT_EQ(unicode::scalars("\u21A9"), std::vector<char32_t>{0x21A9});
    EXPECT_EQ(unicode::scalars("a\U0001F600"), (std::vector<char32_t>{'a', 0x1F600}));
    // Malformed sequences read as U+FFFD, one per bad byte, and are never white space.
    EXPECT_EQ(unicode::scalars("\xE2\x86"), (std::vector<char32_t>{0xFFFD, 0xFFFD}));
    EXPECT_EQ(unicode::scalars("\xC0\xAF"), (std::vector<char32_t>{0xFFFD, 0xFFFD}));  // overlong "/"
    EXPECT_EQ(unicode::trimmed(" \xFF "), "\xFF");
    EXPECT_EQ(unicode::trimmed("\u2028x y\u2029"), "x y");
}
