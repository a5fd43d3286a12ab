#pragma once

#include "app/errors.h"
#include "records/table.h"

#include <optional>
#include <string>
#include <string_view>

namespace aethrian {

// The place of cell (row, column) of `table`: the row's Name and ID and the column's header.
CellPlace cellPlace(const Table& table, size_t row, size_t column);

// The second line a conversion error on a cell adds for a reader:
// `at row 12, record "gremlin", ID 20001, column exp`.
std::string cellPlaceLine(const CellPlace& place);

// Runs `read`, which reads cell (row, column) of `table`: an OperationError it throws leaves
// with the cell's place attached (unless an inner read attached one first), its text unchanged.
template <class Read>
decltype(auto) readingCell(const Table& table, size_t row, size_t column, Read&& read) {
    try {
        return read();
    } catch (OperationError& e) {
        if (!e.cell)
            e.cell = cellPlace(table, row, column);
        throw;
    }
}

// The record a finding is about: its table, its grid row when the finding was made, and its Name
// and ID, which find the record again after the rows have moved.
struct RecordPlace {
    const Table* table = nullptr;
    size_t row = 0;
    std::string name, id;
};
RecordPlace recordPlace(const Table& table, size_t row);

// The grid row holding the record of `place`: its own row while that still holds the record, else
// the first row with its Name (when given) and ID (when given); 0 when there is none.
size_t findRecordRow(const Table& table, const RecordPlace& place);

// The record a log line names in the words the checks write: "[name]" or a first word after
// "NPC", "ITEM" or "item", followed by "(ID:id)" or "(id)"; or an ID alone after "ID", "ID:" or
// "npc id". nullopt when the line names neither a name nor an ID.
std::optional<RecordPlace> recordNamedIn(std::string_view line);

} // namespace aethrian
