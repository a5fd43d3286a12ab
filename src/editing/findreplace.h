#pragma once

#include "records/table.h"
#include "records/tableedit.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace aethrian {

// What Find and replace looks for in a table. Texts are compared byte by byte; ignoring case folds
// A-Z only, as the name searches and sorts do, since record text is single-byte in the files.
struct FindOptions {
    std::string find;
    bool wholeCell = false; // the cell must equal `find`, not merely contain it
    bool matchCase = true;
    size_t column = Table::npos; // one column, or npos: every column from Name on (not the margin)
};

// A cell in grid coordinates (row 1 is the first record).
struct CellPos {
    size_t row = 0;
    size_t col = 0;
    bool operator==(const CellPos&) const = default;
};

inline constexpr const char* kEmptyFindMessage = "You must insert a text to find";
inline constexpr const char* kReplaceBreakMessage =
    "The replacement holds a TAB or a line break, which would split the record when it is saved. "
    "Nothing was replaced.";

// Refuses, as an expected problem and before anything is planned, an empty find text and a
// replacement that a cell cannot hold.
void requireReplaceable(const FindOptions& options, std::string_view replacement);

bool cellMatches(std::string_view cell, const FindOptions& options);

// The cell's text after the replacement: all of it for a whole-cell match, otherwise every
// occurrence, left to right, none overlapping. A cell that does not match comes back unchanged.
std::string replaceInCell(std::string_view cell, const FindOptions& options,
                          std::string_view replacement);

// The first matching cell after `after` in reading order (row by row, left to right through the
// scope), wrapping round past the last record; `after` itself is tried last, so pressing Find next
// again and again visits every match once. A row of 0 starts at the first record.
std::optional<CellPos> findNextCell(const Table& table, const FindOptions& options, CellPos after);

// Replace: the one cell at `at` when it is in the scope and matches, otherwise nothing.
TableEdit planReplaceCell(const Table& table, const FindOptions& options,
                          std::string_view replacement, CellPos at);
// Replace all: every matching cell of the scope as one edit, in one pass over the table.
TableEdit planReplaceAll(const Table& table, const FindOptions& options,
                         std::string_view replacement);

// The column that holds the record IDs: "ID" on the NPC, ITEM and pet tables, the "skill_id" key on
// the skill table; npos when there is none.
size_t idColumn(const Table& table);
// The first record from row `from` on, wrapping round to the first record, whose ID is `id`
// (surrounding blanks ignored on both sides, as skill values carry them); 0 when there is none.
size_t findRecordById(const Table& table, std::string_view id, size_t from = 1);

} // namespace aethrian
