#pragma once
// A simulated app bundle: identifier "com.quillmere.velorin", version 1.0
// (build 1), an information list without an update feed, no resources.

#include "Platform/Bundle.h"

#include <map>
#include <mutex>

namespace velorin::sim {

class SimBundle : public Bundle {
public:
    std::optional<std::string> bundleIdentifier() override { return locked([&] { return identifier_; }); }
    std::optional<std::string> shortVersion() override { return locked([&] { return shortVersion_; }); }
    std::optional<std::string> buildVersion() override { return locked([&] { return buildVersion_; }); }
    std::optional<PropertyValue> objectForInfoDictionaryKey(const std::string& key) override {
        return locked([&]() -> std::optional<PropertyValue> {
            auto it = info_.find(key);
            if (it == info_.end()) return std::nullopt;
            return it->second;
        });
    }
    std::optional<std::string> pathForResource(const std::string& name, const std::string& extension,
                                               const std::string& subdirectory) override {
        return locked([&]() -> std::optional<std::string> {
            auto it = resources_.find(resourceKey(name, extension, subdirectory));
            if (it == resources_.end()) return std::nullopt;
            return it->second;
        });
    }
    std::optional<std::string> bundleIdentifierAtPath(const std::string& path) override {
        return locked([&]() -> std::optional<std::string> {
            auto it = bundlesOnDisk_.find(path);
            if (it == bundlesOnDisk_.end()) return std::nullopt;
            return it->second;
        });
    }

    // The test side.
    void setBundleIdentifier(std::optional<std::string> identifier) { locked([&] { identifier_ = std::move(identifier); }); }
    void setVersions(std::optional<std::string> shortVersion, std::optional<std::string> build) {
        locked([&] {
            shortVersion_ = std::move(shortVersion);
            buildVersion_ = std::move(build);
        });
    }
    // Absent removes the key.
    void setInfo(const std::string& key, std::optional<PropertyValue> value) {
        locked([&] {
            if (value) {
                info_[key] = std::move(*value);
            } else {
                info_.erase(key);
            }
        });
    }
    void addResource(const std::string& name, const std::string& extension, const std::string& subdirectory,
                     std::string path) {
        locked([&] { resources_[resourceKey(name, extension, subdirectory)] = std::move(path); });
    }
    // A bundle on disk; an absent identifier makes it a bundle without one.
    void addBundleOnDisk(const std::string& path, std::optional<std::string> identifier) {
        locked([&] {
            if (identifier) {
                bundlesOnDisk_[path] = std::move(*identifier);
            } else {
                bundlesOnDisk_.erase(path);
            }
        });
    }

private:
    static std::string resourceKey(const std::string& name, const std::string& extension, const std::string& subdirectory) {
        return subdirectory + "/" + name + "." + extension;
    }
    template <typename F>
    auto locked(F f) -> decltype(f()) {
        std::lock_guard lock(mutex_);
        return f();
    }

    std::mutex mutex_;
    std::optional<std::string> identifier_{"com.quillmere.velorin"};
    std::optional<std::string> shortVersion_{"1.0"};
    std::optional<std::string> buildVersion_{"1"};
    std::map<std::string, PropertyValue> info_;
    std::map<std::string, std::string> resources_;
    std::map<std::string, std::string> bundlesOnDisk_;
};

}  // namespace velorin::sim
