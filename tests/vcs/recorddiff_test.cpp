#include "vcs/gitsetup.h"
#include "vcs/recorddiff.h"

#include <gtest/gtest.h>

using namespace aethrian;

namespace {

RecordFile file(const std::string& text) {
    return indexRecordFile(splitRecordLines(text));
}

std::string textconv(const std::string& text) {
    std::string out;
    writeTextconv(file(text), [&](std::string_view chunk) { out += chunk; });
    return out;
}

std::string diff(const std::string& a, const std::string& b) {
    std::string s;
    for (const auto& l : diffRecordFiles(file(a), file(b)).lines)
        s += l + "\n";
    return s;
}

std::string npcWithDrops(const std::string& id, const std::string& drops) {
    return "npc_begin\twarrior\t" + id + "\t[orc]\tlevel=5\tadditional_make_multi_list=" + drops +
           "\tnpc_end\n";
}

} // namespace

TEST(Textconv, OneLinePerCellLedByTheRecordWithRepeatedIdsNumbered) {
    EXPECT_EQ(
        textconv("// head\n"
                 "npc_begin\twarrior\t20001\t[orc_grunt]\tlevel=5\tacquire_exp_rate=8.4\tnpc_end\n"
                 "npc_begin\tboss\t20001\t[orc_chief]\tlevel=9\tnpc_end\n"),
        "// head\n"
        "npc 20001 [orc_grunt] type=warrior\n"
        "npc 20001 [orc_grunt] level=5\n"
        "npc 20001 [orc_grunt] acquire_exp_rate=8.4\n"
        "npc 20001#2 [orc_chief] type=boss\n"
        "npc 20001#2 [orc_chief] level=9\n");
    EXPECT_EQ(
        textconv(
            "skill_begin\tskill_name = [s_power_strike2]\tskill_id = 3 \tlevel = 2 \tskill_end\n"),
        "skill 3/2 [s_power_strike2] skill_name = [s_power_strike2]\n"
        "skill 3/2 [s_power_strike2] skill_id = 3 \n"
        "skill 3/2 [s_power_strike2] level = 2 \n");
    EXPECT_EQ(textconv("a\tb\r\n\r\nc"), "a\tb\n\nc\n");
}

TEST(RecordDiff, RecordsAddedRemovedAndChangedCellByCell) {
    const std::string old = "item_begin\tweapon\t1\t[a]\titem_type=weapon\tweight=10\titem_end\n"
                            "item_begin\tweapon\t2\t[b]\titem_type=weapon\tweight=20\titem_end\n";
    const std::string now =
        "item_begin\tarmor\t1\t[a]\titem_type=weapon\tweight=12\tprice=5\titem_end\n"
        "item_begin\tweapon\t3\t[c]\titem_type=weapon\tweight=20\titem_end\n";
    EXPECT_EQ(diff(old, now), "changed item 1 [a]\n"
                              "  type: weapon -> armor\n"
                              "  weight: 10 -> 12\n"
                              "  + price=5\n"
                              "removed item 2 [b]\n"
                              "added item 3 [c]\n"
                              "1 changed, 1 added, 1 removed records\n");
    EXPECT_FALSE(diffRecordFiles(file(old), file(old)).differ);
    EXPECT_EQ(diff(old, old), "");
}

TEST(RecordDiff, DropListsEntryByEntry) {
    EXPECT_EQ(
        diff(npcWithDrops("1", "{{{{[adena];42;84;100}};70};{{{[shield];1;1;58.8}};30}}"),
             npcWithDrops("1",
                          "{{{{[adena];42;90;100};{[sword];1;1;5}};70};{{{[shield];1;1;60}};30}}")),
        "changed npc 1 [orc]\n"
        "  additional_make_multi_list: [adena] max 84 -> 90\n"
        "  additional_make_multi_list: + [sword];1;1;5\n"
        "  additional_make_multi_list: [shield] chance 58.8 -> 60\n"
        "1 changed, 0 added, 0 removed records\n");
    // A group chance is no entry: the whole values are shown.
    EXPECT_EQ(
        diff(npcWithDrops("1", "{{{{[adena];1;2;100}};70}}"),
             npcWithDrops("1", "{{{{[adena];1;2;100}};60}}")),
        "changed npc 1 [orc]\n"
        "  additional_make_multi_list: {{{{[adena];1;2;100}};70}} -> {{{{[adena];1;2;100}};60}}\n"
        "1 changed, 0 added, 0 removed records\n");
}

TEST(RecordDiff, FieldOrderIsADifferenceTheLoadersSee) {
    EXPECT_EQ(diff("npc_begin\tw\t1\t[a]\tlevel=1\tp=2\tq=3\tnpc_end\n",
                   "npc_begin\tw\t1\t[a]\tlevel=1\tq=3\tp=2\tnpc_end\n"),
              "changed npc 1 [a]\n  field order changed\n1 changed, 0 added, 0 removed records\n");
}

TEST(GitSetup, AttributeLinesAreAddedOnce) {
    std::vector<std::string> added;
    const std::string first = withAttributeLines("*.png binary", added);
    EXPECT_EQ(first, "*.png binary\n"
                     "npcdata*.txt diff=aethrian merge=aethrian\n"
                     "itemdata*.txt diff=aethrian merge=aethrian\n"
                     "skilldata*.txt diff=aethrian merge=aethrian\n");
    EXPECT_EQ(added.size(), 3u);
    added.clear();
    EXPECT_EQ(withAttributeLines(first, added), first);
    EXPECT_TRUE(added.empty());
    // A file with CR LF line ends gets them too; a line already there is not repeated.
    EXPECT_EQ(withAttributeLines("npcdata*.txt diff=aethrian merge=aethrian\r\n", added),
              "npcdata*.txt diff=aethrian merge=aethrian\r\n"
              "itemdata*.txt diff=aethrian merge=aethrian\r\n"
              "skilldata*.txt diff=aethrian merge=aethrian\r\n");
    EXPECT_EQ(shellQuoted("/opt/it's here/aethrian-cli"), "'/opt/it'\\''s here/aethrian-cli'");
}

TEST(RecordIdentity, NameAndIdAsTheParserReadsThem) {
    // Odd lines: no brackets, one TAB, a "]" before the "[": the identity parts are the parser's.
    for (const std::string line :
         {"npc_begin\tw\t5\t[a]\tlevel=1\tnpc_end", "npc_begin\tw", "npc_begin]x[y]\tw\t7\t",
          "  npc_begin\t\t\t[]\tnpc_end", "npc_begin\tw\t5[b]\tlevel=1"}) {
        const RecordFile f = file(line);
        ASSERT_EQ(f.records.size(), 1u) << line;
        const ParsedRecord p = ParseRecordLine(line, kNpcKind);
        EXPECT_EQ(f.records[0].identity, p.id) << line;
        EXPECT_EQ(f.records[0].name, p.name) << line;
    }
}
