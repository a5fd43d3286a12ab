#include "vcs/merge.h"

#include <gtest/gtest.h>

using namespace aethrian;

namespace {

RecordFile file(const std::string& text) {
    return indexRecordFile(splitRecordLines(text));
}

std::string npc(const std::string& id, const std::string& name, const std::string& exp,
                const std::string& sp, const std::string& type = "warrior") {
    return "npc_begin\t" + type + "\t" + id + "\t[" + name + "]\tlevel=5\tacquire_exp_rate=" + exp +
           "\tacquire_sp=" + sp + "\tnpc_end";
}

// Every line followed by CR LF, as the merge writes.
std::string lines(std::initializer_list<std::string> ls) {
    std::string s;
    for (const auto& l : ls)
        s += l + "\r\n";
    return s;
}

MergeResult merge(const std::string& base, const std::string& ours, const std::string& theirs) {
    return mergeRecordFiles(file(base), file(ours), file(theirs), ',');
}

std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& l : v)
        s += l + "\n";
    return s;
}

} // namespace

TEST(RecordMerge, DifferentCellsOfOneRecordMergeIntoTheSavedLine) {
    const std::string base = lines({npc("1", "a", "4.2", "7"), npc("2", "b", "1", "1")});
    const MergeResult r = merge(base, lines({npc("1", "a", "8.4", "7"), npc("2", "b", "1", "1")}),
                                lines({npc("1", "a", "4.2", "14"), npc("2", "b", "1", "1")}));
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, lines({npc("1", "a", "8.4", "14"), npc("2", "b", "1", "1")}));
}

TEST(RecordMerge, RecordsOnlyOneSideChangedKeepTheirLinesAsTheyWere) {
    // A comma would become a point if the line were composed again; an untouched record keeps it,
    // and so does a record only one side changed.
    const std::string b1 = npc("1", "a", "1,5", "7"), b2 = npc("2", "b", "2,5", "1");
    const std::string t2 = npc("2", "b", "2,5", "1") + "\ttrailing";
    const MergeResult r = merge(lines({b1, b2}), lines({b1, b2}), lines({b1, t2}));
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, lines({b1, t2}));
}

TEST(RecordMerge, AddsOnBothSidesKeepTheirsAfterOurs) {
    const std::string a = npc("1", "a", "1", "1");
    const MergeResult r = merge(lines({a}), lines({a, npc("10", "x", "1", "1")}),
                                lines({npc("20", "y", "1", "1"), a}));
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, lines({a, npc("10", "x", "1", "1"), npc("20", "y", "1", "1")}));
}

TEST(RecordMerge, TheSameRecordAddedOnBothSidesMergesCellByCell) {
    const std::string a = npc("1", "a", "1", "1");
    const MergeResult same =
        merge(lines({a}), lines({a, npc("9", "n", "2", "2")}), lines({a, npc("9", "n", "2", "2")}));
    EXPECT_EQ(joined(same.conflicts), "");
    EXPECT_EQ(same.text, lines({a, npc("9", "n", "2", "2")}));
    const MergeResult differ =
        merge(lines({a}), lines({a, npc("9", "n", "2", "2")}), lines({a, npc("9", "n", "3", "2")}));
    EXPECT_EQ(joined(differ.conflicts),
              "CONFLICT npc 9 [n] acquire_exp_rate: base (none), ours 2, theirs 3\n");
    EXPECT_EQ(differ.text, lines({a, npc("9", "n", "(2 <> 3)", "2")}));
}

TEST(RecordMerge, SameChangeOnBothSidesIsNoConflictDifferentChangesAreMarked) {
    const std::string base = lines({npc("1", "a", "4.2", "7")});
    const MergeResult same =
        merge(base, lines({npc("1", "a", "8.4", "9")}), lines({npc("1", "a", "8.4", "7")}));
    EXPECT_EQ(joined(same.conflicts), "");
    EXPECT_EQ(same.text, lines({npc("1", "a", "8.4", "9")}));

    const MergeResult r = merge(base, lines({npc("1", "a", "8.4", "9", "boss")}),
                                lines({npc("1", "a", "12.6", "7")}));
    EXPECT_EQ(joined(r.conflicts),
              "CONFLICT npc 1 [a] acquire_exp_rate: base 4.2, ours 8.4, theirs 12.6\n");
    EXPECT_EQ(r.text, lines({npc("1", "a", "(8.4 <> 12.6)", "9", "boss")}));
}

