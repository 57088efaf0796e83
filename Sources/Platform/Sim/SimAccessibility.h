#pragma once
// The simulated Accessibility interface: a store of elements with attributes,
// one application element per process, the trust switch, and a record of
// every read, write and action.

#include "Platform/Accessibility.h"
#include "Platform/Sim/SimFailures.h"
#include "Platform/Sim/SimJournal.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace velorin::sim {

using Attributes = std::map<std::string, AttributeValue>;

// An element with its children, for building trees; the children become the
// element's "AXChildren" (set only when there are any).
struct SimElement {
    Attributes attributes;
    std::vector<SimElement> children;
};

struct AttributeRead {
    AXElement element;
    std::string attribute;
    bool operator==(const AttributeRead&) const = default;
};

struct AttributeWrite {
    AXElement element;
    std::string attribute;
    AttributeValue value;
    AXError result = AXError::success;
    bool operator==(const AttributeWrite&) const = default;
};

struct PerformedAction {
    AXElement element;
    std::string action;
    AXError result = AXError::success;
    bool operator==(const PerformedAction&) const = default;
};

class SimAccessibility : public Accessibility {
public:
    SimAccessibility(SimFailures& failures, SimJournal& journal);

    bool isProcessTrusted() override;
    bool isProcessTrustedWithPrompt() override;
    AXElement applicationElement(std::int32_t processIdentifier) override;
    AttributeValue copyAttributeValue(AXElement element, const std::string& attribute) override;
    std::optional<AttributeValue> createValue(Point point) override;
    std::optional<AttributeValue> createValue(Size size) override;
    AXError setAttributeValue(AXElement element, const std::string& attribute, const AttributeValue& value) override;
    // Writes as `setAttributeValue`; a write that succeeded keeps `failedLater`
    // until `failStartedWindowChanges`, in place of the element's earlier one.
    AXError setAttributeValueReporting(AXElement element, const std::string& attribute, const AttributeValue& value,
                                       std::function<void()> failedLater) override;
    AXError performAction(AXElement element, const std::string& action) override;

    // The test side. Untrusted (the default is trusted), every read, write and
    // action fails with `apiDisabled`, as the system's do.
    void setTrusted(bool trusted);
    // The next trust tests (with or without the prompt) give these answers in order,
    // then the switch's own again, so a test can change the trust between two of them.
    // Reads, writes and actions keep following the switch.
    void answerTrustTests(std::vector<bool> answers);
    // How often the system would have shown its prompt (asked with the
    // prompt while not trusted).
    int promptsShown() const;

    AXElement addElement(Attributes attributes = {});
    // Adds the tree and gives its root.
    AXElement addTree(const SimElement& root);
    // Makes `element` the application element of the process (replacing any).
    void setApplicationElement(std::int32_t processIdentifier, AXElement element);
    AXElement addApplication(std::int32_t processIdentifier, Attributes attributes = {});
    // The application element added for the process, if any.
    std::optional<AXElement> applicationOf(std::int32_t processIdentifier) const;

    // Reads of attributes no one set fail with `noValue`.
    void setAttribute(AXElement element, const std::string& attribute, AttributeValue value);
    // The value as stored, without recording a read.
    AttributeValue attribute(AXElement element, const std::string& attribute) const;
    // Reads (or writes) of this attribute fail with `error` from now on.
    void failReading(AXElement element, const std::string& attribute, AXError error);
    void failWriting(AXElement element, const std::string& attribute, AXError error);
    // Performing `action` gives `result` (by default every action succeeds).
    void setActionResult(AXElement element, const std::string& action, AXError result);
    // The window changes written so far did not hold, as a desktop that
    // places windows later would tell: the last `failedLater` kept for each
    // element runs now.
    void failStartedWindowChanges();

    std::vector<AttributeRead> reads() const;
    std::vector<AttributeWrite> writes() const;
    std::vector<PerformedAction> performedActions() const;
    void clearRecords();

private:
    struct ElementState {
        Attributes attributes;
        std::map<std::string, AXError> readErrors;
        std::map<std::string, AXError> writeErrors;
        std::map<std::string, AXError> actionResults;
        bool ofNoApp = false;  // the element of a process that runs no app
    };

    bool trustAnswerLocked();
    AXElement addLocked(Attributes attributes);
    AXElement addTreeLocked(const SimElement& root);
    ElementState& stateLocked(AXElement element);

    SimFailures& failures_;
    SimJournal& journal_;
    mutable std::mutex mutex_;
    bool trusted_ = true;
    std::deque<bool> trustAnswers_;
    int prompts_ = 0;
    std::uint64_t nextId_ = 1;
    std::map<std::uint64_t, ElementState> elements_;
    std::map<std::int32_t, AXElement> applications_;
    std::vector<AttributeRead> reads_;
    std::vector<AttributeWrite> writes_;
    std::vector<PerformedAction> actions_;
    std::map<std::uint64_t, std::function<void()>> pendingFailures_;
};

}  // namespace velorin::sim
