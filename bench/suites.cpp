#include "suites.h"

namespace aethrian::bench {

// Each subsystem's suite is declared and called here.
void runExtraSuites(const std::string& /*dir*/) {}

} // namespace aethrian::bench
