#include "Velorin/Settings/SeeThroughPreference.h"

#include "Platform/Defaults.h"
#include "Platform/Platform.h"
#include "Velorin/Settings/WindowLayers.h"

namespace velorin {

SeeThroughPreference::SeeThroughPreference(QObject* parent)
    : QObject(parent), defaults_(platform::current().defaults()) {
    token_ = defaults_.addObserver([this](const std::string& key) {
        if (key == SeeThrough::defaultsKey) emit changed();
    });
}

SeeThroughPreference::~SeeThroughPreference() { defaults_.removeObserver(token_); }

double SeeThroughPreference::stored() const { return defaults_.doubleForKey(SeeThrough::defaultsKey); }

void SeeThroughPreference::set(double value) { defaults_.set(SeeThrough::defaultsKey, PropertyValue(value)); }

}  // namespace velorin
