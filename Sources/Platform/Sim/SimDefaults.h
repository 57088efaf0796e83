#pragma once
// Simulated user defaults: this app's keys and other domains' keys in memory,
// all absent at first.

#include "Platform/Defaults.h"
#include "Platform/Sim/SimJournal.h"

#include <map>
#include <memory>
#include <mutex>

namespace velorin::sim {

class SimDefaults : public Defaults {
public:
    explicit SimDefaults(SimJournal& journal) : journal_(journal) {}

    using Defaults::object;

    std::optional<PropertyValue> object(const std::string& key) override;
    void set(const std::string& key, const PropertyValue& value) override;
    void remove(const std::string& key) override;
    std::optional<PropertyValue> object(const std::string& key, const std::string& domain) override;
    ObserverToken addObserver(Observer observer) override;
    void removeObserver(ObserverToken token) override;

    // The test side: another domain's key, absent for none.
    void setInDomain(const std::string& domain, const std::string& key, std::optional<PropertyValue> value);

private:
    void notify(const std::string& key);

    SimJournal& journal_;
    std::mutex mutex_;
    std::map<std::string, PropertyValue> own_;
    std::map<std::string, std::map<std::string, PropertyValue>> domains_;
    std::map<ObserverToken, std::shared_ptr<Observer>> observers_;
    ObserverToken nextToken_ = 1;
};

}  // namespace velorin::sim
