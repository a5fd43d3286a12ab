#pragma once

#include "app/tableedit.h"
#include "records/table.h"

#include <string_view>

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

// Sorts the data rows by `column` (the header stays). The column goes through dotRem before and
// dotAdd after, as number texts must; rows with equal keys may change their order. Nothing
// changes when the sort fails (a Numeric cell that is not a number). Returns the row order and
// the cells the round trip rewrote.
TableEdit sortTable(Table& table, size_t column, SortRule rule, char divider, bool roundTrip = true);

// The first data row from `fromRow` on whose Name contains `text` (case-sensitive), or 0.
size_t findName(const Table& table, std::string_view text, size_t fromRow = 1);

} // namespace aethrian
