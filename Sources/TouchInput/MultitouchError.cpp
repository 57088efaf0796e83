#include "TouchInput/MultitouchError.h"

namespace velorin {

namespace {

std::string describe(MultitouchError::Kind kind, const std::string& symbol) {
    switch (kind) {
        case MultitouchError::Kind::symbolMissing: return "MultitouchSupport symbol missing: " + symbol;
        case MultitouchError::Kind::frameworkNotFound: return "MultitouchSupport.framework could not be loaded";
        case MultitouchError::Kind::noDevices: return "No multitouch trackpads found";
    }
    return {};
}

}  // namespace

MultitouchError::MultitouchError(Kind kind, std::string symbol)
    : kind_(kind), symbol_(std::move(symbol)), description_(describe(kind_, symbol_)) {}

MultitouchError MultitouchError::symbolMissing(std::string name) { return {Kind::symbolMissing, std::move(name)}; }
MultitouchError MultitouchError::frameworkNotFound() { return {Kind::frameworkNotFound, {}}; }
MultitouchError MultitouchError::noDevices() { return {Kind::noDevices, {}}; }

}  // namespace velorin
