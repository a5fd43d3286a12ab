#pragma once

#include "records/table.h"
#include "records/tableedit.h"

#include <string_view>
#include <vector>

namespace aethrian {

// How a column is compared when a table is sorted by it.
enum class SortRule {
    TextNoCase, // by character code after mapping a-z onto A-Z
    Numeric,    // both read as numbers; a cell that is not one ends the sort
    ByValue,    // integers as integers, else numbers as numbers, else texts by code
};

// NPC table: text for columns 0-2, by value from 3 on. ITEM table: numeric for the ID, text for
// every other column.
SortRule npcSortRule(size_t column);
SortRule itemSortRule(size_t column);

// The order the sort leaves the data rows in: element i is the data row (0-based) that ends at
// place i. The rows start in `start` (the table's own order when empty), since rows with equal keys
// end where the exchanges from that order put them. With `roundTrip` the keys are the cells after
// dotRem. Throws when a Numeric cell is not a number.
std::vector<size_t> sortOrder(const Table& table, size_t column, SortRule rule, char divider,
                              bool roundTrip, std::vector<size_t> start = {});

// Plans sorting the data rows by `column` (the header stays). The column goes through dotRem
// before and dotAdd after, as number texts must; rows with equal keys may change their order.
// Returns the row order and the cells the round trip rewrites; throws, planning nothing, when the
// sort fails (a Numeric cell that is not a number).
TableEdit sortTable(const Table& table, size_t column, SortRule rule, char divider);

// The first data row from `fromRow` on whose Name contains `text` (case-sensitive), or 0.
size_t findName(const Table& table, std::string_view text, size_t fromRow = 1);

} // namespace aethrian
