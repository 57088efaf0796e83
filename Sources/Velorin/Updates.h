#pragma once
// Software updates: available only when the bundle names an update feed
// ("SUFeedURL") and the platform has an update framework to read it. Decided
// once, when the application model is made.

#include <functional>
#include <memory>

namespace velorin {

class Bundle;

// The update framework's standard updater, started when it is made; it runs
// its own checks and windows.
class UpdateController {
public:
    virtual ~UpdateController() = default;
    // A check the user asked for; the framework shows its own windows.
    virtual void checkForUpdates() = 0;
};

class Updates {
public:
    // Makes and starts the framework's updater. Empty where the platform has
    // no update framework (Linux), so there is never an updater there.
    using Framework = std::function<std::unique_ptr<UpdateController>()>;

    static constexpr const char* feedKey = "SUFeedURL";

    Updates(Bundle& bundle, const Framework& framework);
    Updates(const Updates&) = delete;
    Updates& operator=(const Updates&) = delete;

    // Absent when there is no updating; the menu then offers no check.
    UpdateController* controller() const { return controller_.get(); }

private:
    std::unique_ptr<UpdateController> controller_;
};

}  // namespace velorin
