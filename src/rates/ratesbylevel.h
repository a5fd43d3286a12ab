#pragma once

#include "records/table.h"

#include <optional>
#include <string>
#include <vector>

namespace aethrian {

// What the "Rates by level" chart shows of an NPC comparison in x-rate mode: for each paired
// monster (a result row that is not "N/A"), its level and the experience, skill point and adena
// ratios of the first file over the second. A ratio is missing where the row's cell holds none:
// a value of "0", a field the records lack, an adena entry only one file has.
struct LevelRates {
    size_t row = 0; // grid row of the comparison result
    std::string name;
    double level = 0;
    std::optional<double> exp, sp, adena;
};

// Reads the rows of an x-rate comparison grid (header row 0, as compareRecords makes it). Rows
// without a readable level are left out.
std::vector<LevelRates> ratesByLevel(const Table& grid, char divider);

// The ratio an x-rate cell shows ("2x", "0,5x"), or none for a cell that holds no ratio.
std::optional<double> cellRatio(std::string_view cell, char divider);
// The minimum's ratio of the "[adena]" entry of a list ratio text, or none.
std::optional<double> adenaRatio(std::string_view listRatio, char divider);

} // namespace aethrian
