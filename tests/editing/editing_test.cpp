#include "app/errors.h"
#include "app/numbers.h"
#include "editing/adddrop.h"
#include "editing/valuechange.h"
#include "records/droplist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace aethrian;

namespace {

ChangeSettings settings(ChangeOption op, long double factor, bool adenaOnly = false) {
    ChangeSettings s;
    s.option = op;
    s.factor = factor;
    s.adenaOnly = adenaOnly;
    return s;
}

// An NPC table of `rows` records and 70 columns; column 21 the grouped drop list.
Table npcTable(size_t rows) {
    Table t;
    t.setColCount(70);
    for (size_t c = 4; c < 70; ++c)
        t.setCell(0, c, "f" + std::to_string(c));
    t.setCell(0, 5, "acquire_exp_rate");
    t.setRowCount(rows + 1);
    for (size_t r = 1; r <= rows; ++r) {
        t.setCell(r, 1, "npc" + std::to_string(r));
        t.setCell(r, 2, "warrior");
        t.setCell(r, 3, std::to_string(100 + r));
        t.setCell(r, 4, std::to_string(10 * r));
        t.setCell(r, 5, "1");
        t.setCell(r, 19, "{}");
        t.setCell(r, 21, "{}");
    }
    return t;
}

} // namespace

TEST(DropList, EntryScanSkipsGroupChances) {
    const auto entries =
        scanDropEntries("{{{{[adena];10;20;100}};70};{{{[sword];1;2;100};{[b'x];3;4;5}};5}}");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "adena");
    EXPECT_EQ(entries[1].max, "2");
    EXPECT_EQ(entries[2].name, "b'x");
    EXPECT_EQ(entries[2].chance, "5");
    EXPECT_TRUE(scanDropEntries("{}").empty());
    EXPECT_EQ(scanDropEntries("[[[").size(), 1u); // odd text: the scan still ends
}

TEST(ValueChange, ListRewritersWorkedExamples) {
    VectorLog log;
    const std::string flat = "{{[adena];10;20;70};{[sword];1;1;0.5}}";
    EXPECT_EQ(rewriteFlatList(flat, settings(ChangeOption::Multiply, 2), "1", log),
              "{{[adena];10;20;140};{[sword];1;1;1}}");
    EXPECT_EQ(rewriteFlatList(flat, settings(ChangeOption::Multiply, 2, true), "1", log),
              "{{[adena];20;40;70};{[sword];1;1;0.5}}");
    EXPECT_EQ(
        rewriteFlatList("{{[adena];5;7;70}}", settings(ChangeOption::Divide, 2, true), "1", log),
        "{{[adena];3;4;70}}");
    const std::string grouped = "{{{{[adena];10;20;100}};70};{{{[sword];1;1;100}};5}}";
    EXPECT_EQ(rewriteGroupedList(grouped, settings(ChangeOption::Multiply, 2), "1", log),
              "{{{{[adena];10;20;100}};70};{{{[sword];1;1;100}};10}}");
    EXPECT_EQ(rewriteGroupedList("{{{{[adena];10;20;100}};70}}",
                                 settings(ChangeOption::Multiply, 3, true), "1", log),
              "{{{{[adena];30;60;100}};70}}");
    EXPECT_EQ(rewriteGroupedList("", settings(ChangeOption::Multiply, 2), "1", log), "{}");
    EXPECT_EQ(rewriteGroupedList("{{[a];1;1;5}}", settings(ChangeOption::Multiply, 2), "1", log),
              "{{[a];1;1;5}}");
    EXPECT_TRUE(log.lines.empty());
}

