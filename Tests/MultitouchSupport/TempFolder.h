#pragma once
// A folder of the test's own under /tmp, removed with everything in it.

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace velorin::testing {

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/velorin-test-XXXXXX";
        path_ = mkdtemp(name);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace velorin::testing
