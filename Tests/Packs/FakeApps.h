#pragma once
// An app directory with the answers a test gives: installed apps and names.

#include <map>
#include <set>
#include <string>

#include "Velorin/Packs/AppDirectory.h"

namespace velorin::testing {

struct FakeApps {
    std::set<std::string> installed;
    std::map<std::string, std::string> names;
    mutable int installedLookups = 0;

    AppDirectory directory() const {
        return AppDirectory{
            [this](const std::string& id) {
                ++installedLookups;
                return installed.contains(id);
            },
            [this](const std::string& id) {
                auto it = names.find(id);
                return it == names.end() ? id : it->second;
            },
        };
    }
};

}  // namespace velorin::testing
