#pragma once
// A multitouch framework that tests steer. It exports the framework's five functions
// (a variant of it lacks one) and these controls.

#include <stdint.h>

#include "MultitouchSupport/MultitouchSupport.h"

extern "C" {

// Back to no callbacks, no calls and a list of one device.
void fakeMTReset(void);
// The size of the next device list; -1: the list function gives null.
void fakeMTSetDeviceCount(int count);
// Delivers a frame to the callbacks registered on device `index` (0…7), on the calling thread.
// `index` -1 delivers for a null device, -2 for a device that no list holds.
void fakeMTDeliver(int index, const MTTouch* touches, int32_t count, double timestamp);
// The same from a thread of the framework's own, joined before it returns.
void fakeMTDeliverOnThread(int index, const MTTouch* touches, int32_t count, double timestamp);
// A frame already on its way: to every callback ever registered, unregistered ones included.
void fakeMTDeliverLate(int index, const MTTouch* touches, int32_t count, double timestamp);
// The calls made so far, e.g. "list register0 start0:0 unregister0 stop0".
const char* fakeMTCalls(void);
// Device lists given out and not released.
int fakeMTListsAlive(void);
}
