#include <gtest/gtest.h>

#include "Velorin/Editor/AppChoices.h"
#include "Velorin/Editor/ComposerRules.h"

namespace velorin {
namespace {

using M = KeyCombo::Modifiers;

TEST(ComposerRules, everyKindStandsForItsActionCase_andItsDefaultIsOfThatKind) {
    for (ComposerKind kind : allComposerKinds) {
        EXPECT_EQ(ComposerRules::kindOf(ComposerRules::defaultAction(kind)), kind) << ComposerRules::texts(kind).pill;
    }
    EXPECT_EQ(ComposerRules::kindOf(Action::openApp("com.apple.Safari", false)), ComposerKind::app);
    EXPECT_EQ(ComposerRules::kindOf(Action::openApp("com.apple.Safari", true)), ComposerKind::app);
    EXPECT_EQ(ComposerRules::texts(ComposerKind::system).pill, "Mac");
    EXPECT_EQ(ComposerRules::texts(ComposerKind::open).title, "Website or file");
}

TEST(ComposerRules, windowTilesAreNamedShort) {
    const std::vector<std::pair<WindowCommand, std::string>> cases{
        {WindowCommand::leftHalf, "Left half"},     {WindowCommand::rightHalf, "Right half"},
        {WindowCommand::topHalf, "Top half"},       {WindowCommand::bottomHalf, "Bottom half"},
        {WindowCommand::maximize, "Fill screen"},   {WindowCommand::center, "Center"},
        {WindowCommand::nextDisplay, "Next display"},
    };
    for (const auto& [command, name] : cases) EXPECT_EQ(ComposerRules::shortName(command), name);
}

TEST(ComposerRules, presetsAreNamedAndSymbolised_elseTheDescriptionAndAKeyboard) {
    struct Case {
        KeyCombo combo;
        std::string name;
        std::string symbol;
    };
    const std::vector<Case> cases{
        {KeyCombo(126, M::control), "Mission Control", "rectangle.3.group"},
        {KeyCombo(125, M::control), "App windows", "macwindow.on.rectangle"},
        {KeyCombo(49, M::command), "Spotlight", "magnifyingglass"},
        {KeyCombo(21, {M::command, M::shift}), "Screenshot", "camera.viewfinder"},
        {KeyCombo(21, M::command), "\u23184", "keyboard"},
        {KeyCombo(126, {M::control, M::shift}), "\u2303\u21E7\u2191", "keyboard"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposerRules::presetName(c.combo), c.name);
        EXPECT_EQ(ComposerRules::presetSymbol(c.combo), c.symbol);
    }
    EXPECT_EQ(ComposerRules::presets()[2], KeyCombo::spotlight);
}

TEST(ComposerRules, keycapsSplitTheLeadingGlyphsByScalar_andKeepTheRestAsOne) {
    const std::vector<std::pair<KeyCombo, std::vector<std::string>>> cases{
        {KeyCombo(21, {M::command, M::shift}), {"\u21E7", "\u2318", "4"}},
        {KeyCombo(49, {}), {"Space"}},
        {KeyCombo(126, M::control), {"\u2303", "\u2191"}},
        {KeyCombo(120, {M::option, M::function}), {"\u2325", "fn F2"}},
        {KeyCombo(96, M::function), {"fn F5"}},
        {KeyCombo(105, {M::control, M::option, M::shift, M::command}), {"\u2303", "\u2325", "\u21E7", "\u2318", "key 105"}},
        {KeyCombo(36, {}), {"\u21A9"}},
    };
    for (const auto& [combo, caps] : cases) EXPECT_EQ(ComposerRules::keycaps(combo), caps) << combo.description();
}

TEST(ComposerRules, windowDiagramTargets_inA56By38Diagram) {
    const QRectF inner = ComposerRules::windowInner(QSizeF(56, 38));
    EXPECT_EQ(inner, QRectF(4, 4, 48, 30));
    const std::vector<std::pair<WindowCommand, QRectF>> cases{
        {WindowCommand::leftHalf, {4, 4, 23, 30}},       {WindowCommand::rightHalf, {29, 4, 23, 30}},
        {WindowCommand::topHalf, {4, 4, 48, 14}},        {WindowCommand::bottomHalf, {4, 20, 48, 14}},
        {WindowCommand::maximize, {4, 4, 48, 30}},       {WindowCommand::center, {13.6, 9.4, 28.8, 19.2}},
        {WindowCommand::nextDisplay, {11.2, 8.5, 33.6, 21}},
    };
    for (const auto& [command, rect] : cases) {
        const QRectF target = ComposerRules::windowTarget(command, inner);
        EXPECT_NEAR(target.x(), rect.x(), 1e-9) << ComposerRules::shortName(command);
        EXPECT_NEAR(target.y(), rect.y(), 1e-9) << ComposerRules::shortName(command);
        EXPECT_NEAR(target.width(), rect.width(), 1e-9) << ComposerRules::shortName(command);
        EXPECT_NEAR(target.height(), rect.height(), 1e-9) << ComposerRules::shortName(command);
    }
}

TEST(ComposerRules, cellsComeInOneAfterAnother_upToACap) {
    EXPECT_DOUBLE_EQ(ComposerRules::tileDelay(0), 0);
    EXPECT_DOUBLE_EQ(ComposerRules::tileDelay(10), 0.25);  // the last of eleven
    EXPECT_DOUBLE_EQ(ComposerRules::tileDelay(14), 0.35);
    EXPECT_DOUBLE_EQ(ComposerRules::tileDelay(19), 0.35);  // the last of twenty
    EXPECT_DOUBLE_EQ(ComposerRules::appCellDelay(16), 0.24);
    EXPECT_DOUBLE_EQ(ComposerRules::appCellDelay(40), 0.24);
    EXPECT_DOUBLE_EQ(ComposerRules::pillDelay(7), 0.21);
}

TEST(ComposerRules, shortcutsListing_dropsEmptyLines_keepsBlanks_sortsWithoutRegardToCase) {
    struct Case {
        std::string output;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases{
        {"", {}},
        {"\n\n", {}},
        {"b\n\na\n", {"a", "b"}},
        {"zeta\nAlpha\nbeta\n", {"Alpha", "beta", "zeta"}},
        {"  indented\nplain", {"  indented", "plain"}},
        {"Same\nsame\nSAME\n", {"Same", "same", "SAME"}},  // equal without case: the tool's order
        {"Caf\xC3\xA9\nbad\xFF\n", {"bad\uFFFD", "Caf\u00E9"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ComposerRules::shortcutNames(c.output), c.names) << c.output;
}

TEST(ComposerRules, linkStatus_namesWhatOpens) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"~/Documents", "Opens /home/me/Documents"},
        {"/tmp/a b", "Opens /tmp/a b"},
        {"example.org", "Opens https://example.org"},
        {"notion://page", "Opens notion://page"},
    };
    for (const auto& [text, status] : cases) EXPECT_EQ(ComposerRules::linkStatus(text, "/home/me"), status) << text;
    EXPECT_TRUE(ComposerRules::namesFile("~/x", "/home/me"));
    EXPECT_FALSE(ComposerRules::namesFile("example.org", "/home/me"));
    EXPECT_FALSE(ComposerRules::namesFile("", "/home/me"));
}

// --- Which apps the app panel offers ---

RunningApplication app(std::int32_t pid, std::optional<std::string> id,
                       ActivationPolicy policy = ActivationPolicy::regular) {
    RunningApplication a;
    a.processIdentifier = pid;
    a.bundleIdentifier = std::move(id);
    a.activationPolicy = policy;
    return a;
}

TEST(AppChoices, runningApps_areTheRegularOnesButThisApp) {
    const std::vector<RunningApplication> apps{
        app(1, "com.apple.Safari"),
        app(2, "com.quillmere.velorin"),
        app(3, "com.example.agent", ActivationPolicy::accessory),
        app(4, std::nullopt),
        app(5, "com.example.daemon", ActivationPolicy::prohibited),
        app(6, "com.apple.Notes"),
    };
    EXPECT_EQ(AppChoices::running(apps, std::string("com.quillmere.velorin")),
              (std::vector<std::string>{"com.apple.Safari", "com.apple.Notes"}));
    EXPECT_EQ(AppChoices::running(apps, std::nullopt),
              (std::vector<std::string>{"com.apple.Safari", "com.quillmere.velorin", "com.apple.Notes"}));
}

TEST(AppChoices, installedApps_onceEach_withoutThisApp_byNameWithoutRegardToCase) {
    const std::map<std::string, std::string> names{
        {"a.zed", "zed"}, {"b.alpha", "Alpha"}, {"c.beta", "beta"}, {"d.own", "Velorin"}};
    auto nameOf = [&](const std::string& id) { return names.at(id); };
    EXPECT_EQ(InstalledApps::listed({"a.zed", "c.beta", "b.alpha", "c.beta", "d.own"}, std::string("d.own"), nameOf),
              (std::vector<std::string>{"b.alpha", "c.beta", "a.zed"}));
}

TEST(AppChoices, shown_runningFirst_thenTheRest_narrowedByNameOrIdentifier) {
    const std::map<std::string, std::string> names{{"com.apple.Safari", "Safari"},
                                                   {"com.apple.Notes", "Notes"},
                                                   {"org.mozilla.firefox", "Firefox"},
                                                   {"com.example.Tool", "Tool"}};
    auto nameOf = [&](const std::string& id) { return names.at(id); };
    const std::vector<std::string> running{"com.apple.Notes", "com.apple.Notes", "com.example.Tool"};
    const std::vector<std::string> installed{"org.mozilla.firefox", "com.apple.Notes", "com.apple.Safari"};
    struct Case {
        QString query;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases{
        {"", {"com.apple.Notes", "com.example.Tool", "org.mozilla.firefox", "com.apple.Safari"}},
        {" \t ", {"com.apple.Notes", "com.example.Tool", "org.mozilla.firefox", "com.apple.Safari"}},
        {"  fire ", {"org.mozilla.firefox"}},
        {"SAF", {"com.apple.Safari"}},
        {"com.apple", {"com.apple.Notes", "com.apple.Safari"}},
        {"nothing", {}},
        {"\nfire", {}},  // line breaks are not trimmed
    };
    for (const auto& c : cases) EXPECT_EQ(AppChoices::shown(running, installed, c.query, nameOf), c.shown) << c.query.toStdString();
    EXPECT_EQ(AppChoices::noMatch("  xy "), "No app matches \u201C  xy \u201D.");
}

}  // namespace
}  // namespace velorin
