#pragma once
// A simulated file manager: home "/Users/tester", Application Support under
// it, folders listed as the test sets them, display names as set or else the
// last path component.

#include "Platform/FileManager.h"

#include <map>
#include <mutex>

namespace velorin::sim {

class SimFileManager : public FileManager {
public:
    std::string homeDirectory() override {
        std::lock_guard lock(mutex_);
        return home_;
    }
    std::optional<std::string> applicationSupportDirectory() override {
        std::lock_guard lock(mutex_);
        return applicationSupport_;
    }
    std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& path) override {
        std::lock_guard lock(mutex_);
        auto it = folders_.find(path);
        if (it == folders_.end()) return std::nullopt;
        return it->second;
    }
    std::string displayName(const std::string& path) override {
        std::lock_guard lock(mutex_);
        if (auto it = displayNames_.find(path); it != displayNames_.end()) return it->second;
        const auto end = path.find_last_not_of('/');
        if (end == std::string::npos) return path;
        const auto slash = path.find_last_of('/', end);
        const auto start = slash == std::string::npos ? 0 : slash + 1;
        return path.substr(start, end + 1 - start);
    }

    // The test side.
    void setHomeDirectory(std::string path) {
        std::lock_guard lock(mutex_);
        home_ = std::move(path);
    }
    void setApplicationSupportDirectory(std::optional<std::string> path) {
        std::lock_guard lock(mutex_);
        applicationSupport_ = std::move(path);
    }
    // Absent: the folder cannot be listed.
    void setContents(const std::string& folder, std::optional<std::vector<std::string>> entries) {
        std::lock_guard lock(mutex_);
        if (entries) {
            folders_[folder] = std::move(*entries);
        } else {
            folders_.erase(folder);
        }
    }
    void setDisplayName(const std::string& path, std::string name) {
        std::lock_guard lock(mutex_);
        displayNames_[path] = std::move(name);
    }

private:
    std::mutex mutex_;
    std::string home_{"/Users/tester"};
    std::optional<std::string> applicationSupport_{"/Users/tester/Library/Application Support"};
    std::map<std::string, std::vector<std::string>> folders_;
    std::map<std::string, std::string> displayNames_;
};

}  // namespace velorin::sim
