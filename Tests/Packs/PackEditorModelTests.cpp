#include <gtest/gtest.h>

#include "Actions/KeyCombo.h"
#include "Config/PackCatalog.h"
#include "Velorin/Packs/PackEditorModel.h"

namespace velorin {
namespace {

Binding shortcut(std::vector<std::string> apps, Gesture gesture = Gesture::hold(3)) {
    return Binding{Uuid::generate(), gesture, Action::media(MediaKey::mute), true, std::move(apps), std::nullopt};
}

TEST(PackEditorModel, newPack_titlesAndPreview) {
    PackEditorModel editor(Pack::newCustom({}), true);
    EXPECT_EQ(editor.title(), "New pack");
    EXPECT_EQ(editor.saveTitle(), "Add Pack");
    EXPECT_FALSE(editor.canSave());
    EXPECT_EQ(editor.preview().name, "My pack");
    editor.askToDelete();
    EXPECT_FALSE(editor.confirmingDelete()) << "a new pack has nothing to delete";
    editor.setName("Notion");
    EXPECT_TRUE(editor.canSave());
    EXPECT_EQ(editor.preview().name, "Notion");

    PackEditorModel existing(Pack::newCustom({}), false);
    EXPECT_EQ(existing.title(), "Edit pack");
    EXPECT_EQ(existing.saveTitle(), "Save");
}

TEST(PackEditorModel, canSaveAndFinished_shareOneWhiteSpaceRule) {
    struct Case {
        std::string name;
        bool canSave;
        std::string saved;
    } cases[] = {
        {"", false, ""},
        {"   ", false, ""},
        {" \t ", false, ""},
        {"\n\n", false, ""},       // line breaks only can't be saved as an empty name
        {" \r\n\u00A0", false, ""},
        {"  Video editing \n", true, "Video editing"},
        {"Notion", true, "Notion"},
    };
    for (const auto& c : cases) {
        PackEditorModel editor(Pack::newCustom({}), true);
        editor.setName(c.name);
        EXPECT_EQ(editor.canSave(), c.canSave) << "'" << c.name << "'";
        EXPECT_EQ(editor.finished().name, c.saved) << "'" << c.name << "'";
    }
}

TEST(PackEditorModel, finished_trimsAndMarksCustomKeepingTheRest) {
    Pack pack = PackCatalog::spotify().duplicated();
    pack.custom = false;
    pack.iconApps = {"stale"};
    PackEditorModel editor(pack, true);
    editor.setName("  Mine ");
    editor.setSummary("\n a line \t");
    editor.setAccent(PackEditorModel::swatches[2]);
    const Pack done = editor.finished();
    EXPECT_EQ(done.name, "Mine");
    EXPECT_EQ(done.summary, "a line");
    EXPECT_EQ(done.iconApps, done.apps);
    EXPECT_TRUE(done.custom);
    EXPECT_EQ(done.accent, 0x13A89Eu);
    EXPECT_EQ(done.id, pack.id);
    EXPECT_EQ(done.bindings, pack.bindings);
    EXPECT_EQ(done.symbol, pack.symbol);
    EXPECT_EQ(editor.save(), PackEditorResult::save(done));
}

TEST(PackEditorModel, setApps_rescopesOnlyShortcutsThatFollowedThePack) {
    Pack pack = Pack::newCustom({"A", "B"});
    pack.bindings = {shortcut({"A", "B"}), shortcut({}), shortcut({"A"})};
    PackEditorModel editor(pack, false);
    editor.setApps({"A", "B", "C"});
    EXPECT_EQ(editor.draft().bindings[0].apps, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(editor.draft().bindings[1].apps, std::vector<std::string>{});
    EXPECT_EQ(editor.draft().bindings[2].apps, std::vector<std::string>{"A"});
    editor.setApps({"A", "B"});
    EXPECT_EQ(editor.draft().bindings[0].apps, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(editor.draft().bindings[2].apps, std::vector<std::string>{"A"});
    // Order matters: [B, A] is another list.
    Pack reordered = Pack::newCustom({"A", "B"});
    reordered.bindings = {shortcut({"B", "A"})};
    PackEditorModel other(reordered, false);
    other.setApps({"C"});
    EXPECT_EQ(other.draft().bindings[0].apps, (std::vector<std::string>{"B", "A"}));
    // From every app: shortcuts for every app take the new list.
    Pack everywhere = Pack::newCustom({});
    everywhere.bindings = {shortcut({}), shortcut({"X"})};
    PackEditorModel third(everywhere, false);
    third.setApps({"A"});
    EXPECT_EQ(third.draft().bindings[0].apps, std::vector<std::string>{"A"});
    EXPECT_EQ(third.draft().bindings[1].apps, std::vector<std::string>{"X"});
}

TEST(PackEditorModel, shortcutEditing_stateMachine) {
    Pack pack = Pack::newCustom({"A"});
    pack.bindings = {shortcut({"A"}), shortcut({"A"}, Gesture::tap(4, 1))};
    PackEditorModel editor(pack, false);
    EXPECT_FALSE(editor.editingBinding());

    // "Add Shortcut…" then cancel: nothing added.
    editor.addShortcut();
    ASSERT_TRUE(editor.editingBinding());
    const Binding fresh = *editor.editingBinding();
    EXPECT_TRUE(editor.editingIsNew());
    EXPECT_EQ(fresh.gesture, Gesture::tap(3, 1));
    EXPECT_EQ(fresh.action, Action::keystroke(KeyCombo(45, KeyCombo::Modifiers::command)));
    EXPECT_TRUE(fresh.enabled);
    EXPECT_EQ(fresh.apps, std::vector<std::string>{"A"});
    EXPECT_EQ(fresh.title, std::nullopt);
    editor.finishEditing(std::nullopt);
    EXPECT_FALSE(editor.editingBinding());
    EXPECT_EQ(editor.draft().bindings.size(), 2u);

    // "Add Shortcut…" then Add: appended.
    editor.addShortcut();
    const Binding added = *editor.editingBinding();
    editor.finishEditing(added);
    ASSERT_EQ(editor.draft().bindings.size(), 3u);
    EXPECT_EQ(editor.draft().bindings.back(), added);

    // Editing an existing row replaces it in place.
    editor.editShortcut(pack.bindings[0].id);
    ASSERT_TRUE(editor.editingBinding());
    EXPECT_FALSE(editor.editingIsNew());
    Binding changed = *editor.editingBinding();
    changed.gesture = Gesture::cornerTap(Gesture::Corner::bottomLeft);
    editor.finishEditing(changed);
    EXPECT_EQ(editor.draft().bindings[0], changed);
    EXPECT_EQ(editor.draft().bindings.size(), 3u);

    // The minus button removes at once.
    editor.removeShortcut(pack.bindings[1].id);
    EXPECT_EQ(editor.draft().bindings.size(), 2u);
    EXPECT_EQ(editor.preview().bindings.size(), 2u);
}

TEST(PackEditorModel, deleteConfirmation) {
    Pack pack = Pack::newCustom({});
    pack.name = "  Spaced  ";
    for (int i = 0; i < 4; ++i) pack.bindings.push_back(shortcut({}));
    PackEditorModel editor(pack, false);
    editor.askToDelete();
    EXPECT_TRUE(editor.confirmingDelete());
    EXPECT_EQ(editor.deleteTitle(), "Delete \"  Spaced  \"?");
    EXPECT_EQ(editor.deleteMessage(), "Its 4 shortcuts go with it. This can't be undone.");
    editor.dismissDelete();
    EXPECT_FALSE(editor.confirmingDelete());
    EXPECT_EQ(editor.draft(), pack) << "cancelling the dialog leaves the editor as it was";
    editor.askToDelete();
    EXPECT_EQ(editor.remove(), PackEditorResult::remove(pack.id));
    EXPECT_FALSE(editor.confirmingDelete());
    EXPECT_EQ(PackEditorModel::cancel(), PackEditorResult::cancel());
}

}  // namespace
}  // namespace velorin
