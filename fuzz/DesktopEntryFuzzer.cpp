// Any bytes in an applications folder either read as a desktop entry or not;
// nothing may crash or trip a sanitizer. An entry's Exec= line becomes the
// arguments of a started process, so what it gives must be exactly what the
// line quotes: no field code left in it, no quote half-open, and quoting the
// arguments again must read back as the same arguments.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Platform/Linux/DesktopEntry.h"

using namespace velorin::linux_platform;

namespace {

// Exec= quoting of one argument, before the value layer's escapes.
std::string quoted(const std::string& argument) {
    std::string out = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        if (c == '%') out += '%';
        out += c;
    }
    return out + '"';
}

bool isFieldCode(char c) { return std::string_view("fFuUdDnNickvm").find(c) != std::string_view::npos; }

void checkExec(std::string_view exec) {
    const auto args = execArguments(exec);
    if (!args) return;
    if (args->empty()) std::abort();
    // A literal percent sign comes only from "%%" (or a lone one at the end).
    if (exec.find("%%") == std::string_view::npos) {
        for (const auto& arg : *args) {
            for (std::size_t i = 0; i + 1 < arg.size(); ++i) {
                if (arg[i] == '%' && isFieldCode(arg[i + 1])) std::abort();
            }
        }
    }
    std::string again;
    for (const auto& arg : *args) again += (again.empty() ? "" : " ") + quoted(arg);
    const auto reread = execArguments(again);
    if (!reread || *reread != *args) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto entry = parseDesktopEntry(text, "fuzzed", "/applications/fuzzed.desktop")) {
        if (entry->id != "fuzzed") std::abort();
        checkExec(entry->exec);
    }
    // The Exec= grammar on its own, as bytes that never went through a file.
    checkExec(text);
    return 0;
}
