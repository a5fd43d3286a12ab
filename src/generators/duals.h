#pragma once

#include "app/log.h"
#include "records/table.h"
#include "records/tableedit.h"

#include <string>
#include <string_view>

namespace aethrian {

// Grade scale of the dual generator: none 0, d 1, c 2, b 3, a 4, s 5; anything else 0.
int gradeValue(std::string_view cell);
// The grade's name; a combined grade above 5 is shown as "s", the top of the scale.
std::string gradeName(int grade);

struct DualValues {
    std::string grade, soulshots, spiritshots;
    std::string name; // as the dialog shows it since the picks
};

// The recomputed grade and shot counts of a dual made of the rows `main` and `second` of the ITEM
// table, with its name from the two Name cells. A shot count that is not a whole number throws the
// conversion error.
DualValues recomputeDual(const Table& items, size_t main, size_t second);
// main name + "*" + second name.
std::string dualName(std::string_view mainName, std::string_view secondName);

// Appends the dual's row (named `values.name`) and logs "Dual weapon added"; when a pick is
// missing or a cell is not a whole number it logs "Error occured in itemdata during generation of
// duals" and leaves the table as it was. `main` and `second` are grid rows (0: not picked).
TableEdit addDual(const Table& items, size_t main, size_t second, const std::string& id,
                  const DualValues& values, Log& log);

} // namespace aethrian
