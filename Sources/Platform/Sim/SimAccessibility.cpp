#include "Platform/Sim/SimAccessibility.h"

#include <stdexcept>

namespace velorin::sim {

SimAccessibility::SimAccessibility(SimFailures& failures, SimJournal& journal)
    : failures_(failures), journal_(journal) {}

namespace {

std::string outcome(AXError result) {
    return result == AXError::success ? std::string() : " -> " + SimJournal::describe(result);
}

}  // namespace

bool SimAccessibility::trustAnswerLocked() {
    if (trustAnswers_.empty()) return trusted_;
    const bool answer = trustAnswers_.front();
    trustAnswers_.pop_front();
    return answer;
}

bool SimAccessibility::isProcessTrusted() {
    std::lock_guard lock(mutex_);
    return trustAnswerLocked();
}

bool SimAccessibility::isProcessTrustedWithPrompt() {
    std::lock_guard lock(mutex_);
    const bool trusted = trustAnswerLocked();
    if (!trusted) ++prompts_;
    return trusted;
}

AXElement SimAccessibility::applicationElement(std::int32_t processIdentifier) {
    std::lock_guard lock(mutex_);
    if (auto it = applications_.find(processIdentifier); it != applications_.end()) return it->second;
    AXElement element = addLocked({});
    elements_[element.id].ofNoApp = true;
    applications_[processIdentifier] = element;
    return element;
}

AttributeValue SimAccessibility::copyAttributeValue(AXElement element, const std::string& attribute) {
    std::lock_guard lock(mutex_);
    reads_.push_back({element, attribute});
    if (!trusted_) return AXFailure{AXError::apiDisabled};
    auto it = elements_.find(element.id);
    if (it == elements_.end()) return AXFailure{AXError::invalidUIElement};
    const ElementState& state = it->second;
    if (state.ofNoApp) return AXFailure{AXError::cannotComplete};
    if (auto e = state.readErrors.find(attribute); e != state.readErrors.end()) return AXFailure{e->second};
    if (auto a = state.attributes.find(attribute); a != state.attributes.end()) return a->second;
    return AXFailure{AXError::noValue};
}

std::optional<AttributeValue> SimAccessibility::createValue(Point point) {
    if (failures_.shouldFail(FailurePoint::accessibilityValue)) return std::nullopt;
    return AttributeValue{point};
}

std::optional<AttributeValue> SimAccessibility::createValue(Size size) {
    if (failures_.shouldFail(FailurePoint::accessibilityValue)) return std::nullopt;
    return AttributeValue{size};
}

AXError SimAccessibility::setAttributeValue(AXElement element, const std::string& attribute,
                                            const AttributeValue& value) {
    return setAttributeValueReporting(element, attribute, value, {});
}

AXError SimAccessibility::setAttributeValueReporting(AXElement element, const std::string& attribute,
                                                     const AttributeValue& value, std::function<void()> failedLater) {
    std::lock_guard lock(mutex_);
    AXError result = AXError::success;
    auto it = elements_.find(element.id);
    if (!trusted_) {
        result = AXError::apiDisabled;
    } else if (it == elements_.end()) {
        result = AXError::invalidUIElement;
    } else if (it->second.ofNoApp) {
        result = AXError::cannotComplete;
    } else if (auto e = it->second.writeErrors.find(attribute); e != it->second.writeErrors.end()) {
        result = e->second;
    } else if (std::holds_alternative<AXMissing>(value) || std::holds_alternative<AXFailure>(value)) {
        result = AXError::illegalArgument;
    } else {
        it->second.attributes[attribute] = value;
    }
    // A later write to the element takes the place of the earlier ones.
    if (result == AXError::success) pendingFailures_[element.id] = std::move(failedLater);
    writes_.push_back({element, attribute, value, result});
    journal_.write("AX set " + std::to_string(element.id) + " " + attribute + " " + SimJournal::describe(value) +
                   outcome(result));
    return result;
}

AXError SimAccessibility::performAction(AXElement element, const std::string& action) {
    std::lock_guard lock(mutex_);
    AXError result = AXError::success;
    auto it = elements_.find(element.id);
    if (!trusted_) {
        result = AXError::apiDisabled;
    } else if (it == elements_.end()) {
        result = AXError::invalidUIElement;
    } else if (it->second.ofNoApp) {
        result = AXError::cannotComplete;
    } else if (auto r = it->second.actionResults.find(action); r != it->second.actionResults.end()) {
        result = r->second;
    }
    actions_.push_back({element, action, result});
    journal_.write("AX perform " + std::to_string(element.id) + " " + action + outcome(result));
    return result;
}

void SimAccessibility::setTrusted(bool trusted) {
    std::lock_guard lock(mutex_);
    trusted_ = trusted;
}

void SimAccessibility::answerTrustTests(std::vector<bool> answers) {
    std::lock_guard lock(mutex_);
    trustAnswers_.assign(answers.begin(), answers.end());
}

int SimAccessibility::promptsShown() const {
    std::lock_guard lock(mutex_);
    return prompts_;
}

AXElement SimAccessibility::addLocked(Attributes attributes) {
    AXElement element{nextId_++};
    elements_[element.id].attributes = std::move(attributes);
    return element;
}

AXElement SimAccessibility::addTreeLocked(const SimElement& root) {
    AXElement element = addLocked(root.attributes);
    if (!root.children.empty()) {
        std::vector<AXElement> children;
        children.reserve(root.children.size());
        for (const auto& child : root.children) children.push_back(addTreeLocked(child));
        elements_[element.id].attributes["AXChildren"] = std::move(children);
    }
    return element;
}

SimAccessibility::ElementState& SimAccessibility::stateLocked(AXElement element) {
    auto it = elements_.find(element.id);
    if (it == elements_.end()) throw std::invalid_argument("No such simulated element");
    return it->second;
}

AXElement SimAccessibility::addElement(Attributes attributes) {
    std::lock_guard lock(mutex_);
    return addLocked(std::move(attributes));
}

AXElement SimAccessibility::addTree(const SimElement& root) {
    std::lock_guard lock(mutex_);
    return addTreeLocked(root);
}

void SimAccessibility::setApplicationElement(std::int32_t processIdentifier, AXElement element) {
    std::lock_guard lock(mutex_);
    stateLocked(element);
    applications_[processIdentifier] = element;
}

AXElement SimAccessibility::addApplication(std::int32_t processIdentifier, Attributes attributes) {
    std::lock_guard lock(mutex_);
    AXElement element = addLocked(std::move(attributes));
    applications_[processIdentifier] = element;
    return element;
}

std::optional<AXElement> SimAccessibility::applicationOf(std::int32_t processIdentifier) const {
    std::lock_guard lock(mutex_);
    auto it = applications_.find(processIdentifier);
    if (it == applications_.end()) return std::nullopt;
    auto state = elements_.find(it->second.id);
    if (state == elements_.end() || state->second.ofNoApp) return std::nullopt;
    return it->second;
}

void SimAccessibility::setAttribute(AXElement element, const std::string& attribute, AttributeValue value) {
    std::lock_guard lock(mutex_);
    stateLocked(element).attributes[attribute] = std::move(value);
}

AttributeValue SimAccessibility::attribute(AXElement element, const std::string& attribute) const {
    std::lock_guard lock(mutex_);
    auto it = elements_.find(element.id);
    if (it == elements_.end()) return AXFailure{AXError::invalidUIElement};
    auto a = it->second.attributes.find(attribute);
    if (a == it->second.attributes.end()) return AXFailure{AXError::noValue};
    return a->second;
}

void SimAccessibility::failReading(AXElement element, const std::string& attribute, AXError error) {
    std::lock_guard lock(mutex_);
    stateLocked(element).readErrors[attribute] = error;
}

void SimAccessibility::failWriting(AXElement element, const std::string& attribute, AXError error) {
    std::lock_guard lock(mutex_);
    stateLocked(element).writeErrors[attribute] = error;
}

void SimAccessibility::setActionResult(AXElement element, const std::string& action, AXError result) {
    std::lock_guard lock(mutex_);
    stateLocked(element).actionResults[action] = result;
}

std::vector<AttributeRead> SimAccessibility::reads() const {
    std::lock_guard lock(mutex_);
    return reads_;
}

std::vector<AttributeWrite> SimAccessibility::writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

std::vector<PerformedAction> SimAccessibility::performedActions() const {
    std::lock_guard lock(mutex_);
    return actions_;
}

void SimAccessibility::clearRecords() {
    std::lock_guard lock(mutex_);
    reads_.clear();
    writes_.clear();
    actions_.clear();
}

void SimAccessibility::failStartedWindowChanges() {
    std::map<std::uint64_t, std::function<void()>> failures;
    {
        std::lock_guard lock(mutex_);
        failures.swap(pendingFailures_);
    }
    for (auto& [element, failed] : failures) {
        if (failed) failed();
    }
}

}  // namespace velorin::sim
