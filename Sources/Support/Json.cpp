#include "Support/Json.h"

#include <charconv>
#include <cstdlib>

namespace velorin {

ConfigDecodeError::ConfigDecodeError(std::string path, std::string message)
    : path_(std::move(path)), message_(std::move(message)) {
    description_ = path_.empty() ? message_ : message_ + " (at " + path_ + ")";
}

namespace json {
namespace {

const char* kindName(const Json& j) {
    switch (j.type()) {
        case Json::value_t::null: return "null";
        case Json::value_t::object: return "an object";
        case Json::value_t::array: return "an array";
        case Json::value_t::string: return "a string";
        case Json::value_t::boolean: return "a boolean";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float: return "a number";
        case Json::value_t::binary: return "binary data";
        case Json::value_t::discarded: return "nothing";
    }
    return "nothing";
}

std::string childPath(const std::string& parent, std::string_view key) {
    if (parent.empty()) return std::string(key);
    std::string p = parent;
    p += '.';
    p += key;
    return p;
}

}  // namespace

Reader::Reader(const Json& node, std::string path) : node_(&node), path_(std::move(path)) {}

void Reader::fail(const std::string& message) const { throw ConfigDecodeError(path_, message); }

std::string Reader::string() const {
    if (!node_->is_string()) fail(std::string("Expected a string but found ") + kindName(*node_));
    return node_->get<std::string>();
}

bool Reader::boolean() const {
    if (!node_->is_boolean()) fail(std::string("Expected a boolean but found ") + kindName(*node_));
    return node_->get<bool>();
}

double Reader::number() const {
    if (!node_->is_number()) fail(std::string("Expected a number but found ") + kindName(*node_));
    return node_->get<double>();
}

float Reader::float32() const {
    const double v = number();
    if (std::isfinite(v) && std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
        fail("Number " + node_->dump() + " does not fit in a 32-bit float");
    }
    return static_cast<float>(v);
}

std::int64_t Reader::int64() const {
    if (node_->is_number_integer() && !node_->is_number_unsigned()) return node_->get<std::int64_t>();
    if (node_->is_number_unsigned()) {
        const auto u = node_->get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            fail("Number " + node_->dump() + " does not fit");
        }
        return static_cast<std::int64_t>(u);
    }
    if (node_->is_number_float()) fail("Expected an integer but found " + node_->dump());
    fail(std::string("Expected an integer but found ") + kindName(*node_));
}

std::vector<Reader> Reader::array() const {
    if (!node_->is_array()) fail(std::string("Expected an array but found ") + kindName(*node_));
    std::vector<Reader> out;
    out.reserve(node_->size());
    for (std::size_t i = 0; i < node_->size(); ++i) out.push_back(element(i));
    return out;
}

void Reader::requireObject() const {
    if (!node_->is_object()) fail(std::string("Expected an object but found ") + kindName(*node_));
}

std::vector<std::string> Reader::keys() const {
    requireObject();
    std::vector<std::string> out;
    for (const auto& [k, v] : node_->items()) out.push_back(k);
    return out;
}

bool Reader::has(std::string_view key) const {
    requireObject();
    auto it = node_->find(key);
    return it != node_->end() && !it->is_null();
}

std::optional<Reader> Reader::member(std::string_view key) const {
    requireObject();
    auto it = node_->find(key);
    if (it == node_->end() || it->is_null()) return std::nullopt;
    return Reader(*it, childPath(path_, key));
}

Reader Reader::require(std::string_view key) const {
    auto m = member(key);
    if (!m) fail("No value for key \"" + std::string(key) + "\"");
    return *m;
}

Reader Reader::element(std::size_t index) const {
    return Reader((*node_)[index], path_ + "[" + std::to_string(index) + "]");
}

std::string Reader::stringOr(std::string_view key, std::string fallback) const {
    auto m = member(key);
    return m ? m->string() : std::move(fallback);
}

bool Reader::boolOr(std::string_view key, bool fallback) const {
    auto m = member(key);
    return m ? m->boolean() : fallback;
}

double Reader::numberOr(std::string_view key, double fallback) const {
    auto m = member(key);
    return m ? m->number() : fallback;
}

float Reader::floatOr(std::string_view key, float fallback) const {
    auto m = member(key);
    return m ? m->float32() : fallback;
}

Json parse(std::string_view text) {
    try {
        return Json::parse(text.begin(), text.end());
    } catch (const Json::exception& e) {
        // Syntax errors, and also numbers too large for a double ("1e400"), which the
        // parser reports as out of range rather than as a syntax error.
        throw ConfigDecodeError({}, std::string("The data isn't valid JSON: ") + e.what());
    }
}

Json fromFloat(float value) {
    if (!std::isfinite(value)) throw JsonEncodeError("Can't write a number that is not finite");
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    *res.ptr = '\0';
    return Json(std::strtod(buf, nullptr));
}

Json fromDouble(double value) {
    if (!std::isfinite(value)) throw JsonEncodeError("Can't write a number that is not finite");
    return Json(value);
}

std::string dumpPretty(const Json& value) { return value.dump(2); }

}  // namespace json
}  // namespace velorin
