#pragma once

#include <cstddef>
#include <string>

namespace aethrian::bench {

// Writes a generated UTF-8 text as a UTF-16LE file with mark into `dir`; returns its path.
std::string writeGenerated(const std::string& dir, const std::string& name,
                           const std::string& utf8);
// The floor of a file: read and decode to UTF-8, fastest of three.
double floorMs(const std::string& path);

// Generated inputs the suites share (UTF-8 text, one record a line).
// The second file of a comparison pair: records shuffled, rates doubled, every 50th left out.
std::string secondOf(const std::string& first);
// Skilldata records as the record loader reads them (keys written without spaces).
std::string skillData(size_t records);
// A weapongrp client dump.
std::string weaponDump(size_t records);

// Every CLI command against its floor at 10,000 and 20,000 records, and the adversarial inputs;
// with `only`, just the commands whose label holds that text.
void runCliSuite(const std::string& dir, const std::string& only = "");

// The benchmark suites of the subsystems, run after the record-file suite.
void runExtraSuites(const std::string& dir);
void runLintSuite(const std::string& dir);
// The editor's row filter (only when the editor is built).
void runFilterSuite(const std::string& dir);

} // namespace aethrian::bench
