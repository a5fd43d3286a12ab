// Table editing at full size: each operation on a loaded 20,000-record NPC table.
#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "editing/cleanup.h"
#include "editing/findreplace.h"
#include "editing/valuechange.h"
#include "records/tableio.h"
#include "records/tablesort.h"

#include <functional>

namespace aethrian::bench {

void runEditingSuite(const std::string& dir) {
    const size_t records = 20000;
    const std::string path =
        writeGenerated(dir, "npcdata_edit.txt", generateNpcData(records, 10000, 42));
    Table table;
    const auto load = [&] { LoadTableFile(path, kNpcKind, table); };
    const auto run = [&](const char* label, const std::function<void()>& op) {
        printRow(label, records, 0, measure(load, op), 0);
    };
    VectorLog log;
    ChangeDialog multiply;
    multiply.by = "2";
    prepareChange(multiply, ',');
    run("value change: numeric column x2",
        [&] { applyEdit(table, runValueChange(table, multiply, 0, 5, ',', log)); });
    run("value change: grouped list x2",
        [&] { applyEdit(table, runValueChange(table, multiply, 0, 21, ',', log)); });
    run("value change: flat list x2",
        [&] { applyEdit(table, runValueChange(table, multiply, 0, 19, ',', log)); });
    run("sort by ID", [&] { applyEdit(table, sortTable(table, 3, npcSortRule(3), ',')); });
    run("sort by Name", [&] { applyEdit(table, sortTable(table, 1, npcSortRule(1), ',')); });
    run("find duplicates", [&] { applyEdit(table, findDuplicates(table, ',', log)); });
    run("find drop number errors", [&] { findDropNumberErrors(table, ',', log); });
    const FindOptions anyCase{"NPC_1", false, false, Table::npos};
    run("replace all: every column, part of a cell",
        [&] { applyEdit(table, planReplaceAll(table, anyCase, "mob_1")); });
    run("find next: no match in the whole table", [&] {
        findNextCell(table, {"no such text", false, false, Table::npos}, {});
    });
    run("go to ID: the last record",
        [&] { findRecordById(table, std::to_string(20000 + records - 1)); });
}

} // namespace aethrian::bench
