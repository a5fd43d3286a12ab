#include "checks/dropindex.h"
#include "checks/presence.h"

#include <gtest/gtest.h>

using namespace aethrian;

namespace {

// An NPC table with the two drop lists at their positions (19 flat, 21 grouped).
Table npcTable(const std::vector<std::array<std::string, 4>>& rows) {
    Table t;
    t.setColCount(22);
    t.cell(0, 19) = "additional_make_list";
    t.cell(0, 21) = "additional_make_multi_list";
    t.setRowCount(1);
    for (const auto& [name, id, flat, grouped] : rows) {
        Table::Row row(22);
        row[1] = name;
        row[3] = id;
        row[19] = flat;
        row[21] = grouped;
        t.appendRow(row);
    }
    return t;
}

std::string mentions(const DropIndex& index, std::string_view item) {
    std::string out;
    for (const DropMention& m : index.mentionsOf(item))
        out += std::to_string(m.row) + ":" + std::to_string(m.column) + " ";
    return out;
}

} // namespace

TEST(DropIndex, ListsEveryNpcListOnceAndAgreesWithTheChecks) {
    const Table npc = npcTable({
        {"orc", "20001", "{{[bone];1;2;50}}", "{{{[bone];1;1;10};{[bone];2;2;5}};100}"},
        {"wolf", "20002", "{}", "{{{[pelt];1;1;70}};100}"},
        {"bat", "20003", "{{[pelt];1;1;5};{[bone];1;1;5}}", "{}"},
        // The names of positions 18 and 20 are not drop lists the checks read.
        {"ghost", "20004", "{}", "{}"},
    });
    const DropIndex index(npc);
    EXPECT_EQ(mentions(index, "bone"), "1:19 1:21 3:19 ");
    EXPECT_EQ(mentions(index, "pelt"), "2:21 3:19 ");
    EXPECT_EQ(mentions(index, "Bone"), ""); // exact and case-sensitive, as the checks match
    EXPECT_EQ(mentions(index, ""), "");
    // Every name the checks collect is in the index, and nothing else is.
    for (size_t r = 1; r < npc.rowCount(); ++r)
        for (std::string_view name : dropNames(npc, r))
            EXPECT_FALSE(index.mentionsOf(name).empty()) << name;
}

TEST(DropIndex, WhereDroppedLinesNameEachNpcAndList) {
    const Table npc = npcTable({{"orc", "20001", "{{[bone];1;2;50}}", "{}"},
                                {"bat", "20003", "{}", "{{{[bone];1;1;5}};100}"}});
    Table items;
    items.setColCount(4);
    items.appendRow({"", "bone", "etcitem", "1870"});
    items.appendRow({"", "pelt", "etcitem", "1871"});
    const DropIndex index(npc);
    std::vector<size_t> rows;
    EXPECT_EQ(whereDroppedLines(items, 2, npc, index, &rows),
              (std::vector<std::string>{"Item [bone] (ID:1870) is named in 2 NPC drop lists:",
                                        "  NPC [orc] (20001) in additional_make_list",
                                        "  NPC [bat] (20003) in additional_make_multi_list"}));
    EXPECT_EQ(rows, (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(whereDroppedLines(items, 3, npc, index, &rows),
              (std::vector<std::string>{"Item [pelt] (ID:1871) is named in no NPC drop list."}));
}

TEST(DropIndex, TwentyThousandNpcsAreIndexedInOnePass) {
    // 20,000 NPCs with ten entries each: every item's answer is the list of its droppers.
    std::vector<std::array<std::string, 4>> rows;
    for (int r = 0; r < 20000; ++r) {
        std::string flat = "{";
        for (int k = 0; k < 10; ++k)
            flat += (k ? ";" : "") + std::string("{[item_") + std::to_string((r + k) % 3000) +
                    "];1;1;5}";
        rows.push_back({"npc_" + std::to_string(r), std::to_string(20000 + r), flat + "}", "{}"});
    }
    const DropIndex index(npcTable(rows));
    size_t total = 0;
    for (int i = 0; i < 3000; ++i)
        total += index.mentionsOf("item_" + std::to_string(i)).size();
    EXPECT_EQ(total, 200000u);
    EXPECT_EQ(index.mentionsOf("item_5").front().row, 1u);
}