TEST(ValueChange, NumbersSmartRangeAndZeroRule) {
    VectorLog log;
    ChangeSettings s = settings(ChangeOption::Multiply, 2);
    s.smart = true;
    s.low = 0.1L;
    s.high = 1000;
    EXPECT_EQ(rewriteNumeric("0.1", s, "7", log), "0.2");
    EXPECT_EQ(rewriteNumeric("1000", s, "7", log), "2000");
    EXPECT_EQ(rewriteNumeric("0.05", s, "7", log), "0.05");
    EXPECT_EQ(rewriteNumeric("0", settings(ChangeOption::Multiply, 2), "8", log), "0");
    EXPECT_EQ(rewriteNumeric("7.50", settings(ChangeOption::Add, 0), "9", log), "7.5");
    EXPECT_EQ(rewriteNumeric("1,5", settings(ChangeOption::Add, 0), "9", log), "1.5");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"  ID 7 skipped (SMART: value is:0,05).",
                                                   "ID 8 is zero, can't be multiplied."}));
    // The four operations on one value.
    const std::pair<ChangeOption, const char*> ops[] = {{ChangeOption::Add, "12.5"},
                                                        {ChangeOption::Subtract, "7.5"},
                                                        {ChangeOption::Multiply, "25"},
                                                        {ChangeOption::Divide, "4"}};
    for (const auto& [op, expected] : ops)
        EXPECT_EQ(rewriteNumeric("10", settings(op, 2.5L), "9", log), expected)
            << static_cast<int>(op);
    EXPECT_THROW(rewriteNumeric("", settings(ChangeOption::Add, 1), "1", log), OperationError);
}

TEST(ValueChange, DialogPreparationAndHeaderLines) {
    ChangeDialog d;
    d.option = ChangeOption::Warp;
    d.from = "3";
    d.to = "10";
    prepareChange(d, ',');
    EXPECT_EQ(d.by, "3,333333333");
    EXPECT_EQ(changeHeaderLine(d, 0, "exp"), "Column exp :: WARP from 3 to 10");

    ChangeDialog smart;
    smart.smart = true;
    prepareChange(smart, ',');
    EXPECT_EQ(changeHeaderLine(smart, 0, "acquire_exp_rate"),
              "Column acquire_exp_rate :: MULTIPLY by 1,0 [SMART ENABLED: 0,1 < X > 1000,0]");
    smart.adenaOnly = true;
    smart.option = ChangeOption::Divide;
    EXPECT_EQ(changeHeaderLine(smart, 7, "x"), "NPC ID 7 :: Column x :: DIVISION by 1,0 [SMART "
                                               "ENABLED: 0,1 < X > 1000,0] [ADENA MODE ON]");

    ChangeDialog zero;
    zero.option = ChangeOption::Warp;
    zero.from = "0";
    try {
        prepareChange(zero, ',');
        FAIL();
    } catch (const ExpectedProblem& e) {
        EXPECT_STREQ(e.what(), "I can't multiply or divide by zero!");
    }
    EXPECT_EQ(zero.by, "0");
    ChangeDialog none;
    none.option = ChangeOption::None;
    EXPECT_THROW(prepareChange(none, ','), ExpectedProblem);
    ChangeDialog addZero;
    addZero.option = ChangeOption::Add;
    addZero.by = "0";
    EXPECT_NO_THROW(prepareChange(addZero, ','));
}

TEST(ValueChange, ColumnRunIsAllOrNothing) {
    Table t = npcTable(4);
    ChangeDialog d;
    d.by = "2";
    prepareChange(d, ',');
    VectorLog log;
    TableEdit edit = runValueChange(t, d, 0, 4, ',', log);
    applyEdit(t, edit);
    EXPECT_EQ(t.cell(4, 4), "80");
    EXPECT_EQ(edit.cells.size(), 4u);
    revertEdit(t, edit);
    EXPECT_EQ(t.cell(4, 4), "40");

    const std::string before = dumpTable(t);
    t.setCell(3, 4, "x");
    const std::string withBad = dumpTable(t);
    log.lines.clear();
    EXPECT_THROW(runValueChange(t, d, 0, 4, ',', log), OperationError);
    EXPECT_EQ(dumpTable(t), withBad);
    EXPECT_EQ(log.lines.size(), 1u); // the header line stays

    // Ignored column: only the header line.
    log.lines.clear();
    EXPECT_TRUE(runValueChange(t, d, 2, 10, ',', log).empty());
    EXPECT_EQ(log.lines, std::vector<std::string>{"NPC ID 2 :: Column f10 :: MULTIPLY by 2"});
    (void)before;
}

