// Sets each test program's environment before anything else runs (Qt reads
// QT_QPA_PLATFORM when the application object is made). CTest's discovered
// tests cannot carry a list-valued environment, so the program sets its own.

#include <cstdlib>
#include <string>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        const std::string all = VELORIN_TEST_ENVIRONMENT;
        std::size_t start = 0;
        while (start <= all.size()) {
            const std::size_t end = std::min(all.find('|', start), all.size());
            const std::string entry = all.substr(start, end - start);
            if (const auto eq = entry.find('='); eq != std::string::npos && eq > 0) {
                setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
            }
            start = end + 1;
        }
    }
};

const TestEnvironment environment;

}  // namespace
