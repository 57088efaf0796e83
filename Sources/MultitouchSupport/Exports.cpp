// The five functions the multitouch source looks up, over the touchpads of
// makeExportedBackend() (evdev in the shipped library).

#include <memory>

#include "MultitouchSupport/DeviceRegistry.h"
#include "MultitouchSupport/ExportedBackend.h"
#include "MultitouchSupport/MultitouchSupport.h"

#define MT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using velorin::multitouch::DeviceRegistry;

// Destroyed when the library is unloaded or the process exits: that stops every
// device and joins its threads.
DeviceRegistry& registry() {
    static DeviceRegistry shared(velorin::multitouch::makeExportedBackend());
    return shared;
}

}  // namespace

// Nothing may unwind into the caller, which may be C.
MT_EXPORT MTDeviceList* MTDeviceCreateList(void) {
    try {
        return registry().createList();
    } catch (...) {
        return nullptr;
    }
}

MT_EXPORT void MTRegisterContactFrameCallback(MTDeviceRef device, MTContactFrameCallback callback) {
    try {
        registry().registerCallback(device, callback);
    } catch (...) {
    }
}

MT_EXPORT void MTUnregisterContactFrameCallback(MTDeviceRef device, MTContactFrameCallback callback) {
    try {
        registry().unregisterCallback(device, callback);
    } catch (...) {
    }
}

MT_EXPORT void MTDeviceStart(MTDeviceRef device, int32_t) {
    try {
        registry().start(device);
    } catch (...) {
    }
}

MT_EXPORT void MTDeviceStop(MTDeviceRef device) {
    try {
        registry().stop(device);
    } catch (...) {
    }
}
