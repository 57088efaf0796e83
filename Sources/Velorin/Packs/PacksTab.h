#pragma once
// The Packs tab: every pack the user can switch on, as cards in a grid, with a
// search field, the "Apps I don't have" switch, the strip of pack tabs, a
// "New pack" card and the pack editor sheet. It keeps only view state: it
// reads the configuration through the model and writes every change as one
// new configuration through it. What it lists is PackBrowser's decision; its
// cards are kept by pack id and updated in place after each change, on the
// next turn of the event loop.

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Config/AppConfig.h"
#include "Velorin/Design/AppLookup.h"
#include "Velorin/Observations.h"
#include "Velorin/Packs/AppDirectory.h"
#include "Velorin/Packs/PackBrowser.h"
#include "Velorin/Packs/PackCard.h"
#include "Velorin/Packs/PackEditor.h"
#include "Velorin/QueuedRefresh.h"

class QScrollArea;

namespace velorin {

class AppModel;
class CardGrid;
class LiquidToggle;
class NewPackCard;
class PackTabStrip;
class PermissionBanner;
class PillButton;
class Presence;
class SearchField;
class ThemedText;

// What the tab takes from elsewhere; tests and the gallery hand in their own.
struct PacksTabParts {
    AppDirectory directory = AppDirectory::system();
    std::optional<AppLookup> lookup;  // absent: the shell's icons and names
    PackCard::ArtSource art;          // absent: the running app's pack art
    ShortcutEditorOpener shortcutEditor = standardShortcutEditor();
};

class PacksTab : public QWidget {
    Q_OBJECT
public:
    // The user defaults key of the selected pack tab.
    static constexpr const char* tabDefaultsKey = "packsTab";

    explicit PacksTab(AppModel& model, QWidget* parent = nullptr, PacksTabParts parts = {});
    ~PacksTab() override;

    const PackFilter& filter() const { return filter_; }
    // Selects a pack tab (stored in the user defaults) and forgets the
    // switches flipped on the one before.
    void selectTab(const std::string& id);
    void setQuery(const QString& query);
    void setShowAll(bool on);
    // Rebuilds from the configuration now (changes do it on the next turn).
    void refresh();

    // Opens the editor on `pack`, unless one is open.
    void openEditor(const Pack& pack);
    PackEditor* editor() const { return editor_; }
    void finishEditing(const PackEditorResult& result);

    // Parts, for tests and the gallery.
    SearchField* searchField() const { return search_; }
    LiquidToggle* showAllToggle() const { return showAll_; }
    PackTabStrip* tabStrip() const { return strip_; }
    CardGrid* grid() const { return grid_; }
    NewPackCard* newPackCard() const { return newPack_; }
    // A pack's card while the grid lists it, named "pack.<id>".
    PackCard* card(const std::string& packId) const;
    // The cards in grid order.
    std::vector<PackCard*> cards() const;
    bool showsNewPackCard() const;
    ThemedText* nothingOnText() const { return nothingOn_; }
    PillButton* moreButton() const { return more_; }
    PermissionBanner* permissionBanner() const { return banner_; }
    QScrollArea* scrollArea() const { return scroll_; }

private:
    void scheduleRefresh();
    void write(const std::function<void(AppConfig&)>& change);
    PackCardState stateOf(const Pack& pack, const AppConfig& config) const;
    PackCardActions actionsOf(const Pack& pack);

    AppModel& model_;
    PacksTabParts parts_;
    AppLookup lookup_;
    PackFilter filter_;
    bool built_ = false;
    QueuedRefresh refreshLater_{this, [this] { refresh(); }};

    QScrollArea* scroll_ = nullptr;
    PermissionBanner* banner_ = nullptr;
    SearchField* search_ = nullptr;
    LiquidToggle* showAll_ = nullptr;
    PackTabStrip* strip_ = nullptr;
    CardGrid* grid_ = nullptr;
    NewPackCard* newPack_ = nullptr;
    ThemedText* nothingOn_ = nullptr;
    PillButton* more_ = nullptr;
    std::unique_ptr<Presence> morePresence_;
    std::map<std::string, PackCard*> cards_;  // listed or hidden, by pack id
    std::vector<PackCard*> order_;
    QPointer<PackEditor> editor_;
    Observations observations_;
};

}  // namespace velorin
