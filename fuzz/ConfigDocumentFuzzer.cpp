// Any bytes given to the configuration document's decoder either decode or fail
// with a ConfigDecodeError; nothing else may escape, crash or trip a sanitizer.
// What decodes must write out and read back as the same configuration.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Config/AppConfig.h"

using namespace velorin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    AppConfig config;
    try {
        config = AppConfig::decode(text);
    } catch (const ConfigDecodeError&) {
        return 0;
    }
    // A file can hold no number that is not finite, so writing what it gave cannot fail.
    const AppConfig again = AppConfig::decode(json::dumpPretty(config.toJson()));
    if (!(again == config)) std::abort();
    return 0;
}
