#include "app/errors.h"
#include "app/numbers.h"
#include "editing/findreplace.h"

#include <gtest/gtest.h>

using namespace aethrian;

namespace {

// Header " ", Name, Type, ID, drop, level; one row per record.
Table npcTable(const std::vector<std::array<std::string, 5>>& rows) {
    Table t;
    t.setColCount(6);
    t.row(0) = {" ", "Name", "Type", "ID", "drop", "level"};
    t.setRowCount(1);
    for (const auto& r : rows)
        t.appendRow({"", r[0], r[1], r[2], r[3], r[4]});
    return t;
}

Table sample() {
    return npcTable({{"orc_grunt", "warrior", "20001", "{[orc_tooth];1;2;50}", "5"},
                     {"Orc_Lord", "boss", "20002", "{}", "orc"},
                     {"porta", "warrior", "20003", "{[ORC_tooth];1;1;10}", "12"}});
}

FindOptions options(std::string find, bool wholeCell = false, bool matchCase = true,
                    size_t column = Table::npos) {
    return {std::move(find), wholeCell, matchCase, column};
}

} // namespace

TEST(ReplaceAll, PartOfCellWholeCellCaseAndScope) {
    const Table t = sample();
    struct Case {
        const char* what;
        FindOptions options;
        std::string expected;
    };
    const Case cases[] = {
        {"part, case kept: only lower-case orc, every occurrence, every column", options("orc"),
         " |Name|Type|ID|drop|level\n"
         "|goblin_grunt|warrior|20001|{[goblin_tooth];1;2;50}|5\n"
         "|Orc_Lord|boss|20002|{}|goblin\n"
         "|porta|warrior|20003|{[ORC_tooth];1;1;10}|12\n"},
        {"part, case ignored", options("orc", false, false),
         " |Name|Type|ID|drop|level\n"
         "|goblin_grunt|warrior|20001|{[goblin_tooth];1;2;50}|5\n"
         "|goblin_Lord|boss|20002|{}|goblin\n"
         "|porta|warrior|20003|{[goblin_tooth];1;1;10}|12\n"},
        {"whole cell: only a cell that is exactly orc", options("orc", true),
         " |Name|Type|ID|drop|level\n"
         "|orc_grunt|warrior|20001|{[orc_tooth];1;2;50}|5\n"
         "|Orc_Lord|boss|20002|{}|goblin\n"
         "|porta|warrior|20003|{[ORC_tooth];1;1;10}|12\n"},
        {"scope: the drop column only", options("orc", false, false, 4),
         " |Name|Type|ID|drop|level\n"
         "|orc_grunt|warrior|20001|{[goblin_tooth];1;2;50}|5\n"
         "|Orc_Lord|boss|20002|{}|orc\n"
         "|porta|warrior|20003|{[goblin_tooth];1;1;10}|12\n"},
    };
    for (const Case& c : cases) {
        Table changed = t;
        const TableEdit edit = planReplaceAll(changed, c.options, "goblin");
        applyEdit(changed, edit);
        EXPECT_EQ(dumpTable(changed), c.expected) << c.what;
        revertEdit(changed, edit);
        EXPECT_EQ(dumpTable(changed), dumpTable(t)) << c.what;
    }
    // The edit counts changed cells, not occurrences, and never a cell left as it was.
    EXPECT_EQ(planReplaceAll(t, options("orc", false, false), "goblin").cells.size(), 5u);
    EXPECT_EQ(planReplaceAll(t, options("0"), "0").cells.size(), 0u);
    const TableEdit repeated = planReplaceAll(t, options("1", false, true, 4), "one");
    ASSERT_EQ(repeated.cells.size(), 2u);
    EXPECT_EQ(repeated.cells[1].after, "{[ORC_tooth];one;one;one0}");
    // The margin column is never searched in the every-column scope.
    Table margin = sample();
    margin.setCell(1, 0, "orc");
    EXPECT_EQ(planReplaceAll(margin, options("orc", true), "x").cells.size(), 1u);
}

