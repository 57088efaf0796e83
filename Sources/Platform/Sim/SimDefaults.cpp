#include "Platform/Sim/SimDefaults.h"

#include <vector>

namespace velorin::sim {

std::optional<PropertyValue> SimDefaults::object(const std::string& key) {
    std::lock_guard lock(mutex_);
    auto it = own_.find(key);
    if (it == own_.end()) return std::nullopt;
    return it->second;
}

void SimDefaults::set(const std::string& key, const PropertyValue& value) {
    {
        std::lock_guard lock(mutex_);
        own_[key] = value;
    }
    journal_.write("defaults set " + key + " " + SimJournal::describe(value));
    notify(key);
}

void SimDefaults::remove(const std::string& key) {
    {
        std::lock_guard lock(mutex_);
        if (!own_.erase(key)) return;
    }
    journal_.write("defaults remove " + key);
    notify(key);
}

std::optional<PropertyValue> SimDefaults::object(const std::string& key, const std::string& domain) {
    std::lock_guard lock(mutex_);
    auto d = domains_.find(domain);
    if (d == domains_.end()) return std::nullopt;
    auto it = d->second.find(key);
    if (it == d->second.end()) return std::nullopt;
    return it->second;
}

ObserverToken SimDefaults::addObserver(Observer observer) {
    std::lock_guard lock(mutex_);
    const ObserverToken token = nextToken_++;
    observers_.emplace(token, std::make_shared<Observer>(std::move(observer)));
    return token;
}

void SimDefaults::removeObserver(ObserverToken token) {
    std::lock_guard lock(mutex_);
    observers_.erase(token);
}

void SimDefaults::setInDomain(const std::string& domain, const std::string& key, std::optional<PropertyValue> value) {
    std::lock_guard lock(mutex_);
    if (value) {
        domains_[domain][key] = std::move(*value);
    } else if (auto d = domains_.find(domain); d != domains_.end()) {
        d->second.erase(key);
    }
}

void SimDefaults::notify(const std::string& key) {
    std::vector<std::pair<ObserverToken, std::shared_ptr<Observer>>> told;
    {
        std::lock_guard lock(mutex_);
        told.assign(observers_.begin(), observers_.end());
    }
    for (const auto& [token, observer] : told) {
        {
            std::lock_guard lock(mutex_);
            if (!observers_.count(token)) continue;
        }
        (*observer)(key);
    }
}

}  // namespace velorin::sim
