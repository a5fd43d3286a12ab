#include "records/rowsubset.h"

#include <algorithm>

namespace aethrian {

RowSubset RowSubset::shown(std::vector<size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!rows.empty() && rows.front() == 0)
        rows.erase(rows.begin());
    RowSubset subset;
    subset.filtered_ = true;
    subset.rows_ = std::move(rows);
    return subset;
}

std::vector<size_t> RowSubset::rowsOf(const Table& table) const {
    std::vector<size_t> out;
    if (filtered_) {
        const auto end = std::lower_bound(rows_.begin(), rows_.end(), table.rowCount());
        out.assign(rows_.begin(), end);
        return out;
    }
    out.reserve(table.recordCount());
    for (size_t r = 1; r < table.rowCount(); ++r)
        out.push_back(r);
    return out;
}

void RowSubset::logScope(const Table& table, Log& log) const {
    if (!filtered_)
        return;
    log.add("applied to " + std::to_string(rowsOf(table).size()) + " of " +
            std::to_string(table.recordCount()) + " records shown by the filter");
}

} // namespace aethrian
