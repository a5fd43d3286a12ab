#include "app/errors.h"
#include "editing/cleanup.h"
#include "records/tablesort.h"

#include <gtest/gtest.h>

using namespace aethrian;

namespace {

// Records of (name, id, value in column 4).
Table table(const std::vector<std::array<std::string, 3>>& rows, size_t cols = 22) {
    Table t;
    t.setColCount(cols);
    t.setRowCount(1);
    for (const auto& r : rows) {
        Table::Row row(cols);
        row[1] = r[0];
        row[3] = r[1];
        row[4] = r[2];
        t.appendRow(row);
    }
    return t;
}

std::vector<std::string> column(const Table& t, size_t c) {
    std::vector<std::string> out;
    for (size_t r = 1; r < t.rowCount(); ++r)
        out.push_back(t.cell(r, c));
    return out;
}

} // namespace

TEST(TableSort, RulesAndRoundTrip) {
    Table t = table({{"b", "10", "10"}, {"a", "9", "1,25"}, {"C", "11", "0.5"}});
    applyEdit(t, sortTable(t, 3, npcSortRule(3), ','));
    EXPECT_EQ(column(t, 3), (std::vector<std::string>{"9", "10", "11"}));
    for (char divider : {',', '.'}) {
        Table u = t;
        applyEdit(u, sortTable(u, 4, npcSortRule(4), divider));
        EXPECT_EQ(column(u, 4), (std::vector<std::string>{"0.5", "1.25", "10"})) << divider;
    }
    Table names = table({{"b", "1", "b"}, {"a", "2", "a"}, {"C", "3", "C"}});
    applyEdit(names, sortTable(names, 1, npcSortRule(1), ','));
    EXPECT_EQ(column(names, 1), (std::vector<std::string>{"a", "b", "C"})); // ignoring case
    applyEdit(names, sortTable(names, 4, npcSortRule(4), ','));
    EXPECT_EQ(column(names, 4), (std::vector<std::string>{"C", "a", "b"})); // capitals first
    // Equal keys end where the quicksort's exchanges put them, not in file order.
    Table same = table({{"a", "1", ""}, {"b", "2", ""}, {"c", "3", ""}, {"d", "4", ""}});
    applyEdit(same, sortTable(same, 4, npcSortRule(4), ','));
    EXPECT_EQ(column(same, 1), (std::vector<std::string>{"c", "d", "a", "b"}));
    // A mixed column sorts without reading outside the rows, whatever the pairs answer.
    Table mixed = table({{"x", "1", "9a"},
                         {"y", "2", "10"},
                         {"z", "3", "9.5"},
                         {"w", "4", "abc"},
                         {"v", "5", "2"}});
    EXPECT_NO_THROW(sortTable(mixed, 4, SortRule::ByValue, ','));
    EXPECT_EQ(mixed.recordCount(), 5u);
    // A numeric sort that fails changes nothing.
    Table items = table({{"a", "2", ""}, {"b", "x", ""}, {"c", "1", ""}});
    const std::string before = dumpTable(items);
    EXPECT_THROW(sortTable(items, 3, itemSortRule(3), ','), OperationError);
    EXPECT_EQ(dumpTable(items), before);
    // Undo restores the order.
    Table u = table({{"b", "2", ""}, {"a", "1", ""}});
    const std::string orig = dumpTable(u);
    const TableEdit e = sortTable(u, 1, npcSortRule(1), ',');
    applyEdit(u, e);
    revertEdit(u, e);
    EXPECT_EQ(dumpTable(u), orig);
}

TEST(TableSort, SearchFindsSubstringsCaseSensitively) {
    const Table t = table({{"big_orc", "1", ""}, {"orc", "2", ""}, {"orc_grunt", "3", ""}});
    EXPECT_EQ(findName(t, "orc"), 1u);
    EXPECT_EQ(findName(t, "orc", 2), 2u);
    EXPECT_EQ(findName(t, "Orc"), 0u);
    EXPECT_EQ(findName(t, "grunt", 4), 0u);
    EXPECT_EQ(findName(t, "Name"), 0u);
    // Even when asked to start at 0, the header's "Name" is never a match.
    EXPECT_EQ(findName(table({{"hamster", "1", ""}}), "am", 0), 1u);
}

TEST(CleanUp, FindDuplicatesByNameAndId) {
    Table t = table({{"wolf", "5", ""}, {"bat", "7", ""}, {"wolf", "6", ""}, {"orc", "7", ""}});
    VectorLog log;
    const TableEdit edit = findDuplicates(t, ',', log);
    applyEdit(t, edit);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"wolf (ID:6) is a duplicate of wolf(ID:5)",
                                                   "bat (ID:7) is a duplicate of orc(ID:7)",
                                                   "Found 2 duplicates"}));
    EXPECT_EQ(column(t, 3), (std::vector<std::string>{"5", "6", "7", "7"}));
    revertEdit(t, edit);
    EXPECT_EQ(column(t, 1), (std::vector<std::string>{"wolf", "bat", "wolf", "orc"}));

    Table one = table({{"a", "1", ""}});
    log.lines.clear();
    applyEdit(one, findDuplicates(one, ',', log));
    EXPECT_EQ(log.lines, std::vector<std::string>{"Found 0 duplicates"});

    Table bad = table({{"b", "x", ""}, {"a", "1", ""}});
    const std::string before = dumpTable(bad);
    EXPECT_THROW(findDuplicates(bad, ',', log), OperationError);
    EXPECT_EQ(dumpTable(bad), before);
}

