#pragma once
// Simulated scripting: every source makes a script that runs without error,
// unless the test says otherwise for that source.

#include "Platform/Scripting.h"
#include "Platform/Sim/SimFailures.h"
#include "Platform/Sim/SimJournal.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace velorin::sim {

struct ScriptBehaviour {
    bool canBeMade = true;
    // The error text that executing reports; none for success.
    std::optional<std::string> error;
};

class SimScripting : public Scripting {
public:
    SimScripting(SimFailures& failures, SimJournal& journal)
        : failures_(failures), state_(std::make_shared<State>(journal)) {}

    std::unique_ptr<Script> makeScript(const std::string& source) override;

    // The test side.
    void setBehaviour(const std::string& source, ScriptBehaviour behaviour);
    // Sources of the scripts made and executed, in order.
    std::vector<std::string> madeScripts() const;
    std::vector<std::string> executedScripts() const;

private:
    struct State {
        explicit State(SimJournal& journal) : journal(journal) {}
        SimJournal& journal;
        std::mutex mutex;
        std::map<std::string, ScriptBehaviour> behaviours;
        std::vector<std::string> made;
        std::vector<std::string> executed;
    };
    class SimScript;

    SimFailures& failures_;
    std::shared_ptr<State> state_;
};

}  // namespace velorin::sim
