#pragma once
// The platform of a real Linux desktop. Make it after the QGuiApplication.

#include <memory>

#include "Platform/Platform.h"

namespace velorin::linux_platform {

std::unique_ptr<Platform> makeLinuxPlatform();

}  // namespace velorin::linux_platform
