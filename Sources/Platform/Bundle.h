#pragma once
// This app's bundle: its identity, the values of its information list and its
// resources; and the identity of other bundles on disk.

#include "Platform/PropertyValue.h"

#include <optional>
#include <string>

namespace velorin {

class Bundle {
public:
    virtual ~Bundle() = default;

    virtual std::optional<std::string> bundleIdentifier() = 0;
    // "CFBundleShortVersionString" and "CFBundleVersion".
    virtual std::optional<std::string> shortVersion() = 0;
    virtual std::optional<std::string> buildVersion() = 0;
    // The information-list value under `key` ("SUFeedURL", ...), of any kind;
    // absent when the key is not there.
    virtual std::optional<PropertyValue> objectForInfoDictionaryKey(const std::string& key) = 0;
    // The absolute path of the resource `name`.`extension` in `subdirectory`
    // ("PackIcons") of the app's resources; absent when there is no such file.
    virtual std::optional<std::string> pathForResource(const std::string& name, const std::string& extension,
                                                       const std::string& subdirectory) = 0;

    // The identifier of the app bundle at `path`; absent when the path is not
    // a bundle or the bundle has none.
    virtual std::optional<std::string> bundleIdentifierAtPath(const std::string& path) = 0;
};

}  // namespace velorin
