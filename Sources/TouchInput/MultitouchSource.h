#pragma once
// Delivers the contact frames of every touchpad to one handler. The multitouch
// framework is a shared library loaded at run time; its five functions are looked
// up by name, and it calls back on a thread of its own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MultitouchSupport/MultitouchSupport.h"
#include "TouchInput/MultitouchError.h"
#include "TouchInput/TouchSource.h"

namespace velorin {

class MultitouchSource final : public TouchSource {
public:
    // Our stand-in framework, installed beside the executable.
    static std::string defaultLibraryPath();

    explicit MultitouchSource(std::string libraryPath = defaultLibraryPath());
    ~MultitouchSource() override;  // stops delivery when still started
    MultitouchSource(const MultitouchSource&) = delete;
    MultitouchSource& operator=(const MultitouchSource&) = delete;

    // Throws MultitouchError. The handler is process-wide: a later start replaces an
    // earlier one's handler (the framework's callback carries no context).
    void start(TouchFrameHandler handler) override;
    void stop() override;
    long deviceCount() const { return static_cast<long>(devices_.size()); }

private:
    using CallbackFn = void (*)(MTDeviceRef, MTContactFrameCallback);
    using StartFn = void (*)(MTDeviceRef, std::int32_t);
    using StopFn = void (*)(MTDeviceRef);
    struct ReleaseList {
        void operator()(MTDeviceList* list) const;
    };

    static std::int32_t frameCallback(MTDeviceRef device, const MTTouch* touches, std::int32_t count,
                                      double timestamp, std::int32_t frame);

    std::string libraryPath_;
    std::unique_ptr<MTDeviceList, ReleaseList> deviceList_;
    std::vector<MTDeviceRef> devices_;
    CallbackFn register_ = nullptr;
    CallbackFn unregister_ = nullptr;
    StartFn startFn_ = nullptr;
    StopFn stopFn_ = nullptr;
};

}  // namespace velorin
