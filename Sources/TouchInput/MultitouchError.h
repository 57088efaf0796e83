#pragma once
// Why the multitouch source could not start; `description()` is shown to the user.

#include <exception>
#include <string>

namespace velorin {

class MultitouchError final : public std::exception {
public:
    enum class Kind { symbolMissing, frameworkNotFound, noDevices };

    static MultitouchError symbolMissing(std::string name);
    static MultitouchError frameworkNotFound();
    static MultitouchError noDevices();

    Kind kind() const { return kind_; }
    const std::string& symbol() const { return symbol_; }  // the missing function's name
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }
    bool operator==(const MultitouchError& other) const { return kind_ == other.kind_ && symbol_ == other.symbol_; }

private:
    MultitouchError(Kind kind, std::string symbol);

    Kind kind_;
    std::string symbol_;
    std::string description_;
};

}  // namespace velorin
