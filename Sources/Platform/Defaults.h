#pragma once
// User defaults: this app's own keys, read and written, and keys of other
// domains (other apps' and the system's preferences), read only.

#include "Platform/ObserverToken.h"
#include "Platform/PropertyValue.h"

#include <functional>
#include <optional>
#include <string>

namespace velorin {

class Defaults {
public:
    // Told the key of every change of this app's own defaults, on the thread
    // that made it.
    using Observer = std::function<void(const std::string& key)>;

    virtual ~Defaults() = default;

    virtual std::optional<PropertyValue> object(const std::string& key) = 0;
    virtual void set(const std::string& key, const PropertyValue& value) = 0;
    virtual void remove(const std::string& key) = 0;

    // A key of another domain ("com.apple.AppleMultitouchTrackpad"); absent
    // when the domain or the key does not exist.
    virtual std::optional<PropertyValue> object(const std::string& key, const std::string& domain) = 0;

    virtual ObserverToken addObserver(Observer observer) = 0;
    virtual void removeObserver(ObserverToken token) = 0;

    // Typed reads with the defaults' own coercions: absent reads as false, 0
    // or nothing; a number is true when it is not 0; a text is true when it is
    // "YES", "true" or a number other than 0 (in any case), and gives a number
    // when it is one.
    bool boolForKey(const std::string& key);
    double doubleForKey(const std::string& key);
    std::optional<std::string> stringForKey(const std::string& key);
    bool boolForKey(const std::string& key, const std::string& domain);

    static bool boolValue(const std::optional<PropertyValue>& value);
    static double doubleValue(const std::optional<PropertyValue>& value);
};

}  // namespace velorin
