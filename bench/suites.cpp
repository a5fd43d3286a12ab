#include "suites.h"

namespace aethrian::bench {

void runRatesSuite(const std::string& dir);
void runEditingSuite(const std::string& dir);
void runChecksSuite(const std::string& dir);
void runGeneratorsSuite(const std::string& dir);
void runVcsSuite(const std::string& dir);
void runLintSuite(const std::string& dir);

// Each subsystem's suite is declared and called here.
void runExtraSuites(const std::string& dir) {
    runRatesSuite(dir);
    runEditingSuite(dir);
#ifdef AETHRIAN_BENCH_UI
    runFilterSuite(dir);
#endif
    runChecksSuite(dir);
    runGeneratorsSuite(dir);
    runVcsSuite(dir);
    runCliSuite(dir);
    runLintSuite(dir);
}

} // namespace aethrian::bench
