#pragma once

#include "app/log.h"
#include "records/rowsubset.h"
#include "records/table.h"
#include "records/tableedit.h"

#include <string>

namespace aethrian {

// Find duplicates: in the order of a sort by Name (ignoring A-Z case) logs neighbours with equal
// names, then in the order of a sort by ID (numeric) neighbours with equal IDs, then "Found N
// duplicates". Plans the table sorted by ID. A non-numeric ID ends the command with the conversion
// error, planning nothing (the name findings stay logged).
TableEdit findDuplicates(const Table& table, char divider, Log& log);

// Find drop number errors over the drop lists at positions 19 and 21.
void findDropNumberErrors(const Table& table, char divider, Log& log);

// Round column to INTEGER: every cell of `rows` in whole-number form, or nothing at all when one
// is not a number ("Error occured on id:" + that cell); "DONE" in every case.
TableEdit roundColumn(const Table& table, size_t column, char divider, Log& log,
                      const RowSubset& rows = {});

// Fill with...: the text in the column of every data row.
TableEdit fillColumn(const Table& table, size_t column, const std::string& text);
// The same over `rows`; under a filter the log says how many records it reached.
TableEdit fillColumn(const Table& table, size_t column, const std::string& text,
                     const RowSubset& rows, Log& log);

} // namespace aethrian