TEST(AddDrop, FormulaGroupsAndFilters) {
    AddDropSettings s;
    const DropValues test = computeDrop(s, "15", ',');
    EXPECT_EQ(test.min, "1");
    EXPECT_EQ(test.max, "1");
    EXPECT_EQ(test.chance, "0,06625");
    s.min = {"0.4", "0", "0"};
    EXPECT_EQ(computeDrop(s, "1", ',').min, "0");
    s.min = {"0.5", "0", "0"};
    EXPECT_EQ(computeDrop(s, "1", ',').min, "1");

    EXPECT_EQ(appendDropGroup("{}", "sword", "1", "2", "0.5").cell, "{{{{[sword];1;2;100}};0.5}}");
    const AppendedDrop more =
        appendDropGroup("{{{{[adena];10;20;100}};70}}", "sword", "1", "2", "0.5");
    EXPECT_EQ(more.cell, "{{{{[adena];10;20;100}};70};{{{[sword];1;2;100}};0.5}}");
    EXPECT_EQ(more.piece, ";{{{[sword];1;2;100}};0.5}}");

    Table t = npcTable(3);
    t.setCell(2, 2, "boss");
    t.setCell(3, 2, "Boss");
    t.setCell(2, 68, "big orc clan");
    AddDropSettings boss;
    boss.item = "sword";
    boss.kind = "boss";
    boss.clan = "orc";
    boss.minLevel = "20";
    VectorLog log;
    applyEdit(t, addDropToDatabase(t, boss, ',', log, [] { return 0; }));
    EXPECT_EQ(t.cell(1, 21), "{}");
    EXPECT_EQ(t.cell(3, 21), "{}");
    EXPECT_EQ(t.cell(2, 21), "{{{{[sword];1;1;100}};0.11}}"); // level 20: 0.01 + 0.00025 x 400
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{
                  "Adding item sword...",
                  "At npc2 (ID: 102 level: 20) added the string: {{{[sword];1;1;100}};0.11}}",
                  "Items added"}));
    // A percentage of 0 adds nothing; a level that is not whole ends the run with nothing changed.
    AddDropSettings none;
    none.percent = "0";
    const std::string kept = dumpTable(t);
    applyEdit(t, addDropToDatabase(t, none, ',', log, [] { return 0; }));
    EXPECT_EQ(dumpTable(t), kept);
    t.setCell(3, 4, "3.5");
    const std::string bad = dumpTable(t);
    log.lines.clear();
    EXPECT_THROW(addDropToDatabase(t, AddDropSettings{}, ',', log, [] { return 0; }),
                 OperationError);
    EXPECT_EQ(dumpTable(t), bad);
    EXPECT_EQ(log.lines,
              std::vector<std::string>{"Adding item ..."}); // rows 1 and 2 were not added

    applyEdit(t, addDropToRow(t, 1, boss, ',', log));
    applyEdit(t, addDropToRow(t, 1, boss, ',', log));
    EXPECT_EQ(t.cell(1, 21), "{{{{[sword];1;1;100}};0.035};{{{[sword];1;1;100}};0.035}}");
}

