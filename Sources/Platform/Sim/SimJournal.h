#pragma once
// One line of text for every effect the simulated desktop saw, across all its
// services and in the order they happened, so a test can state a whole
// scenario's outcome "and nothing else". Reads (queries, attribute reads,
// button states) are not effects and are not written.
//
// Lines:
//   post <location> keyDown|keyUp <code> flags 0x<hex>[ source <state>][ text U+XXXX…]
//   post <location> systemDefined type <t> subtype <s> data1 0x<hex> data2 <n> flags 0x<hex>
//   openApplication <path>[ inactive][ arguments <a> <b> …]
//   open <url>            open refused <url>
//   hide <pid>            activate <pid>
//   AX set <element> <attribute> <value>[ -> <error>]
//   AX perform <element> <action>[ -> <error>]
//   start <executable>[ <argument> …]      start failed <executable>
//   run <executable>[ <argument> …]        run failed <executable>
//   script <source>       script error <source>
//   login item register|unregister[ failed]
//   haptic <pattern> <time>
//   pasteboard clear      pasteboard set <text>
//   defaults set <key> <value>             defaults remove <key>

#include "Platform/Accessibility.h"
#include "Platform/EventSystem.h"
#include "Platform/PropertyValue.h"

#include <mutex>
#include <string>
#include <vector>

namespace velorin::sim {

// Thread-safe.
class SimJournal {
public:
    void write(std::string line);
    std::vector<std::string> lines() const;
    // The lines since the last `take` (or the start), clearing them.
    std::vector<std::string> take();
    void clear();

    static std::string describe(EventTapLocation location);
    static std::string describe(const Event& event);
    static std::string describe(const AttributeValue& value);
    static std::string describe(AXError error);
    static std::string describe(const PropertyValue& value);

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace velorin::sim
