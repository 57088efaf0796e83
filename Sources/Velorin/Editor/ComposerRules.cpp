#include "Velorin/Editor/ComposerRules.h"

#include <QCollator>
#include <QString>

#include <algorithm>

#include "Actions/MenuScanner.h"
#include "Actions/OpenTarget.h"
#include "Actions/Unicode.h"
#include "Velorin/DisplayNames.h"

namespace velorin {
namespace {

constexpr double diagramMargin = 4;  // points between the diagram's screen and its inner rectangle

constexpr std::array<std::pair<KeyCombo, std::pair<std::string_view, std::string_view>>, 4> presetTable{{
    {KeyCombo::missionControl, {"Mission Control", "rectangle.3.group"}},
    {KeyCombo::appExpose, {"App windows", "macwindow.on.rectangle"}},
    {KeyCombo::spotlight, {"Spotlight", "magnifyingglass"}},
    {KeyCombo::screenshot, {"Screenshot", "camera.viewfinder"}},
}};

bool isModifierGlyph(char32_t scalar) {
    return scalar == U'\u2303' || scalar == U'\u2325' || scalar == U'\u21E7' || scalar == U'\u2318';
}

}  // namespace

ComposerKind ComposerRules::kindOf(const Action& action) {
    switch (action.kind()) {
        case Action::Kind::openApp: return ComposerKind::app;
        case Action::Kind::keystroke: return ComposerKind::keys;
        case Action::Kind::menuItem: return ComposerKind::menu;
        case Action::Kind::window: return ComposerKind::window;
        case Action::Kind::media: return ComposerKind::media;
        case Action::Kind::system: return ComposerKind::system;
        case Action::Kind::open: return ComposerKind::open;
        case Action::Kind::shortcut: return ComposerKind::shortcut;
    }
    return ComposerKind::app;
}

const ComposerKindTexts& ComposerRules::texts(ComposerKind kind) {
    static const std::array<ComposerKindTexts, 8> table{{
        {"App", "app.badge", "Open an app", "Brings the app to the front."},
        {"Keys", "command", "Press keys", "Presses any keyboard shortcut for you."},
        {"Menu", "filemenu.and.selection", "Menu command", "Clicks a command in the front app's menus."},
        {"Window", "rectangle.split.2x1", "Move the window", "Snaps the front window into place."},
        {"Media", "playpause.fill", "Media", "Controls what's playing."},
        {"Mac", "macbook", "Mac controls", "Locks, shows the desktop, switches Spaces and more."},
        {"Website", "link", "Website or file", "Opens a link, a page in an app, a file or a folder."},
        {"Shortcut", "square.2.layers.3d.fill", "Run a Shortcut", "Runs anything you built in the Shortcuts app."},
    }};
    return table[static_cast<std::size_t>(kind)];
}

Action ComposerRules::defaultAction(ComposerKind kind) {
    switch (kind) {
        case ComposerKind::app: return Action::openApp("", true);
        case ComposerKind::keys: return Action::keystroke(KeyCombo::spotlight);
        case ComposerKind::menu: return Action::menuItem(MenuCommand());
        case ComposerKind::window: return Action::window(WindowCommand::leftHalf);
        case ComposerKind::media: return Action::media(MediaKey::playPause);
        case ComposerKind::system: return Action::system(SystemCommand::lockScreen);
        case ComposerKind::open: return Action::open("");
        case ComposerKind::shortcut: return Action::shortcut("");
    }
    return Action();
}

std::string_view ComposerRules::symbol(MediaKey key) {
    switch (key) {
        case MediaKey::playPause: return "playpause.fill";
        case MediaKey::next: return "forward.fill";
        case MediaKey::previous: return "backward.fill";
        case MediaKey::volumeUp: return "speaker.wave.3.fill";
        case MediaKey::volumeDown: return "speaker.wave.1.fill";
        case MediaKey::mute: return "speaker.slash.fill";
    }
    return "";
}

std::string ComposerRules::shortName(WindowCommand command) {
    static const std::string prefix = "Window \u2192 ";
    std::string name(displayName(command));
    for (auto at = name.find(prefix); at != std::string::npos; at = name.find(prefix, at)) name.erase(at, prefix.size());
    const QString text = QString::fromStdString(name);
    if (text.isEmpty()) return name;
    return (text.left(1).toUpper() + text.mid(1)).toStdString();
}

const std::array<KeyCombo, 4>& ComposerRules::presets() {
    static const std::array<KeyCombo, 4> combos{presetTable[0].first, presetTable[1].first, presetTable[2].first,
                                                presetTable[3].first};
    return combos;
}

std::string ComposerRules::presetName(const KeyCombo& combo) {
    for (const auto& [preset, texts] : presetTable) {
        if (preset == combo) return std::string(texts.first);
    }
    return combo.description();
}

std::string_view ComposerRules::presetSymbol(const KeyCombo& combo) {
    for (const auto& [preset, texts] : presetTable) {
        if (preset == combo) return texts.second;
    }
    return "keyboard";
}

std::vector<std::string> ComposerRules::keycaps(const KeyCombo& combo, KeyWriting writing) {
    std::string text;
    switch (writing) {
        case KeyWriting::combination: text = combo.description(); break;
        case KeyWriting::menu: text = MenuScanner::keyText(combo); break;
    }
    const auto scalars = unicode::scalars(text);
    std::vector<std::string> caps;
    std::size_t i = 0;
    for (; i < scalars.size() && isModifierGlyph(scalars[i]); ++i) caps.push_back(unicode::utf8(scalars[i]));
    std::string rest;
    for (; i < scalars.size(); ++i) rest += unicode::utf8(scalars[i]);
    if (!rest.empty()) caps.push_back(std::move(rest));
    return caps;
}

QRectF ComposerRules::windowTarget(WindowCommand command, const QRectF& r) {
    const double w = r.width();
    const double h = r.height();
    switch (command) {
        case WindowCommand::leftHalf: return {r.left(), r.top(), w * 0.5 - 1, h};
        case WindowCommand::rightHalf: return {r.center().x() + 1, r.top(), w * 0.5 - 1, h};
        case WindowCommand::topHalf: return {r.left(), r.top(), w, h * 0.5 - 1};
        case WindowCommand::bottomHalf: return {r.left(), r.center().y() + 1, w, h * 0.5 - 1};
        case WindowCommand::maximize: return r;
        case WindowCommand::center: return r.adjusted(w * 0.2, h * 0.18, -w * 0.2, -h * 0.18);
        case WindowCommand::nextDisplay: return r.adjusted(w * 0.15, h * 0.15, -w * 0.15, -h * 0.15);
    }
    return r;
}

QRectF ComposerRules::windowInner(const QSizeF& size) {
    return {diagramMargin, diagramMargin, size.width() - 2 * diagramMargin, size.height() - 2 * diagramMargin};
}

double ComposerRules::pillDelay(int index) { return std::max(index, 0) * 0.03; }
double ComposerRules::tileDelay(int index) { return std::clamp(index, 0, 14) * 0.025; }
double ComposerRules::appCellDelay(int index) { return std::clamp(index, 0, 16) * 0.015; }

std::optional<std::string> ComposerRules::linkStatus(std::string_view text, std::string_view homeFolder) {
    if (text.empty()) return std::nullopt;
    const auto location = OpenTarget::url(text, homeFolder);
    if (!location) return std::nullopt;
    return "Opens " + (location->isFile() ? location->path() : location->text());
}

bool ComposerRules::namesFile(std::string_view text, std::string_view homeFolder) {
    const auto location = OpenTarget::url(text, homeFolder);
    return location && location->isFile();
}

std::vector<std::string> ComposerRules::shortcutNames(std::string_view output) {
    const QString text = QString::fromUtf8(output.data(), static_cast<qsizetype>(output.size()));
    std::vector<QString> names;
    for (const auto& line : text.split(u'\n', Qt::SkipEmptyParts)) names.push_back(line);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const auto& name : names) result.push_back(name.toStdString());
    return result;
}

}  // namespace velorin
