#pragma once

#include "app/errors.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// A TAB or a line break inside a cell would split its record on saving, so edits refuse them.
inline constexpr const char* kCellBreakMessage = "A cell cannot hold a TAB or a line break";
inline bool fitsInCell(std::string_view text) {
    return text.find_first_of("\t\r\n") == std::string_view::npos;
}
// For operations: the refusal as an expected problem, before anything has changed.
inline void requireFitsInCell(std::string_view text) {
    if (!fitsInCell(text))
        throw ExpectedProblem(kCellBreakMessage);
}

// A data table in grid coordinates: row 0 is the header (field keys from column 4 on),
// rows 1.. are records. Every row always has colCount() cells.
class Table {
  public:
    using Row = std::vector<std::string>;

    // The initial state of an editor table: the four header cells and one empty data row.
    Table();

    size_t rowCount() const { return rows_.size(); }
    size_t colCount() const { return cols_; }
    size_t recordCount() const { return rows_.empty() ? 0 : rows_.size() - 1; }

    const std::string& cell(size_t row, size_t col) const { return rows_[row][col]; }
    std::string& cell(size_t row, size_t col) { return rows_[row][col]; }
    void setCell(size_t row, size_t col, std::string text) { rows_[row][col] = std::move(text); }
    // A cell outside the table reads as empty, as on the grid: for readers of fixed columns that a
    // narrow file may not have.
    std::string_view text(size_t row, size_t col) const {
        return row < rows_.size() && col < cols_ ? std::string_view(rows_[row][col])
                                                 : std::string_view();
    }

    const Row& row(size_t r) const { return rows_[r]; }
    Row& row(size_t r) { return rows_[r]; }
    const std::vector<Row>& rows() const { return rows_; }

    void setColCount(size_t cols);
    void setRowCount(size_t rows);
    void appendRow();
    // Appends a row; a shorter one is padded with empty cells, a longer one is cut.
    void appendRow(Row cells);
    void removeLastRow();
    // Replaces every row, the header included; each row is padded or cut to `cols` cells.
    void adoptRows(std::vector<Row> rows, size_t cols);
    void swapRows(size_t a, size_t b) { rows_[a].swap(rows_[b]); }
    // Reorders data rows: new row i+1 is old row order[i]+1.
    void permuteRows(const std::vector<size_t>& order);

    // Back to the initial state: header " ", "Name", "Type", "ID" and one empty row.
    void reset();
    // Header only (no data row): what a load starts filling.
    void resetHeaderOnly();

    // The first column whose header is `key`, or npos.
    size_t findColumn(const std::string& key) const;
    static constexpr size_t npos = static_cast<size_t>(-1);

  private:
    std::vector<Row> rows_;
    size_t cols_ = 0;
};

// A canonical text dump (cells joined by "|", rows by "\n") that tests compare against.
std::string dumpTable(const Table& table);

} // namespace aethrian
