#pragma once
// The Linux Accessibility adapter as it is, except that the process counts as
// trusted: there is no uinput device in a test, and window commands ask first.

#include <memory>

#include "Platform/Accessibility.h"

namespace velorin::testing {

class TrustedAccessibility : public Accessibility {
public:
    explicit TrustedAccessibility(std::unique_ptr<Accessibility> inner) : inner_(std::move(inner)) {}
    bool isProcessTrusted() override { return true; }
    bool isProcessTrustedWithPrompt() override { return true; }
    AXElement applicationElement(std::int32_t pid) override { return inner_->applicationElement(pid); }
    AttributeValue copyAttributeValue(AXElement e, const std::string& a) override {
        return inner_->copyAttributeValue(e, a);
    }
    std::optional<AttributeValue> createValue(Point p) override { return inner_->createValue(p); }
    std::optional<AttributeValue> createValue(Size s) override { return inner_->createValue(s); }
    AXError setAttributeValue(AXElement e, const std::string& a, const AttributeValue& v) override {
        return inner_->setAttributeValue(e, a, v);
    }
    AXError setAttributeValueReporting(AXElement e, const std::string& a, const AttributeValue& v,
                                       std::function<void()> failedLater) override {
        return inner_->setAttributeValueReporting(e, a, v, std::move(failedLater));
    }
    AXError performAction(AXElement e, const std::string& a) override { return inner_->performAction(e, a); }

private:
    std::unique_ptr<Accessibility> inner_;
};

}  // namespace velorin::testing
