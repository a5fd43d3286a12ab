#include "app/errors.h"
#include "app/numbers.h"
#include "checks/pch.h"
#include "editing/cleanup.h"
#include "editing/valuechange.h"
#include "records/recordplace.h"
#include "records/tablesort.h"

#include <gtest/gtest.h>

#include <functional>

using namespace aethrian;

namespace {

// Three NPCs with a level and a flat drop list; `bad` replaces one cell.
Table npcs(size_t badRow = 0, size_t badColumn = 0, const std::string& bad = "abc") {
    Table t;
    t.setColCount(22);
    t.cell(0, 4) = "level";
    t.cell(0, 19) = "additional_make_list";
    t.setRowCount(1);
    const char* names[] = {"orc", "gremlin", "bat"};
    for (size_t k = 0; k < 3; ++k) {
        Table::Row row(22);
        row[1] = names[k];
        row[3] = std::to_string(20001 + k);
        row[4] = "10";
        row[19] = "{{[bone];1;2;50}}";
        t.appendRow(row);
    }
    if (badRow)
        t.cell(badRow, badColumn) = bad;
    return t;
}

// The error `run` ends with: its text and the line naming its cell ("" when it has none).
std::pair<std::string, std::string> failure(const std::function<void()>& run) {
    try {
        run();
    } catch (const OperationError& e) {
        return {e.what(), e.cell ? cellPlaceLine(*e.cell) : ""};
    }
    return {"no error", ""};
}

} // namespace

TEST(CellPlace, ConversionErrorsKeepTheirTextAndNameTheCell) {
    const Table t = npcs(2, 4);
    ChangeDialog d;
    d.by = "2";
    prepareChange(d, ',');
    EXPECT_EQ(failure([&] {
                  VectorLog log;
                  runValueChange(t, d, 0, 4, ',', log);
              }),
              std::make_pair(std::string("'abc' is not a valid floating point value"),
                             std::string("at row 2, record \"gremlin\", ID 20002, column level")));
    // The one-cell change, the sort, the drop-number check, the PCH ID and a list cell.
    EXPECT_EQ(failure([&] {
                  VectorLog log;
                  runValueChange(t, d, 2, 4, ',', log);
              }).second,
              "at row 2, record \"gremlin\", ID 20002, column level");
    EXPECT_EQ(failure([&] { sortTable(t, 4, SortRule::Numeric, ','); }).second,
              "at row 2, record \"gremlin\", ID 20002, column level");
    const Table badList = npcs(3, 19, "{{[bone];x;2;50}}");
    EXPECT_EQ(failure([&] {
                  VectorLog log;
                  findDropNumberErrors(badList, ',', log);
              }),
              std::make_pair(std::string("'x' is not a valid floating point value"),
                             std::string("at row 3, record \"bat\", ID 20003, column "
                                         "additional_make_list")));
    EXPECT_EQ(failure([&] {
                  VectorLog log;
                  runValueChange(npcs(3, 19, "{{[bone];1;2;q}}"), d, 0, 19, ',', log);
              }).second,
              "at row 3, record \"bat\", ID 20003, column additional_make_list");
    const Table badId = npcs(1, 3, "2x");
    EXPECT_EQ(failure([&] {
                  std::vector<std::string> lines;
                  VectorLog log;
                  generatePch(badId, PchKind::Npc, lines, log);
              }),
              std::make_pair(std::string("'2x' is not a valid integer value"),
                             std::string("at row 1, record \"orc\", ID 2x, column ID")));
    // The place names the table it belongs to, for the editor to show it.
    try {
        sortTable(t, 4, SortRule::Numeric, ',');
    } catch (const OperationError& e) {
        ASSERT_TRUE(e.cell);
        EXPECT_EQ(e.cell->table, &t);
        EXPECT_EQ(e.cell->column, 4u);
    }
    // An error that is not about a cell carries no place.
    EXPECT_EQ(failure([] { parseFloat("q", ','); }).second, "");
}

TEST(RecordPlace, FoundAgainAfterTheRowsMoved) {
    Table t = npcs();
    const RecordPlace place = recordPlace(t, 2);
    EXPECT_EQ(findRecordRow(t, place), 2u);
    t.swapRows(1, 2);
    EXPECT_EQ(findRecordRow(t, place), 1u);
    // Two records of one name: the one the finding named stays chosen while it holds it.
    t.cell(3, 1) = "gremlin";
    t.cell(3, 3) = "20002";
    EXPECT_EQ(findRecordRow(t, recordPlace(t, 3)), 3u);
    t.cell(1, 1) = "renamed";
    t.cell(3, 1) = "renamed";
    EXPECT_EQ(findRecordRow(t, place), 0u);
    EXPECT_EQ(findRecordRow(t, RecordPlace{nullptr, 0, "", "20001"}), 2u);
    EXPECT_EQ(findRecordRow(t, RecordPlace{}), 0u);
}

TEST(RecordPlace, NamedInTheChecksLines) {
    struct Case {
        const char* line;
        const char* name;
        const char* id;
    };
    const Case cases[] = {
        {"NPC [karik] (20003) not found.", "karik", "20003"},
        {"NPC [cave_bat] (20005) is unregistered inside NPC_PCH", "cave_bat", "20005"},
        {"ITEM [bone] (1870) not found.", "bone", "1870"},
        {"NPC gremlin (20002) not found.", "gremlin", "20002"},
        {"  item ghost_blade not found", "ghost_blade", ""},
        {"  item bone (ID:1870) is not dropped/spoiled.", "bone", "1870"},
        {"orc (ID:20001) is a duplicate of orc(ID:20009)", "orc", "20001"},
        {"  NPC ID: 20001 wrong values in object bone", "", "20001"},
        {"    info: npc id 20001 have poor drops on item bone", "", "20001"},
        {"ID 20001 is zero, can't be multiplied.", "", "20001"},
        {"Field order differs: row 3 [bat], column 7 has \"x\" where", "bat", ""},
    };
    for (const Case& c : cases) {
        const auto place = recordNamedIn(c.line);
        ASSERT_TRUE(place) << c.line;
        EXPECT_EQ(place->name, c.name) << c.line;
        EXPECT_EQ(place->id, c.id) << c.line;
    }
    EXPECT_FALSE(recordNamedIn(""));
    EXPECT_FALSE(recordNamedIn("   "));
}
