#pragma once
// Real touchpad recordings (libinput's record format) as test fixtures: the device
// they were made on, their events, and the frames our evdev stand-in makes of them.

#include <linux/input.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MultitouchSupport/EvdevTranslator.h"
#include "TouchInput/Touch.h"

struct libevdev;

namespace velorin::testing {

struct Recording {
    std::string deviceName;
    multitouch::TouchpadAxes axes;
    std::map<int, std::vector<int>> codes;             // event type to its codes
    std::map<int, std::vector<int>> absinfo;           // axis to [min, max, fuzz, flat, resolution]
    std::vector<int> properties;                       // INPUT_PROP_* numbers
    std::vector<std::vector<input_event>> reports;     // the events, one list per SYN_REPORT frame
};

// The recordings folder, Tests/data/recordings.
std::filesystem::path recordingsDir();

// Reads `fileName` from the recordings folder; throws std::runtime_error naming the file and what is wrong.
Recording loadRecording(const std::string& fileName);

// The contact frames the stand-in delivers for the recording, read as its reader thread
// reads them, with the repeat frames of a silent finger at their due times.
std::vector<multitouch::ContactFrame> contactFrames(const Recording& recording);

// The same frames as the multitouch source hands them on, for trackpad `device`.
std::vector<TouchFrame> touchFrames(const Recording& recording, long device = 0);

// libevdev's view of the recorded device, described in memory.
struct LibevdevFree {
    void operator()(libevdev* device) const;
};
std::unique_ptr<libevdev, LibevdevFree> describeDevice(const Recording& recording);

}  // namespace velorin::testing
