#include "Velorin/Packs/PackEditorModel.h"

#include <QString>

#include <algorithm>

#include "Actions/KeyCombo.h"

namespace velorin {

namespace {

constexpr std::uint16_t keyN = 45;

}  // namespace

PackEditorModel::PackEditorModel(Pack draft, bool isNew) : draft_(std::move(draft)), isNew_(isNew) {}

std::string PackEditorModel::trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

void PackEditorModel::setApps(std::vector<std::string> apps) {
    if (apps == draft_.apps) return;
    const std::vector<std::string> old = std::move(draft_.apps);
    for (Binding& binding : draft_.bindings) {
        if (binding.apps == old) binding.apps = apps;
    }
    draft_.apps = std::move(apps);
}

bool PackEditorModel::canSave() const { return !trimmed(draft_.name).empty(); }

Pack PackEditorModel::finished() const {
    Pack pack = draft_;
    pack.name = trimmed(pack.name);
    pack.summary = trimmed(pack.summary);
    pack.iconApps = pack.apps;
    pack.custom = true;
    return pack;
}

Pack PackEditorModel::preview() const {
    Pack pack = finished();
    if (pack.name.empty()) pack.name = unnamed;
    return pack;
}

bool PackEditorModel::editingIsNew() const {
    if (!editing_) return false;
    return std::none_of(draft_.bindings.begin(), draft_.bindings.end(),
                        [&](const Binding& b) { return b.id == editing_->id; });
}

void PackEditorModel::addShortcut() {
    editing_ = Binding{Uuid::generate(), Gesture::tap(3, 1),
                       Action::keystroke(KeyCombo(keyN, KeyCombo::Modifiers::command)), true, draft_.apps,
                       std::nullopt};
}

void PackEditorModel::editShortcut(const Uuid& id) {
    auto it = std::find_if(draft_.bindings.begin(), draft_.bindings.end(), [&](const Binding& b) { return b.id == id; });
    if (it != draft_.bindings.end()) editing_ = *it;
}

void PackEditorModel::finishEditing(std::optional<Binding> result) {
    editing_.reset();
    if (!result) return;
    auto it = std::find_if(draft_.bindings.begin(), draft_.bindings.end(),
                           [&](const Binding& b) { return b.id == result->id; });
    if (it != draft_.bindings.end()) {
        *it = std::move(*result);
    } else {
        draft_.bindings.push_back(std::move(*result));
    }
}

void PackEditorModel::removeShortcut(const Uuid& id) {
    std::erase_if(draft_.bindings, [&](const Binding& b) { return b.id == id; });
}

void PackEditorModel::askToDelete() {
    if (!isNew_) confirmDelete_ = true;
}

std::string PackEditorModel::deleteTitle() const { return "Delete \"" + draft_.name + "\"?"; }

std::string PackEditorModel::deleteMessage() const {
    return "Its " + std::to_string(draft_.bindings.size()) + " shortcuts go with it. This can't be undone.";
}

}  // namespace velorin