TEST(RecordMerge, DeletionsTakeEffectUnlessTheOtherSideChangedTheRecord) {
    const std::string a = npc("1", "a", "1", "1"), b = npc("2", "b", "1", "1"),
                      c = npc("3", "c", "1", "1");
    const MergeResult clean = merge(lines({a, b, c}), lines({a, c}), lines({a, b}));
    EXPECT_EQ(joined(clean.conflicts), "");
    EXPECT_EQ(clean.text, lines({a}));

    // Theirs deleted b, ours changed it: b stays with the changed cell marked against nothing.
    const MergeResult r1 = merge(lines({a, b}), lines({a, npc("2", "b", "5", "1")}), lines({a}));
    EXPECT_EQ(joined(r1.conflicts), "CONFLICT npc 2 [b]: deleted on their side, changed on ours\n");
    EXPECT_EQ(r1.text, lines({a, npc("2", "b", "(5 <> )", "1")}));
    // Ours deleted b, theirs changed it: kept after ours's records.
    const MergeResult r2 = merge(lines({b, a}), lines({a}), lines({npc("2", "b", "1", "6"), a}));
    EXPECT_EQ(joined(r2.conflicts), "CONFLICT npc 2 [b]: deleted on our side, changed on theirs\n");
    EXPECT_EQ(r2.text, lines({a, npc("2", "b", "1", "( <> 6)")}));
}

TEST(RecordMerge, RepeatedIdsPairByOccurrence) {
    const std::string base =
        lines({npc("7", "x", "1", "1"), npc("7", "y", "2", "2"), npc("7", "z", "3", "3")});
    const MergeResult r = merge(
        base, lines({npc("7", "x", "1", "1"), npc("7", "y", "20", "2"), npc("7", "z", "3", "3")}),
        lines({npc("7", "x", "1", "1"), npc("7", "y", "2", "2"), npc("7", "z", "3", "30")}));
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text,
              lines({npc("7", "x", "1", "1"), npc("7", "y", "20", "2"), npc("7", "z", "3", "30")}));
}

TEST(RecordMerge, ManyRecordsOfOneIdStayInOrder) {
    std::string base, theirs, expected;
    for (int i = 0; i < 3000; ++i) {
        base += npc("1", "n" + std::to_string(i), "1", "1") + "\n";
        theirs += npc("1", "n" + std::to_string(i), i == 2999 ? "2" : "1", "1") + "\n";
        expected += npc("1", "n" + std::to_string(i), i == 2999 ? "2" : "1", "1") + "\r\n";
    }
    const MergeResult r = merge(base, base, theirs);
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, expected);
}

TEST(RecordMerge, ARecordWhoseIdChangedIsMatchedByName) {
    const MergeResult r = merge(lines({npc("1", "a", "1", "1"), npc("2", "b", "1", "1")}),
                                lines({npc("100", "a", "1", "1"), npc("2", "b", "1", "1")}),
                                lines({npc("1", "a", "1", "9"), npc("2", "b", "1", "1")}));
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, lines({npc("100", "a", "1", "9"), npc("2", "b", "1", "1")}));
}

TEST(RecordMerge, OnlyTheirsReorderedTakesTheirOrder) {
    const std::string a = npc("1", "a", "1", "1"), b = npc("2", "b", "1", "1");
    const MergeResult r = merge(lines({a, b}), lines({npc("1", "a", "5", "1"), b}), lines({b, a}));
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, lines({b, npc("1", "a", "5", "1")}));
}

TEST(RecordMerge, FieldsAddedByTheirsFollowTheirPredecessor) {
    const std::string base = "npc_begin\tw\t1\t[a]\tlevel=1\tp=1\tq=1\tnpc_end";
    const MergeResult r = merge(base, "npc_begin\tw\t1\t[a]\tlevel=2\tp=1\tq=1\tnpc_end",
                                "npc_begin\tw\t1\t[a]\tlevel=1\tp=1\tnew=5\tq=1\tnpc_end");
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, "npc_begin\tw\t1\t[a]\tlevel=2\tp=1\tnew=5\tq=1\tnpc_end\r\n");
}

TEST(RecordMerge, SkillsAreIdentifiedBySkillIdAndLevel) {
    const auto skill = [](const std::string& id, const std::string& level, const std::string& mp,
                          const std::string& op) {
        return "skill_begin\tskill_name = [s" + id + "]\tskill_id = " + id + " \tlevel = " + level +
               " \toperate_type = " + op + " \tmp_consume2 = " + mp + " \tskill_end";
    };
    const std::string base = lines({skill("3", "1", "11", "A1"), skill("3", "2", "12", "A1")});
    const MergeResult r =
        merge(base, lines({skill("3", "1", "11", "A1"), skill("3", "2", "13", "A1")}),
              lines({skill("3", "1", "11", "A1"), skill("3", "2", "12", "P")}));
    EXPECT_EQ(joined(r.conflicts), "");
    EXPECT_EQ(r.text, lines({skill("3", "1", "11", "A1"), skill("3", "2", "13", "P")}));
}

TEST(RecordMerge, LinesOutsideRecordsChangedOnTheirSideAreNamed) {
    const std::string a = npc("1", "a", "1", "1");
    const MergeResult kept = merge("// head\n" + a, "// head\n" + a, "// head\n" + a);
    EXPECT_EQ(kept.text, lines({"// head", a}));
    const MergeResult r = merge("// head\n" + a, "// head\n" + a, "// new head\n" + a);
    EXPECT_EQ(joined(r.conflicts),
              "CONFLICT lines outside records changed on their side: ours kept\n");
    EXPECT_EQ(r.text, lines({"// head", a}));
}
