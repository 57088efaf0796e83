#pragma once
// The multitouch framework's interface: the contact record as the framework lays
// it out, the contact-frame callback, the device list and the five functions
// that the multitouch source looks up by name. Plain C, so that any library
// exporting these names can stand in for ours.

#include <assert.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct MTPoint {
    float x;
    float y;
} MTPoint;

typedef struct MTVector {
    MTPoint position;
    MTPoint velocity;
} MTVector;

// One contact of one frame, 96 bytes, little-endian; records of a frame are contiguous.
// In `normalized`, positions run 0…1 across the pad with the origin at the bottom left
// (the edge near the user) and velocities are pad fractions per second.
typedef struct MTTouch {
    int32_t frame;
    int32_t padding;
    double timestamp;
    int32_t pathIndex;
    int32_t state;
    int32_t fingerID;
    int32_t handID;
    MTVector normalized;
    float zTotal;
    int32_t field9;
    float angle;
    float majorAxis;
    float minorAxis;
    MTVector absolute;
    int32_t field14;
    int32_t field15;
    float zDensity;
} MTTouch;

static_assert(sizeof(MTPoint) == 8, "MTPoint is two floats");
static_assert(sizeof(MTVector) == 16, "MTVector is two points");
static_assert(sizeof(MTTouch) == 96, "a contact record is 96 bytes");
static_assert(offsetof(MTTouch, frame) == 0, "frame at 0");
static_assert(offsetof(MTTouch, timestamp) == 8, "timestamp at 8");
static_assert(offsetof(MTTouch, pathIndex) == 16, "pathIndex at 16");
static_assert(offsetof(MTTouch, state) == 20, "state at 20");
static_assert(offsetof(MTTouch, fingerID) == 24, "fingerID at 24");
static_assert(offsetof(MTTouch, handID) == 28, "handID at 28");
static_assert(offsetof(MTTouch, normalized) == 32, "normalized at 32");
static_assert(offsetof(MTTouch, zTotal) == 48, "zTotal at 48");
static_assert(offsetof(MTTouch, field9) == 52, "field9 at 52");
static_assert(offsetof(MTTouch, angle) == 56, "angle at 56");
static_assert(offsetof(MTTouch, majorAxis) == 60, "majorAxis at 60");
static_assert(offsetof(MTTouch, minorAxis) == 64, "minorAxis at 64");
static_assert(offsetof(MTTouch, absolute) == 68, "absolute at 68");
static_assert(offsetof(MTTouch, field14) == 84, "field14 at 84");
static_assert(offsetof(MTTouch, field15) == 88, "field15 at 88");
static_assert(offsetof(MTTouch, zDensity) == 92, "zDensity at 92");

// The contact stage numbers of `MTTouch.state`.
enum {
    MTTouchStateNotTracking = 0,
    MTTouchStateStartInRange = 1,
    MTTouchStateHoverInRange = 2,
    MTTouchStateMakeTouch = 3,
    MTTouchStateTouching = 4,
    MTTouchStateBreakTouch = 5,
    MTTouchStateLingerInRange = 6,
    MTTouchStateOutOfRange = 7,
};

// An opaque device; the framework hands the same pointer back as the callback's first argument.
typedef void* MTDeviceRef;

// Called on the framework's own thread for every contact frame of a device it is registered on.
// `touches` may be null; `count` is the number of records. Gives 0.
typedef int32_t (*MTContactFrameCallback)(MTDeviceRef device, const MTTouch* touches, int32_t count,
                                          double timestamp, int32_t frame);

// The list of devices, owned by whoever asked for it: `release(list)` frees it (the devices stay).
typedef struct MTDeviceList {
    int32_t count;
    const MTDeviceRef* devices;
    void (*release)(struct MTDeviceList* list);
} MTDeviceList;

// The touchpads present now, or null when the devices cannot be listed.
MTDeviceList* MTDeviceCreateList(void);
// From now on `callback` gets every contact frame of `device` (registering it twice keeps it once).
void MTRegisterContactFrameCallback(MTDeviceRef device, MTContactFrameCallback callback);
void MTUnregisterContactFrameCallback(MTDeviceRef device, MTContactFrameCallback callback);
// Starts delivering the device's frames (`mode` is 0); a started device resumes by itself
// when it goes away and comes back.
void MTDeviceStart(MTDeviceRef device, int32_t mode);
// Stops delivery; when it returns, no callback of the device runs any more.
void MTDeviceStop(MTDeviceRef device);

#ifdef __cplusplus
}
#endif
