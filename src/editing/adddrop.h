#pragma once

#include "app/log.h"
#include "records/npccolumns.h"
#include "records/rowsubset.h"
#include "records/table.h"
#include "records/tableedit.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace aethrian {

// V + A x level + B x level^2, one row of the Add drop dialog.
struct DropFormula {
    std::string v, a, b;
};

// The boxes of the Add drop dialog, with their defaults.
struct AddDropSettings {
    std::string item;                           // Edit1
    DropFormula min{"1", "0", "0"};             // Edit2, Edit3, Edit16
    DropFormula max{"1", "0", "0,001"};         // Edit4, Edit5, Edit17
    DropFormula chance{"0,01", "0", "0,00025"}; // Edit6, Edit7, Edit18
    std::string minLevel = "1";                 // Edit8
    std::string clan;                           // Edit13
    std::string kind;                           // Edit14
    std::string percent = "100";                // Edit15
};

struct DropValues {
    std::string min, max, chance; // with the divider as separator, no dotAdd
};

// The three values at the level `levelText` (read as a number): min and max in whole-number form,
// the chance in general form with 10 significant digits ("test it"). The formula is computed
// exactly on the texts of the boxes and the level, then rounded; a value too large to be read back
// throws OperationError.
DropValues computeDrop(const AddDropSettings& s, std::string_view levelText, char divider);

// Item names may not hold the characters of the drop-list syntax ("[", "]", "{", "}", ";"), nor a
// TAB or a line break: both adds refuse them (ExpectedProblem) before anything changes.
inline constexpr const char* kItemNameSyntaxMessage = "An item name cannot hold [ ] { } or ;";

struct AppendedDrop {
    std::string cell;  // the new cell text
    std::string piece; // what was appended (with its separator)
};
// Appends a new drop group to a grouped drop list: the list loses its last character and
// receives separator + "{{{[" item "];" min ";" max ";100}};" chance "}}".
AppendedDrop appendDropGroup(std::string_view cell, std::string_view item, std::string_view min,
                             std::string_view max, std::string_view chance);

// "only this cell": adds the drop to one row. Logs "Adding item ...", the row's line, "Item added".
TableEdit addDropToRow(const Table& table, size_t row, const AddDropSettings& s, char divider,
                       Log& log);

// "Add it to the Database": every row of `rows` that wins the draw (`draw()` gives 0..99, one draw
// per visited row) and passes the level, kind and clan filters. All new texts are computed before
// any is stored, so an error leaves the table as it was and logs no row as added.
TableEdit addDropToDatabase(const Table& table, const AddDropSettings& s, char divider, Log& log,
                            const std::function<int()>& draw, const RowSubset& rows = {});

} // namespace aethrian
