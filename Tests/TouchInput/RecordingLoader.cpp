#include "RecordingLoader.h"

#include <libevdev/libevdev.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <stdexcept>

#include "TouchInput/ContactRecords.h"

namespace velorin::testing {

namespace fs = std::filesystem;

fs::path recordingsDir() { return VELORIN_RECORDINGS_DIR; }

namespace {

[[noreturn]] void fail(const std::string& file, const std::string& what) {
    throw std::runtime_error("recording " + file + ": " + what);
}

std::optional<multitouch::AxisRange> rangeOf(const std::map<int, std::vector<int>>& absinfo, int code) {
    const auto it = absinfo.find(code);
    if (it == absinfo.end() || it->second.size() < 2) return std::nullopt;
    return multitouch::AxisRange{it->second[0], it->second[1]};
}

}  // namespace

Recording loadRecording(const std::string& fileName) {
    const fs::path path = recordingsDir() / fileName;
    YAML::Node root;
    try {
        root = YAML::LoadFile(path.string());
    } catch (const YAML::Exception& e) {
        fail(path.string(), e.what());
    }
    const YAML::Node device = root["devices"][0];
    if (!device) fail(path.string(), "no device");
    const YAML::Node evdev = device["evdev"];

    Recording r;
    try {
        r.deviceName = evdev["name"].as<std::string>();
        for (const auto& entry : evdev["codes"]) r.codes[entry.first.as<int>()] = entry.second.as<std::vector<int>>();
        for (const auto& entry : evdev["absinfo"]) {
            r.absinfo[entry.first.as<int>()] = entry.second.as<std::vector<int>>();
        }
        r.properties = evdev["properties"].as<std::vector<int>>();
        for (const auto& frame : device["events"]) {
            std::vector<input_event> report;
            for (const auto& row : frame["evdev"]) {
                const auto v = row.as<std::vector<long long>>();
                if (v.size() != 5) fail(path.string(), "an event is not [sec, usec, type, code, value]");
                input_event e{};
                e.input_event_sec = static_cast<decltype(e.input_event_sec)>(v[0]);
                e.input_event_usec = static_cast<decltype(e.input_event_usec)>(v[1]);
                e.type = static_cast<decltype(e.type)>(v[2]);
                e.code = static_cast<decltype(e.code)>(v[3]);
                e.value = static_cast<decltype(e.value)>(v[4]);
                report.push_back(e);
            }
            r.reports.push_back(std::move(report));
        }
    } catch (const YAML::Exception& e) {
        fail(path.string(), e.what());
    }

    const auto x = rangeOf(r.absinfo, ABS_MT_POSITION_X);
    const auto y = rangeOf(r.absinfo, ABS_MT_POSITION_Y);
    if (!x || !y) fail(path.string(), "no multitouch position axes");
    r.axes.x = *x;
    r.axes.y = *y;
    r.axes.pressure = rangeOf(r.absinfo, ABS_MT_PRESSURE);
    r.axes.touchMajor = rangeOf(r.absinfo, ABS_MT_TOUCH_MAJOR);
    const auto has = [](const std::vector<int>& list, int value) {
        return std::find(list.begin(), list.end(), value) != list.end();
    };
    r.axes.semiMultitouch = has(r.properties, INPUT_PROP_SEMI_MT);
    r.axes.touchButton = r.codes.count(EV_KEY) && has(r.codes.at(EV_KEY), BTN_TOUCH);
    const auto slots = rangeOf(r.absinfo, ABS_MT_SLOT);
    r.axes.slotCount = slots ? slots->maximum + 1 : 1;
    return r;
}

std::vector<multitouch::ContactFrame> contactFrames(const Recording& recording) {
    multitouch::TouchpadSnapshot snapshot;
    snapshot.axes = recording.axes;
    snapshot.slots.resize(static_cast<std::size_t>(recording.axes.slotCount));
    multitouch::EvdevTranslator translator(snapshot);

    std::vector<multitouch::ContactFrame> frames;
    for (const auto& report : recording.reports) {
        if (report.empty()) continue;
        // A report arrives whole; before it, the reader's deadline may pass.
        const double arrival = static_cast<double>(report.front().input_event_sec) +
                               static_cast<double>(report.front().input_event_usec) * 1e-6;
        for (auto due = translator.nextRepeatTime(); due && *due <= arrival; due = translator.nextRepeatTime()) {
            auto frame = translator.repeat(*due);
            if (!frame) break;
            frames.push_back(std::move(*frame));
        }
        for (const auto& event : report) {
            for (auto& frame : translator.feed(event)) frames.push_back(std::move(frame));
        }
    }
    return frames;
}

std::vector<TouchFrame> touchFrames(const Recording& recording, long device) {
    std::vector<TouchFrame> frames;
    for (const auto& frame : contactFrames(recording)) {
        frames.push_back(TouchFrame{device, frame.timestamp,
                                    touchesFromRecords(frame.touches.data(),
                                                       static_cast<std::int32_t>(frame.touches.size()))});
    }
    return frames;
}

void LibevdevFree::operator()(libevdev* device) const { libevdev_free(device); }

std::unique_ptr<libevdev, LibevdevFree> describeDevice(const Recording& recording) {
    std::unique_ptr<libevdev, LibevdevFree> device(libevdev_new());
    libevdev_set_name(device.get(), recording.deviceName.c_str());
    for (const auto& [type, codes] : recording.codes) {
        if (type == EV_SYN) continue;
        for (int code : codes) {
            input_absinfo info{};
            const auto abs = recording.absinfo.find(code);
            if (type == EV_ABS && abs != recording.absinfo.end() && abs->second.size() == 5) {
                info.minimum = abs->second[0];
                info.maximum = abs->second[1];
                info.fuzz = abs->second[2];
                info.flat = abs->second[3];
                info.resolution = abs->second[4];
            }
            libevdev_enable_event_code(device.get(), static_cast<unsigned>(type), static_cast<unsigned>(code),
                                       type == EV_ABS ? &info : nullptr);
        }
    }
    for (int property : recording.properties) libevdev_enable_property(device.get(), static_cast<unsigned>(property));
    return device;
}

}  // namespace velorin::testing
