#include "Platform/Linux/TouchpadAccess.h"

#include <linux/input.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velorin::linux_platform {

namespace {

// A sysfs bit mask: words of the kernel's long, most significant first.
bool hasBit(const std::string& mask, unsigned bit) {
    std::istringstream in(mask);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    const unsigned perWord = sizeof(unsigned long) * 8;
    const std::size_t index = bit / perWord;
    if (index >= words.size()) return false;
    const std::string& word = words[words.size() - 1 - index];
    unsigned long long value = 0;
    try {
        value = std::stoull(word, nullptr, 16);
    } catch (...) {
        return false;
    }
    return (value >> (bit % perWord)) & 1u;
}

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    return text;
}

}  // namespace

bool isTouchpadCapabilities(const std::string& abs, const std::string& key, const std::string& properties) {
    for (unsigned code : {ABS_MT_SLOT, ABS_MT_TRACKING_ID, ABS_MT_POSITION_X, ABS_MT_POSITION_Y}) {
        if (!hasBit(abs, code)) return false;
    }
    if (hasBit(properties, INPUT_PROP_DIRECT)) return false;
    const bool fingerTool = hasBit(key, BTN_TOOL_FINGER) && !hasBit(key, BTN_TOOL_PEN);
    return hasBit(properties, INPUT_PROP_POINTER) || fingerTool;
}

std::vector<std::string> unreadableTouchpads(const std::string& sysClassInput, const std::string& devInput,
                                             const std::function<bool(const std::string&)>& readable) {
    namespace fs = std::filesystem;
    std::vector<std::string> unreadable;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sysClassInput, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("event", 0) != 0) continue;
        const fs::path device = entry.path() / "device";
        if (!isTouchpadCapabilities(contents(device / "capabilities" / "abs"), contents(device / "capabilities" / "key"),
                                    contents(device / "properties"))) {
            continue;
        }
        const std::string node = (fs::path(devInput) / name).string();
        const bool canRead = readable ? readable(node) : ::access(node.c_str(), R_OK) == 0;
        if (!canRead) unreadable.push_back(node);
    }
    std::sort(unreadable.begin(), unreadable.end());
    return unreadable;
}

}  // namespace velorin::linux_platform
