#pragma once

#include "app/log.h"
#include "app/tableedit.h"
#include "records/table.h"

#include <string>

namespace aethrian {

// Find duplicates: sorts by Name (ignoring A-Z case) and logs neighbours with equal names, then
// sorts by ID (numeric) and logs neighbours with equal IDs, then "Found N duplicates". The table
// stays sorted by ID. A non-numeric ID ends the command with the conversion error and leaves the
// rows as they were (the name findings stay logged).
TableEdit findDuplicates(Table& table, char divider, Log& log);

// Find drop number errors over the drop lists at positions 19 and 21.
void findDropNumberErrors(const Table& table, char divider, Log& log);

// Round column to INTEGER: every cell in whole-number form, or nothing at all when a cell is not a
// number ("Error occured on id:" + that cell); "DONE" in every case.
TableEdit roundColumn(Table& table, size_t column, char divider, Log& log);

// Fill with...: the text in the column of every data row.
TableEdit fillColumn(Table& table, size_t column, const std::string& text);

} // namespace aethrian
