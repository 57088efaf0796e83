#pragma once
// A save of the configuration that did not happen. `description()` is the text
// shown after "Couldn't save settings: ".

#include <exception>
#include <string>
#include <utility>

namespace velorin {

class ConfigStoreError : public std::exception {
public:
    explicit ConfigStoreError(std::string description) : description_(std::move(description)) {}
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::string description_;
};

}  // namespace velorin
