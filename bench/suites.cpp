#include "suites.h"

namespace aethrian::bench {

void runRatesSuite(const std::string& dir);

// Each subsystem's suite is declared and called here.
void runExtraSuites(const std::string& dir) {
    runRatesSuite(dir);
}

} // namespace aethrian::bench
