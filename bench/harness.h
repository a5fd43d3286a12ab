#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace aethrian::bench {

struct Measurement {
    double ms = 0;
    long peakKb = 0; // peak resident set of the child that ran the operation
};

// Runs `op` in a forked child (so its peak memory is its own) `repeat` times and keeps the
// fastest run.
Measurement measure(const std::function<void()>& op, int repeat = 3);

// Prints one row of the results table: operation, records, MB, ms, MB/s, ratio to floor, peak.
void printHeader();
void printRow(const std::string& operation, size_t records, double megabytes, const Measurement& m,
              double floorMs);

// A scratch folder for generated files.
std::string scratchDir();

} // namespace aethrian::bench