TEST(ValueChange, ResultsThatAreNotFiniteEndTheRunWithNothingWritten) {
    const auto refused = [](Table t, ChangeDialog d, size_t column, const char* message) {
        const std::string before = dumpTable(t);
        VectorLog log;
        try {
            prepareChange(d, ',');
            applyEdit(t, runValueChange(t, d, 0, column, ',', log));
            ADD_FAILURE() << "no error for " << message;
        } catch (const OperationError& e) {
            EXPECT_STREQ(e.what(), message);
        }
        EXPECT_EQ(dumpTable(t), before);
    };
    Table t = npcTable(3);
    t.setCell(2, 4, "1e4000");
    t.setCell(3, 4, "-1.1e4932");
    t.setCell(2, 19, "{{[adena];1e4000;1e4000;50}}");
    ChangeDialog multiply;
    multiply.by = "1e4000";
    refused(t, multiply, 4, "The computed value INF is too large to be written");
    ChangeDialog divide;
    divide.option = ChangeOption::Divide;
    divide.by = "1e-4000";
    refused(t, divide, 4, "The computed value INF is too large to be written");
    ChangeDialog add;
    add.option = ChangeOption::Add;
    add.by = "-1.1e4932";
    refused(t, add, 4, "The computed value -INF is too large to be written");
    ChangeDialog adena = multiply;
    adena.adenaOnly = true;
    refused(t, adena, 19, "The computed value INF is too large to be written");
    // Warp's factor, to / from, is itself a computed value.
    ChangeDialog warp;
    warp.option = ChangeOption::Warp;
    warp.from = "1e-4000";
    warp.to = "1e4000";
    refused(t, warp, 4, "The computed value INF is too large to be written");
}

TEST(AddDrop, RefusesItemNamesThatBreakTheListSyntax) {
    Table t = npcTable(2);
    const std::string before = dumpTable(t);
    for (const char* name : {"x];1;1;100}};5}", "a[b", "a]", "{a", "a}", "a;b", "a\tb", "a\nb"}) {
        AddDropSettings s;
        s.item = name;
        VectorLog log;
        for (int run = 0; run < 2; ++run) {
            try {
                if (run == 0)
                    applyEdit(t, addDropToRow(t, 1, s, ',', log));
                else
                    applyEdit(t, addDropToDatabase(t, s, ',', log, [] { return 0; }));
                ADD_FAILURE() << "accepted " << name;
            } catch (const ExpectedProblem& e) {
                EXPECT_STREQ(e.what(),
                             std::string_view(name).find_first_of("\t\n") == std::string_view::npos
                                 ? kItemNameSyntaxMessage
                                 : kCellBreakMessage)
                    << name;
            }
        }
        EXPECT_TRUE(log.lines.empty()) << name;
        EXPECT_EQ(dumpTable(t), before) << name;
    }
    // Everything else the syntax allows in a name still goes in as typed.
    AddDropSettings s;
    s.item = "blue_wolve's_breastplate_part (x)";
    VectorLog log;
    applyEdit(t, addDropToRow(t, 1, s, ',', log));
    EXPECT_EQ(t.cell(1, 21), "{{{{[blue_wolve's_breastplate_part (x)];1;1;100}};0.035}}");
}

namespace {

// The reference for the drop formula: texts with at most six decimals as whole millionths, so
// V + A x L + B x L^2 is exact integer arithmetic.
std::int64_t millionths(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    const size_t dot = text.find('.');
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    fraction.resize(6, '0');
    const std::string whole = text.substr(0, dot);
    const bool negative = whole.starts_with('-');
    const std::int64_t magnitude =
        std::llabs(std::stoll(whole.empty() || whole == "-" ? "0" : whole)) * 1000000 +
        std::stoll(fraction);
    return negative ? -magnitude : magnitude;
}

std::int64_t referenceValue(const DropFormula& f, std::int64_t level) {
    return millionths(f.v) + millionths(f.a) * level + millionths(f.b) * level * level;
}

std::string referenceWhole(std::int64_t value) {
    std::int64_t q = std::llabs(value) / 1000000;
    if (std::llabs(value) % 1000000 * 2 >= 1000000)
        ++q; // halves away from zero
    return q == 0 ? "0" : (value < 0 ? "-" : "") + std::to_string(q);
}

// Plain notation of an exact value (the reference keeps to chances with at most ten digits).
std::string referencePlain(std::int64_t value) {
    std::string text = std::to_string(std::llabs(value) / 1000000);
    std::string fraction = std::to_string(std::llabs(value) % 1000000);
    fraction.insert(0, 6 - fraction.size(), '0');
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty())
        text += "," + fraction;
    return (value < 0 ? "-" : "") + text;
}