TEST(ReplaceAll, RefusesWhatACellCannotHoldBeforePlanning) {
    const Table t = sample();
    for (const char* bad : {"a\tb", "a\nb", "a\r", "\r\n"}) {
        try {
            planReplaceAll(t, options("orc"), bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const ExpectedProblem& e) {
            EXPECT_EQ(std::string(e.what()), kReplaceBreakMessage);
        }
        EXPECT_THROW(planReplaceCell(t, options("orc"), bad, {1, 1}), ExpectedProblem);
    }
    EXPECT_THROW(planReplaceAll(t, options(""), "x"), ExpectedProblem);
    // A TAB in the text searched for cannot be in a cell: nothing matches, nothing is refused.
    EXPECT_TRUE(planReplaceAll(t, options("\t"), "x").empty());
}

TEST(ReplaceCell, OnlyTheGivenCellWhenItMatchesInScope) {
    const Table t = sample();
    const TableEdit one = planReplaceCell(t, options("orc", false, false), "elf", {2, 1});
    ASSERT_EQ(one.cells.size(), 1u);
    EXPECT_EQ(one.cells[0].after, "elf_Lord");
    EXPECT_TRUE(planReplaceCell(t, options("orc"), "elf", {2, 1}).empty()); // case differs
    EXPECT_TRUE(planReplaceCell(t, options("orc", false, true, 4), "elf", {1, 1}).empty());
    EXPECT_TRUE(planReplaceCell(t, options("orc"), "elf", {0, 1}).empty()); // the header
    EXPECT_TRUE(planReplaceCell(t, options("orc"), "elf", {9, 1}).empty());
}

TEST(FindNext, ReadingOrderWrapsAndVisitsEveryMatchOnce) {
    const Table t = sample();
    const FindOptions any = options("orc", false, false);
    std::vector<std::pair<size_t, size_t>> seen;
    CellPos at{};
    for (int i = 0; i < 5; ++i) {
        const std::optional<CellPos> next = findNextCell(t, any, at);
        ASSERT_TRUE(next);
        seen.emplace_back(next->row, next->col);
        at = *next;
    }
    EXPECT_EQ(seen,
              (std::vector<std::pair<size_t, size_t>>{{1, 1}, {1, 4}, {2, 1}, {2, 5}, {3, 4}}));
    EXPECT_EQ(findNextCell(t, any, {3, 4}), (CellPos{1, 1})); // wraps round
    // A lone match is found again from itself; from outside the scope the search starts in the row.
    EXPECT_EQ(findNextCell(t, options("boss"), {2, 2}), (CellPos{2, 2}));
    EXPECT_EQ(findNextCell(t, options("orc", false, false, 4), {2, 1}), (CellPos{3, 4}));
    EXPECT_EQ(findNextCell(t, options("orc", false, false, 4), {1, 5}), (CellPos{3, 4}));
    EXPECT_FALSE(findNextCell(t, options("dragon"), {}));
    EXPECT_FALSE(findNextCell(Table(), options("x"), {})); // one empty row
    EXPECT_FALSE(findNextCell(t, options("orc", false, true, 40), {}));
}

TEST(GoToId, FindsTheRecordTrimmedAndWraps) {
    const Table t = sample();
    EXPECT_EQ(idColumn(t), 3u);
    EXPECT_EQ(findRecordById(t, "20002"), 2u);
    EXPECT_EQ(findRecordById(t, " 20003 "), 3u);
    EXPECT_EQ(findRecordById(t, "2000"), 0u);     // whole IDs only
    EXPECT_EQ(findRecordById(t, "20001", 2), 1u); // from row 2 on, wrapping to the first
    EXPECT_EQ(findRecordById(t, ""), 0u);

    // The skill table: ID under its "skill_id " key, values with blanks, one ID per level.
    Table skills;
    skills.setColCount(4);
    skills.row(0) = {" ", "Name", "skill_id ", "level "};
    skills.setRowCount(1);
    skills.appendRow({"", "s_a1", " 3 ", " 1 "});
    skills.appendRow({"", "s_b1", " 16 ", " 1 "});
    skills.appendRow({"", "s_a2", " 3 ", " 2 "});
    EXPECT_EQ(idColumn(skills), 2u);
    EXPECT_EQ(findRecordById(skills, "3"), 1u);
    EXPECT_EQ(findRecordById(skills, "3", 2), 3u); // the next level of the same skill
    Table noIds;
    noIds.setColCount(2);
    noIds.row(0) = {" ", "Name"};
    EXPECT_EQ(idColumn(noIds), Table::npos);
    EXPECT_EQ(findRecordById(noIds, "1"), 0u);
}

TEST(CellNumber, ReadsEitherDecimalPointAndNothingElse) {
    EXPECT_EQ(tryReadCellNumber("12"), 12.0L);
    EXPECT_EQ(tryReadCellNumber(" -0.5 "), -0.5L);
    EXPECT_EQ(tryReadCellNumber("3,25"), 3.25L);
    EXPECT_EQ(tryReadCellNumber("1E3"), 1000.0L);
    EXPECT_EQ(tryReadCellNumber("2,5e2"), 250.0L);
    for (const char* text : {"", "{}", "orc_grunt", "s_power_strike2", "1.2.3", "e5", "12a"})
        EXPECT_FALSE(tryReadCellNumber(text)) << text;
}
