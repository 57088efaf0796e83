#pragma once
// Why the click source could not start. The engine drops it and runs without clicks.

#include <cstddef>
#include <exception>
#include <functional>
#include <string>

namespace velorin {

class ClickSourceError final : public std::exception {
public:
    enum class Kind { tapUnavailable };

    static ClickSourceError tapUnavailable() { return ClickSourceError(Kind::tapUnavailable); }

    Kind kind() const { return kind_; }
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }
    bool operator==(const ClickSourceError& other) const { return kind_ == other.kind_; }

private:
    explicit ClickSourceError(Kind kind);

    Kind kind_;
    std::string description_;
};

}  // namespace velorin

template <>
struct std::hash<velorin::ClickSourceError> {
    std::size_t operator()(const velorin::ClickSourceError& e) const noexcept {
        return std::hash<int>()(static_cast<int>(e.kind()));
    }
};