// What the formula gave before it was computed exactly: long double arithmetic on the read values.
long double oldFormula(const DropFormula& f, long double level) {
    return readNumber(f.v, ',') + readNumber(f.a, ',') * level +
           readNumber(f.b, ',') * level * level;
}

} // namespace

TEST(AddDrop, FormulaIsRoundedOnItsExactValue) {
    // The dialog's defaults at level 50: max 1 + 0.001 x 2500 = 3.5 exactly, rounded away from
    // zero.
    EXPECT_EQ(computeDrop(AddDropSettings{}, "50", ',').max, "4");
    EXPECT_EQ(computeDrop(AddDropSettings{}, "50", ',').chance, "0,635");

    const std::vector<DropFormula> formulas{{"1", "0", "0"},           {"1", "0", "0,001"},
                                            {"0,01", "0", "0,00025"},  {"0.5", "0.25", "0"},
                                            {"-2,5", "0.5", "0.002"},  {"0,3", "0,1", "0,0001"},
                                            {"10", "-0.02", "0.0005"}, {"0", "0,35", "0,000005"}};
    int halves = 0;
    for (const DropFormula& f : formulas) {
        AddDropSettings s;
        s.min = s.max = s.chance = f;
        for (std::int64_t level = -20; level <= 1500; ++level) {
            const DropValues d = computeDrop(s, std::to_string(level), ',');
            const std::int64_t exact = referenceValue(f, level);
            const std::string where = f.v + " " + f.a + " " + f.b + " at " + std::to_string(level);
            ASSERT_EQ(d.min, referenceWhole(exact)) << where;
            if (exact == 0 || std::llabs(exact) >= 100) { // from 0.0001 on: plain notation
                ASSERT_EQ(d.chance, referencePlain(exact)) << where;
            }
            // Every result but an exact half is what the long double formula gave.
            const long double old = oldFormula(f, static_cast<long double>(level));
            ASSERT_EQ(d.chance, formatGeneral(old, 10, ',')) << where;
            if (std::llabs(exact) % 1000000 == 500000) {
                ++halves;
            } else {
                ASSERT_EQ(d.min, formatWhole(old, ',')) << where;
            }
        }
    }
    EXPECT_GT(halves, 100);

    // Decimal levels and exponents are read exactly too; a result past the readers' range is
    // refused.
    AddDropSettings s;
    s.max = {"0", "0,5", "0"};
    EXPECT_EQ(computeDrop(s, "7", ',').max, "4");    // 3.5
    EXPECT_EQ(computeDrop(s, "-7", ',').max, "-4");  // -3.5
    EXPECT_EQ(computeDrop(s, "6,99", ',').max, "3"); // 3.495
    EXPECT_EQ(computeDrop(s, "7e0", ',').max, "4");
    s.chance = {"1e3000", "0", "1e3000"};
    try {
        computeDrop(s, "1e1000", ',');
        ADD_FAILURE() << "no error";
    } catch (const OperationError& e) {
        EXPECT_STREQ(e.what(), "The computed value 1E5000 is too large to be written");
    }
    EXPECT_THROW(computeDrop(s, "x", ','), OperationError);
}

TEST(ValueChange, ZeroAmountsKeepTheirTextUnderTheZeroRule) {
    // Multiplying or dividing a zero amount of adena is refused with a log line, and the amount
    // keeps its text as written; other amounts are rewritten as whole numbers.
    for (const ChangeOption op : {ChangeOption::Multiply, ChangeOption::Divide}) {
        VectorLog log;
        EXPECT_EQ(rewriteFlatList("{{[adena];00;0.0;70};{[adena];4;6;30}}", settings(op, 2, true),
                                  "5", log),
                  op == ChangeOption::Multiply ? "{{[adena];00;0.0;70};{[adena];8;12;30}}"
                                               : "{{[adena];00;0.0;70};{[adena];2;3;30}}");
        const std::string refusal = op == ChangeOption::Multiply
                                        ? "ID 5 is zero, can't be multiplied."
                                        : "ID 5 is zero, can't be divided.";
        EXPECT_EQ(log.lines, (std::vector<std::string>{refusal, refusal}));
    }
}
