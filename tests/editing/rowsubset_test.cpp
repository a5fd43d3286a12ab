#include "editing/adddrop.h"
#include "editing/cleanup.h"
#include "editing/valuechange.h"
#include "records/rowsubset.h"

#include <gtest/gtest.h>

using namespace aethrian;

namespace {

// Five NPC records, levels 10 to 50, experience 100 to 500, exp column 5, drop list column 21.
Table fiveNpcs() {
    Table t;
    t.setColCount(70);
    for (size_t c = 4; c < 70; ++c)
        t.setCell(0, c, "f" + std::to_string(c));
    t.setCell(0, 5, "acquire_exp_rate");
    t.setRowCount(6);
    for (size_t r = 1; r <= 5; ++r) {
        t.setCell(r, 1, "npc" + std::to_string(r));
        t.setCell(r, 3, std::to_string(100 + r));
        t.setCell(r, 4, std::to_string(10 * r));
        t.setCell(r, 5, std::to_string(100 * r));
        t.setCell(r, 19, "{}");
        t.setCell(r, 21, "{}");
    }
    return t;
}

std::vector<std::string> column(const Table& t, size_t col) {
    std::vector<std::string> out;
    for (size_t r = 1; r < t.rowCount(); ++r)
        out.push_back(t.cell(r, col));
    return out;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(RowSubset, RowsAreAscendingUniqueAndInsideTheTable) {
    const Table t = fiveNpcs();
    EXPECT_EQ(RowSubset().rowsOf(t), (std::vector<size_t>{1, 2, 3, 4, 5}));
    // The header row, a repeated row and a row past the end never reach a command.
    EXPECT_EQ(RowSubset::shown({4, 0, 2, 4, 9}).rowsOf(t), (std::vector<size_t>{2, 4}));
    EXPECT_TRUE(RowSubset::shown({}).rowsOf(t).empty());
    VectorLog log;
    RowSubset().logScope(t, log);
    EXPECT_TRUE(log.lines.empty());
    RowSubset::shown({2, 4}).logScope(t, log);
    EXPECT_EQ(log.lines, Lines{"applied to 2 of 5 records shown by the filter"});
}

TEST(RowSubset, ValueChangeOverTheShownRowsOnly) {
    Table t = fiveNpcs();
    ChangeDialog d;
    d.by = "2";
    d.low = "0";
    d.high = "1000";
    VectorLog log;
    applyEdit(t, runValueChange(t, d, 0, 5, ',', log, RowSubset::shown({4, 5})));
    EXPECT_EQ(column(t, 5), (Lines{"100", "200", "300", "800", "1000"}));
    EXPECT_EQ(log.lines, (Lines{"Column acquire_exp_rate :: MULTIPLY by 2",
                                "applied to 2 of 5 records shown by the filter"}));
    // A cell change is the selected cell, whatever the filter: no scope line.
    log.lines.clear();
    applyEdit(t, runValueChange(t, d, 1, 5, ',', log, RowSubset::shown({4, 5})));
    EXPECT_EQ(column(t, 5), (Lines{"200", "200", "300", "800", "1000"}));
    EXPECT_EQ(log.lines, Lines{"NPC ID 1 :: Column acquire_exp_rate :: MULTIPLY by 2"});
    // A filter that shows nothing changes nothing and says so.
    log.lines.clear();
    EXPECT_TRUE(runValueChange(t, d, 0, 5, ',', log, RowSubset::shown({})).empty());
    EXPECT_EQ(log.lines.back(), "applied to 0 of 5 records shown by the filter");
}

TEST(RowSubset, RoundAndFillOverTheShownRowsOnly) {
    Table t = fiveNpcs();
    for (size_t r = 1; r <= 5; ++r)
        t.setCell(r, 6, r == 1 ? "not a number" : std::to_string(r) + ".5");
    VectorLog log;
    // The first record is not a number, but the filter hides it: the shown rows are rounded.
    applyEdit(t, roundColumn(t, 6, ',', log, RowSubset::shown({2, 3})));
    EXPECT_EQ(column(t, 6), (Lines{"not a number", "3", "4", "4.5", "5.5"}));
    EXPECT_EQ(log.lines, (Lines{"Rounding to INTEGER...",
                                "applied to 2 of 5 records shown by the filter", "DONE"}));
    // A bad cell among the shown rows still leaves them all as they were.
    log.lines.clear();
    EXPECT_TRUE(roundColumn(t, 6, ',', log, RowSubset::shown({1, 4})).empty());
    EXPECT_EQ(log.lines[2], "Error occured on id:not a number");

    log.lines.clear();
    applyEdit(t, fillColumn(t, 7, "x", RowSubset::shown({1, 5}), log));
    EXPECT_EQ(column(t, 7), (Lines{"x", "", "", "", "x"}));
    EXPECT_EQ(log.lines, Lines{"applied to 2 of 5 records shown by the filter"});
    log.lines.clear();
    applyEdit(t, fillColumn(t, 7, "y", RowSubset(), log));
    EXPECT_EQ(column(t, 7), (Lines{"y", "y", "y", "y", "y"}));
    EXPECT_TRUE(log.lines.empty()); // over every record, Fill logs nothing, as before
}

TEST(RowSubset, AddDropDrawsOnlyForTheShownRows) {
    Table t = fiveNpcs();
    AddDropSettings s;
    s.item = "sword";
    s.minLevel = "20";
    VectorLog log;
    int draws = 0;
    // Row 1 is below the minimum level: the level filter still applies inside the subset.
    applyEdit(t, addDropToDatabase(
                     t, s, ',', log, [&] { return ++draws, 0; }, RowSubset::shown({1, 3})));
    EXPECT_EQ(draws, 2);
    EXPECT_EQ(column(t, 21)[0], "{}");
    EXPECT_NE(column(t, 21)[2], "{}");
    EXPECT_EQ(column(t, 21)[1], "{}");
    EXPECT_EQ(log.lines.front(), "Adding item sword...");
    EXPECT_EQ(log.lines[1], "applied to 2 of 5 records shown by the filter");
    EXPECT_EQ(log.lines.back(), "Items added");
    EXPECT_EQ(log.lines.size(), 4u);
}
