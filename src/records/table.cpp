#include "records/table.h"

namespace aethrian {

namespace {
const Table::Row kHeader{" ", "Name", "Type", "ID"};
}

Table::Table() {
    reset();
}

void Table::setColCount(size_t cols) {
    cols_ = cols;
    for (auto& r : rows_)
        r.resize(cols);
}

void Table::setRowCount(size_t rows) {
    rows_.resize(rows, Row(cols_));
}

void Table::appendRow() {
    rows_.emplace_back(cols_);
}

void Table::appendRow(Row cells) {
    cells.resize(cols_);
    rows_.push_back(std::move(cells));
}

void Table::removeLastRow() {
    if (rows_.size() > 1)
        rows_.pop_back();
}

void Table::adoptRows(std::vector<Row> rows, size_t cols) {
    for (Row& r : rows)
        r.resize(cols);
    rows_ = std::move(rows);
    cols_ = cols;
    if (rows_.empty())
        resetHeaderOnly();
}

void Table::permuteRows(const std::vector<size_t>& order) {
    std::vector<Row> reordered;
    reordered.reserve(rows_.size());
    reordered.push_back(std::move(rows_[0]));
    for (size_t i : order)
        reordered.push_back(std::move(rows_[i + 1]));
    rows_ = std::move(reordered);
}

void Table::reset() {
    cols_ = kHeader.size();
    rows_.clear();
    rows_.push_back(kHeader);
    rows_.emplace_back(cols_);
}

void Table::resetHeaderOnly() {
    cols_ = kHeader.size();
    rows_.clear();
    rows_.push_back(kHeader);
}

size_t Table::findColumn(const std::string& key) const {
    for (size_t c = 0; c < cols_; ++c) {
        if (rows_[0][c] == key)
            return c;
    }
    return npos;
}

std::string dumpTable(const Table& table) {
    std::string out;
    for (const auto& r : table.rows()) {
        for (size_t c = 0; c < r.size(); ++c) {
            if (c)
                out += '|';
            out += r[c];
        }
        out += '\n';
    }
    return out;
}

} // namespace aethrian
