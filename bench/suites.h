#pragma once

#include <string>

namespace aethrian::bench {

// Writes a generated UTF-8 text as a UTF-16LE file with mark into `dir`; returns its path.
std::string writeGenerated(const std::string& dir, const std::string& name, const std::string& utf8);
// The floor of a file: read and decode to UTF-8, fastest of three.
double floorMs(const std::string& path);

// The benchmark suites of the subsystems, run after the record-file suite.
void runExtraSuites(const std::string& dir);
void runLintSuite(const std::string& dir);

} // namespace aethrian::bench
