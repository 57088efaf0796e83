#pragma once
// A device backend that tests steer: touchpads come and go at the test's word, and
// each open touchpad is a queue the test feeds with events, ticks and its removal.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "MultitouchSupport/DeviceBackend.h"

namespace velorin::testing {

class FakeBackend final : public multitouch::DeviceBackend {
public:
    struct Pad {
        multitouch::DeviceIdentity identity;
        multitouch::TouchpadSnapshot snapshot;
    };

    // What a test does; shared with the backend, which the registry owns.
    class Control {
    public:
        void plug(const std::string& node, Pad pad);
        void unplug(const std::string& node);  // the node disappears; an open stream reports it gone
        void send(const std::string& node, std::vector<input_event> events);
        void tick(const std::string& node, double now);  // the reader's deadline passes at `now`
        void changed();                                  // the device folder changed
        void grab(const std::string& node, bool grabbed);  // another program grabs the node, or lets go
        // Waits (for threads, not for time) until `node` was opened `count` times in all.
        bool waitForOpens(const std::string& node, int count);
        int opens(const std::string& node);
        // Waits until the node's streams were asked `count` times in all whether it is grabbed.
        bool waitForGrabChecks(const std::string& node, int count);
        bool watching();
        // The login manager switches this session off the seat or back onto it; an
        // interrupted read then reports `now` as its time.
        void switchSession(bool active, double now);
        // The desktop's touchpad switch says `state` now; an interrupted read then reports `now`.
        void switchTouchpads(multitouch::TouchpadSwitch state, double now);
        bool watchingTouchpadSwitch();
        // Waits until the node's reader took everything sent and waits for more.
        bool waitForIdle(const std::string& node);
        bool watchingSession();

        // What the fake streams and watches share with the test, under `mutex`.
        struct Item {
            enum class Kind { events, tick, gone } kind;
            std::vector<input_event> events;
            double now = 0;
        };
        struct Channel {
            std::deque<Item> items;
            bool interrupted = false;
            bool waiting = false;  // the reader waits in next()
        };
        struct Watch {
            int changes = 0;
            bool closed = false;
        };

        std::mutex mutex;
        std::condition_variable cv;
        std::map<std::string, Pad> present;
        std::map<std::string, std::shared_ptr<Channel>> streams;  // the latest stream of each node
        std::map<std::string, int> openCount;
        std::map<std::string, bool> grabbed;
        std::map<std::string, int> grabChecks;
        std::shared_ptr<Watch> watch;
        std::function<void(bool)> sessionChanged;  // while the registry watches the session
        bool sessionActive = true;
        std::function<void(const multitouch::TouchpadSwitch&)> touchpadSwitchChanged;  // while watched
        multitouch::TouchpadSwitch touchpadSwitch;
        double interruptNow = 0;
    };

    explicit FakeBackend(std::shared_ptr<Control> control) : control_(std::move(control)) {}

    std::vector<multitouch::FoundDevice> scan() override;
    std::unique_ptr<multitouch::EventStream> open(const std::string& node) override;
    std::unique_ptr<multitouch::ChangeWatch> watch() override;
    std::unique_ptr<multitouch::SessionWatch> watchSession(std::function<void(bool)> changed) override;
    std::unique_ptr<multitouch::TouchpadSwitchWatch> watchTouchpadSwitch(
        std::function<void(const multitouch::TouchpadSwitch&)> changed) override;

private:
    std::shared_ptr<Control> control_;
};

}  // namespace velorin::testing
