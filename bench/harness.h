#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace aethrian::bench {

struct Measurement {
    double ms = 0;
    long peakKb = 0; // peak resident set of the child that ran the operation
};

// Runs `op` in a forked child (so its peak memory is its own) `repeat` times, and a short one
// more often (up to 15 runs within about half a second), and keeps the fastest run.
Measurement measure(const std::function<void()>& op, int repeat = 3);
// As measure, with an untimed `setup` run first in the same child (e.g. loading the table that
// `op` saves), so the parent never holds the large data.
Measurement measure(const std::function<void()>& setup, const std::function<void()>& op,
                    int repeat = 3);

// Prints one row of the results table: operation, records, MB, ms, MB/s, ratio to floor, peak.
void printHeader();
void printRow(const std::string& operation, size_t records, double megabytes, const Measurement& m,
              double floorMs);

// A scratch folder for generated files.
std::string scratchDir();

} // namespace aethrian::bench