TEST(CleanUp, DropNumberErrorsRoundAndFill) {
    Table t = table({{"a", "9", "2.5"}, {"b", "8", "-2.5"}, {"c", "7", "7"}});
    t.setCell(1, 19, "{{[adena];0;0;70};{[sword];1;1;0.05}}");
    t.setCell(2, 19, "{{[x];1;1;0.1}}");
    t.setCell(2, 21, "{{{{[sword];1;1;100}};0.01}}");
    VectorLog log;
    findDropNumberErrors(t, ',', log);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{
                  "Searching wrong drops numbers...", "  NPC ID: 9 wrong values in object adena",
                  "    info: npc id 9 have poor drops on item sword", "done."}));
    log.lines.clear();
    applyEdit(t, roundColumn(t, 4, ',', log));
    EXPECT_EQ(column(t, 4), (std::vector<std::string>{"3", "-3", "7"}));
    log.lines.clear();
    const std::string before = dumpTable(t);
    applyEdit(t, roundColumn(t, 1, ',', log));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Rounding to INTEGER...",
                                                   "Error occured on id:a", "DONE"}));
    EXPECT_EQ(dumpTable(t), before);
    applyEdit(t, fillColumn(t, 21, ""));
    EXPECT_EQ(column(t, 21), (std::vector<std::string>{"", "", ""}));
    // A TAB or a line break would split the record on saving: refused, nothing changed.
    for (const char* broken : {"a\tb=1", "x\ny", "x\r"})
        EXPECT_THROW(fillColumn(t, 21, broken), ExpectedProblem);
    EXPECT_EQ(column(t, 21), (std::vector<std::string>{"", "", ""}));
}

TEST(CleanUp, RoundIsAllOrNothingWhereverTheBadCellIs) {
    // A cell that is not a number, first, in the middle or last: the error line and no cell
    // changed; otherwise every cell rounded half away from zero.
    struct Case {
        std::vector<std::string> cells;
        std::vector<std::string> after;
        std::vector<std::string> log;
    };
    const std::vector<std::string> ok{"Rounding to INTEGER...", "DONE"};
    const Case cases[] = {
        {{"2.5", "-2.5", "7,4"}, {"3", "-3", "7"}, ok},
        {{"x", "2.5", "1.5"},
         {"x", "2.5", "1.5"},
         {"Rounding to INTEGER...", "Error occured on id:x", "DONE"}},
        {{"2.5", "x", "1.5"},
         {"2.5", "x", "1.5"},
         {"Rounding to INTEGER...", "Error occured on id:x", "DONE"}},
        {{"2.5", "1.5", ""},
         {"2.5", "1.5", ""},
         {"Rounding to INTEGER...", "Error occured on id:", "DONE"}},
        {{"2.5", "1.2.3", "4"},
         {"2.5", "1.2.3", "4"},
         {"Rounding to INTEGER...", "Error occured on id:1.2.3", "DONE"}},
    };
    for (const Case& c : cases) {
        Table t = table({{"a", "1", c.cells[0]}, {"b", "2", c.cells[1]}, {"c", "3", c.cells[2]}});
        VectorLog log;
        const TableEdit edit = roundColumn(t, 4, ',', log);
        applyEdit(t, edit);
        EXPECT_EQ(column(t, 4), c.after) << c.cells[1];
        EXPECT_EQ(log.lines, c.log) << c.cells[1];
        revertEdit(t, edit);
        EXPECT_EQ(column(t, 4), c.cells) << c.cells[1];
    }
}

TEST(CleanUp, DropNumberErrorsForEitherAmountBelowOneAndChancesBelowATenth) {
    struct Case {
        const char* entry;
        bool wrong, poor;
    };
    const Case cases[] = {
        {"{{[x];1;1;0.1}}", false, false}, {"{{[x];0;1;5}}", true, false},
        {"{{[x];1;0;5}}", true, false},    {"{{[x];0.5;2;5}}", true, false},
        {"{{[x];2;0,9;5}}", true, false},  {"{{[x];1;1;0.09}}", false, true},
        {"{{[x];0;0;0.01}}", true, true},
    };
    for (const Case& c : cases) {
        Table t = table({{"a", "9", ""}});
        t.setCell(1, 19, c.entry);
        VectorLog log;
        findDropNumberErrors(t, ',', log);
        std::vector<std::string> expected{"Searching wrong drops numbers..."};
        if (c.wrong)
            expected.push_back("  NPC ID: 9 wrong values in object x");
        if (c.poor)
            expected.push_back("    info: npc id 9 have poor drops on item x");
        expected.push_back("done.");
        EXPECT_EQ(log.lines, expected) << c.entry;
    }
}
