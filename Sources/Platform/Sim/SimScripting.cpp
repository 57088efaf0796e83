#include "Platform/Sim/SimScripting.h"

namespace velorin::sim {

class SimScripting::SimScript : public Script {
public:
    SimScript(std::string source, std::shared_ptr<State> state) : source_(std::move(source)), state_(std::move(state)) {}

    std::optional<std::string> execute() override {
        std::lock_guard lock(state_->mutex);
        state_->executed.push_back(source_);
        auto it = state_->behaviours.find(source_);
        auto error = it == state_->behaviours.end() ? std::nullopt : it->second.error;
        state_->journal.write((error ? "script error " : "script ") + source_);
        return error;
    }

private:
    std::string source_;
    std::shared_ptr<State> state_;
};

std::unique_ptr<Script> SimScripting::makeScript(const std::string& source) {
    if (failures_.shouldFail(FailurePoint::scriptCreation)) return nullptr;
    std::lock_guard lock(state_->mutex);
    auto it = state_->behaviours.find(source);
    if (it != state_->behaviours.end() && !it->second.canBeMade) return nullptr;
    state_->made.push_back(source);
    return std::make_unique<SimScript>(source, state_);
}

void SimScripting::setBehaviour(const std::string& source, ScriptBehaviour behaviour) {
    std::lock_guard lock(state_->mutex);
    state_->behaviours[source] = std::move(behaviour);
}

std::vector<std::string> SimScripting::madeScripts() const {
    std::lock_guard lock(state_->mutex);
    return state_->made;
}

std::vector<std::string> SimScripting::executedScripts() const {
    std::lock_guard lock(state_->mutex);
    return state_->executed;
}

}  // namespace velorin::sim
