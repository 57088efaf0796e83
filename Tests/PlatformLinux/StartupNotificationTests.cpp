// The text of startup notification messages: how values are quoted, and how a
// message is cut into the pieces its client messages carry.

#include <gtest/gtest.h>

#include "Platform/Linux/StartupNotification.h"

using namespace velorin::linux_platform;

namespace {

TEST(StartupNotification, valuesWithSpacesQuotesOrBackslashesAreQuoted) {
    const std::pair<const char*, const char*> cases[] = {
        {"org.example.Probe", "org.example.Probe"},
        {"Visual Studio Code", "\"Visual Studio Code\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\dir", "\"C:\\\\dir\""},
        {"a\\ \"b\"", "\"a\\\\ \\\"b\\\"\""},
        {"", "\"\""},
        {"Dateien=Ordner", "Dateien=Ordner"},  // only the first "=" of a pair divides it
        {"Файлы", "Файлы"},
    };
    for (const auto& [value, written] : cases) EXPECT_EQ(startupValue(value), written) << value;
    EXPECT_EQ(startupMessage("new", {{"ID", "velorin-1_TIME5"}, {"NAME", "Web Browser"}, {"SCREEN", "0"}}),
              "new: ID=velorin-1_TIME5 NAME=\"Web Browser\" SCREEN=0");
    EXPECT_EQ(startupMessage("remove", {{"ID", "x"}}), "remove: ID=x");
}

TEST(StartupNotification, aMessageTravelsInTwentyBytePiecesEndedByOneNul) {
    using Pieces = std::vector<std::string>;
    auto pieces = [](std::string_view message) {
        Pieces out;
        for (const auto& p : startupMessagePieces(message)) out.emplace_back(p.data(), p.size());
        return out;
    };
    const std::string nul(1, '\0');
    const std::pair<std::string, Pieces> cases[] = {
        {"remove: ID=abc", {"remove: ID=abc" + std::string(6, '\0')}},
        {"remove: ID=abcdefgh", {"remove: ID=abcdefgh" + nul}},                              // 19 bytes: one piece
        {"remove: ID=abcdefghi", {"remove: ID=abcdefghi", std::string(20, '\0')}},          // 20: its nul alone
        {"new: ID=x NAME=\"Two Words\" SCREEN=0",
         {"new: ID=x NAME=\"Two ", "Words\" SCREEN=0" + std::string(5, '\0')}},
        {std::string("remove: ID=a\0b", 14), {"remove: ID=a" + std::string(8, '\0')}},    // no nul inside
        {"", {std::string(20, '\0')}},
    };
    for (const auto& [message, expected] : cases) EXPECT_EQ(pieces(message), expected) << message;
}

TEST(StartupNotification, idsAreUniqueAndCarryTheServerTime) {
    const std::string first = startupId(1, 123456), second = startupId(2, 123456);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.starts_with("velorin-") && first.ends_with("_TIME123456")) << first;
    EXPECT_EQ(first.find_first_of(" \"\\"), std::string::npos) << "an id needs no quoting: " << first;
    EXPECT_TRUE(startupId(3, 0).ends_with("_TIME0"));
}

}  // namespace
