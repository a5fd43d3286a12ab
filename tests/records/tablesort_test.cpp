#include "app/errors.h"
#include "records/tablesort.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace aethrian;

namespace {

// One record per cell text: the Name and column 4 are "r<k>" and column 7 holds k (its place in
// the file), then `column` holds the text.
Table oneColumn(const std::vector<std::string>& cells, size_t column) {
    Table t;
    t.setColCount(8);
    t.setRowCount(1);
    for (size_t k = 0; k < cells.size(); ++k) {
        Table::Row row(8);
        row[1] = "r" + std::to_string(k);
        row[4] = row[1];
        row[7] = std::to_string(k);
        row[column] = cells[k];
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

using Less = std::function<bool(const std::string&, const std::string&)>;

// The quicksort exactly as written out for operators (pivot from the middle row, exchanges from
// both ends, the left part in a nested call), on (key, name) pairs: where rows with equal keys end
// is part of what the user sees (Find duplicates reports the later row of each pair).
void referenceSort(std::vector<std::pair<std::string, std::string>>& rows, long lo, long hi,
                   const Less& less) {
    do {
        long i = lo, j = hi;
        const std::string pivot = rows[static_cast<size_t>((lo + hi) / 2)].first;
        do {
            while (less(rows[static_cast<size_t>(i)].first, pivot))
                ++i;
            while (less(pivot, rows[static_cast<size_t>(j)].first))
                --j;
            if (i <= j) {
                if (i != j)
                    std::swap(rows[static_cast<size_t>(i)], rows[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j)
            referenceSort(rows, lo, j, less);
        lo = i;
    } while (lo < hi);
}

std::string folded(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

} // namespace

TEST(TableSort, RulePerTableAndColumn) {
    struct Case {
        const char* table;
        SortRule (*rule)(size_t);
        size_t column;
        SortRule expected;
    };
    const Case cases[] = {
        {"npc", npcSortRule, 0, SortRule::TextNoCase},
        {"npc", npcSortRule, 1, SortRule::TextNoCase},
        {"npc", npcSortRule, 2, SortRule::TextNoCase},
        {"npc", npcSortRule, 3, SortRule::ByValue},
        {"npc", npcSortRule, 4, SortRule::ByValue},
        {"npc", npcSortRule, 30, SortRule::ByValue},
        {"item", itemSortRule, 0, SortRule::TextNoCase},
        {"item", itemSortRule, 1, SortRule::TextNoCase},
        {"item", itemSortRule, 2, SortRule::TextNoCase},
        {"item", itemSortRule, 3, SortRule::Numeric},
        {"item", itemSortRule, 4, SortRule::TextNoCase},
        {"item", itemSortRule, 30, SortRule::TextNoCase},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rule(c.column), c.expected) << c.table << " column " << c.column;
}

TEST(TableSort, OrdersEachColumnByItsRule) {
    struct Case {
        const char* what;
        size_t column;
        SortRule rule;
        char divider;
        std::vector<std::string> cells, sorted;
    };
    const Case cases[] = {
        // NPC Name and Type: the letters' case does not count, other characters by code.
        {"npc name", 1, npcSortRule(1), ',', {"b", "A", "a_", "C"}, {"A", "a_", "b", "C"}},
        {"npc type",
         2,
         npcSortRule(2),
         ',',
         {"warrior", "Boss", "monster", "Guard"},
         {"Boss", "Guard", "monster", "warrior"}},
        {"npc type, prefix first",
         2,
         npcSortRule(2),
         ',',
         {"treasure", "Tree", "tre"},
         {"tre", "treasure", "Tree"}},
        // NPC ID and fields: integers as integers, then decimals, then texts by code (capitals
        // first).
        {"npc id", 3, npcSortRule(3), ',', {"10", "9", "100", "-1"}, {"-1", "9", "10", "100"}},
        {"npc field decimals ,",
         5,
         npcSortRule(5),
         ',',
         {"10", "1,25", "0.5", "2"},
         {"0.5", "1.25", "2", "10"}},
        {"npc field decimals .",
         5,
         npcSortRule(5),
         '.',
         {"10", "1,25", "0.5", "2"},
         {"0.5", "1.25", "2", "10"}},
        {"npc field texts", 5, npcSortRule(5), ',', {"b", "a", "B", "A"}, {"A", "B", "a", "b"}},
        {"npc field big integers",
         5,
         npcSortRule(5),
         ',',
         {"9007199254740993", "9007199254740992"},
         {"9007199254740992", "9007199254740993"}},
        // ITEM ID: numbers; the other ITEM columns: text without case.
        {"item id", 3, itemSortRule(3), ',', {"10", "9", "2,5", "100"}, {"2.5", "9", "10", "100"}},
        {"item field",
         5,
         itemSortRule(5),
         ',',
         {"b", "A", "a", "10", "9"},
         {"10", "9", "a", "A", "b"}},
    };
    for (const Case& c : cases) {
        Table t = oneColumn(c.cells, c.column);
        applyEdit(t, sortTable(t, c.column, c.rule, c.divider));
        EXPECT_EQ(column(t, c.column), c.sorted) << c.what;
        // Whole rows move: each name still sits beside its own cell.
        for (size_t r = 1; r < t.rowCount(); ++r) {
            const size_t k = std::stoul(t.cell(r, 7));
            EXPECT_EQ(t.cell(r, 4), "r" + std::to_string(k)) << c.what;
        }
    }
}

TEST(TableSort, FoldsExactlyTheLettersAToZ) {
    // "_" lies between "Z" and "a": a folded small letter sorts before it, an unfolded one after.
    for (char c = 'a'; c <= 'z'; ++c) {
        const std::string letter(1, c);
        for (size_t col : {size_t{1}, size_t{2}}) {
            Table t = oneColumn({"_", letter}, col);
            applyEdit(t, sortTable(t, col, npcSortRule(col), ','));
            EXPECT_EQ(column(t, col), (std::vector<std::string>{letter, "_"}))
                << c << " column " << col;
        }
        Table item = oneColumn({"_", letter}, 6);
        applyEdit(item, sortTable(item, 6, itemSortRule(6), ','));
        EXPECT_EQ(column(item, 6), (std::vector<std::string>{letter, "_"})) << c;
    }
    // The neighbours of a and z, and letters beyond ASCII, keep their codes.
    const std::pair<std::vector<std::string>, std::vector<std::string>> kept[] = {
        {{"`", "A"}, {"A", "`"}},
        {{"{", "\\"}, {"\\", "{"}},
        {{"é", "F"}, {"F", "é"}},
        {{"ä", "Ä"}, {"Ä", "ä"}},
    };
    for (const auto& [cells, sorted] : kept) {
        Table t = oneColumn(cells, 1);
        applyEdit(t, sortTable(t, 1, npcSortRule(1), ','));
        EXPECT_EQ(column(t, 1), sorted) << cells[0];
    }
}

TEST(TableSort, EqualKeysEndWhereTheMiddlePivotQuicksortPutsThem) {
    // Worked example: five rows with keys 2 1 2 1 2 sorted by a field column.
    Table t = oneColumn({"2", "1", "2", "1", "2"}, 5);
    applyEdit(t, sortTable(t, 5, npcSortRule(5), ','));
    EXPECT_EQ(column(t, 5), (std::vector<std::string>{"1", "1", "2", "2", "2"}));
    EXPECT_EQ(column(t, 1), (std::vector<std::string>{"r3", "r1", "r4", "r0", "r2"}));

    // Many columns of few distinct keys, by value and without case: the same order as the
    // reference quicksort, row for row.
    std::mt19937 rng(22);
    const std::vector<std::string> numbers{"1", "2", "3", "10"};
    const std::vector<std::string> words{"a", "A", "b", "B", "ab"};
    const Less byInteger = [](const std::string& a, const std::string& b) {
        return std::stoll(a) < std::stoll(b);
    };
    const Less noCase = [](const std::string& a, const std::string& b) {
        return folded(a) < folded(b);
    };
    for (int round = 0; round < 200; ++round) {
        const bool text = round % 2 == 1;
        const std::vector<std::string>& pool = text ? words : numbers;
        const size_t n = 1 + rng() % 24;
        std::vector<std::string> cells;
        std::vector<std::pair<std::string, std::string>> expected;
        for (size_t k = 0; k < n; ++k) {
            cells.push_back(pool[rng() % pool.size()]);
            expected.emplace_back(cells.back(), "r" + std::to_string(k));
        }
        referenceSort(expected, 0, static_cast<long>(n) - 1, text ? noCase : byInteger);
        const size_t col = text ? 1 : 5;
        Table table = oneColumn(cells, col);
        applyEdit(table, sortTable(table, col, npcSortRule(col), ','));
        std::vector<std::string> names;
        for (const auto& e : expected)
            names.push_back(e.second);
        EXPECT_EQ(column(table, 4), names) << "round " << round;
    }
}

TEST(TableSort, UndoAndRedoOfASortThatRewroteCellsCellByCell) {
    // The round trip rewrites "2,5" as "2.5" in the rows' new places: undo must restore the
    // cells before it restores the order, redo the other way round.
    for (char divider : {',', '.'}) {
        Table t = oneColumn({"3,25", "1", "2,5", "0.5", "x"}, 5);
        const Table original = t;
        const TableEdit edit = sortTable(t, 5, npcSortRule(5), divider);
        applyEdit(t, edit);
        const std::vector<std::string> sortedCells{"0.5", "1", "2.5", "3.25", "x"};
        EXPECT_EQ(column(t, 5), sortedCells) << divider;
        EXPECT_EQ(column(t, 1), (std::vector<std::string>{"r3", "r1", "r2", "r0", "r4"}))
            << divider;
        ASSERT_FALSE(edit.order.empty());
        ASSERT_EQ(edit.cells.size(), 2u) << divider;
        const Table sorted = t;
        revertEdit(t, edit);
        for (size_t r = 0; r < t.rowCount(); ++r)
            for (size_t c = 0; c < t.colCount(); ++c)
                EXPECT_EQ(t.cell(r, c), original.cell(r, c)) << "undo, row " << r << " col " << c;
        applyEdit(t, edit);
        for (size_t r = 0; r < t.rowCount(); ++r)
            for (size_t c = 0; c < t.colCount(); ++c)
                EXPECT_EQ(t.cell(r, c), sorted.cell(r, c)) << "redo, row " << r << " col " << c;
    }
}

TEST(TableSort, FailedOrEmptySortsChangeNothing) {
    // ITEM IDs that are not all numbers: the conversion error, every cell as it was.
    for (const std::vector<std::string>& ids : {std::vector<std::string>{"2", "x", "1"},
                                                {"x", "2", "1"},
                                                {"2", "1", ""},
                                                {"1,5", "2", "1.2.3"}}) {
        Table t = oneColumn(ids, 3);
        const std::string before = dumpTable(t);
        EXPECT_THROW(sortTable(t, 3, itemSortRule(3), ','), OperationError) << ids[0];
        EXPECT_EQ(dumpTable(t), before);
    }
    // A column past the table's width, a sorted column and a single row: no edit.
    Table t = oneColumn({"a", "b"}, 1);
    EXPECT_TRUE(sortTable(t, 99, SortRule::TextNoCase, ',').empty());
    EXPECT_TRUE(sortTable(t, 1, SortRule::TextNoCase, ',').empty());
    Table one = oneColumn({"z"}, 1);
    EXPECT_TRUE(sortTable(one, 1, SortRule::TextNoCase, ',').empty());
}
