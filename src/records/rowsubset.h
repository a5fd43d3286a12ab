#pragma once

#include "app/log.h"
#include "records/table.h"

#include <cstddef>
#include <string>
#include <vector>

namespace aethrian {

// The data rows a whole-column command visits: every record of the table, or only the records a
// filter of the editor shows. Rows are table rows (1 is the first record); a subset holds each
// row once, in ascending order, so a command visits rows in the same order as over the whole table.
class RowSubset {
  public:
    RowSubset() = default; // every record
    // Only these rows; the header row and duplicates are dropped.
    static RowSubset shown(std::vector<size_t> rows);

    bool everyRow() const { return !filtered_; }
    // The rows of `table` to visit, ascending; rows past its end are left out.
    std::vector<size_t> rowsOf(const Table& table) const;
    // Under a filter, the line that tells a command's log how far it reached:
    // "applied to N of M records shown by the filter". Nothing for every record.
    void logScope(const Table& table, Log& log) const;

  private:
    bool filtered_ = false;
    std::vector<size_t> rows_;
};

} // namespace aethrian
