#pragma once
// Where the exported functions' touchpads come from. The shipped library reads
// evdev; a library built for tests links Exports.cpp with a backend of its own.

#include <memory>

#include "MultitouchSupport/DeviceBackend.h"

namespace velorin::multitouch {

std::unique_ptr<DeviceBackend> makeExportedBackend();

}  // namespace velorin::multitouch
