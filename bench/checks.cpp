// Cross-file checks at full size: 10,000 NPCs, 10,000 items, 20,000 npcpos lines, client dumps.
#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "checks/pch.h"
#include "checks/presence.h"
#include "checks/skilltools.h"
#include "records/tableio.h"

#include <functional>

namespace aethrian::bench {

namespace {

struct Sides {
    Table npc, items;
    std::vector<std::string> npcpos, npcgrp, npcname, itemname, grp;
    std::vector<std::string> npcPch, itemPch;
};

PaneLines view(const std::vector<std::string>& lines) {
    return PaneLines(lines.begin(), lines.end());
}

Sides makeSides(size_t records) {
    Sides s;
    LoadTable(splitRecordLines(generateNpcData(records, records, 42)), kNpcKind, s.npc);
    LoadTable(splitRecordLines(generateItemData(records, 42)), kItemKind, s.items);
    for (size_t i = 0; i < 2 * records; ++i) // every NPC twice, some unknown
        s.npcpos.push_back(
            "npc_begin\t[" +
            (i % 97 == 0 ? "ghost_" + std::to_string(i) : s.npc.cell(1 + i % records, 1)) +
            "]\tpos=anywhere\ttotal=1\trespawn=60sec\tnpc_end");
    for (size_t r = 1; r < s.npc.rowCount(); ++r) {
        if (r % 50 != 0) {
            s.npcgrp.push_back("npcgrp_begin\tnpc_id=" + s.npc.cell(r, 3) + "\tnpc_name=[" +
                               s.npc.cell(r, 1) + "]\tnpcgrp_end");
            s.npcname.push_back("npcname_begin\tid=" + s.npc.cell(r, 3) +
                                "\tname=[x]\tnpcname_end");
        }
    }
    for (size_t r = 1; r < s.items.rowCount(); ++r) {
        if (r % 50 != 0) {
            s.itemname.push_back("item_name_begin\tid=" + s.items.cell(r, 3) +
                                 "\tname=[x]\titem_name_end");
            s.grp.push_back("item_begin\tobject_id=" + s.items.cell(r, 3) + "\tobject_name=[" +
                            s.items.cell(r, 1) + "]\titem_end");
        }
    }
    VectorLog log;
    generatePch(s.npc, PchKind::Npc, s.npcPch, log);
    generatePch(s.items, PchKind::Item, s.itemPch, log);
    return s;
}

} // namespace

void runSkillSuite() {
    // 30,000 skill lines in shuffled order, every 100th missing from the other files.
    const size_t lines = 30000;
    std::vector<std::string> data, pch, grp;
    for (size_t i = 0; i < lines; ++i) {
        const size_t k = (i * 7919) % lines;
        const std::string id = std::to_string(k / 3), level = std::to_string(k % 3 + 1);
        data.push_back("skill_begin\tskill_name = [s_" + std::to_string(k) + "]\tskill_id = " + id +
                       " \tlevel = " + level + " \toperate_type = A1 \tskill_end");
        if (k % 100 != 0) {
            pch.push_back("[s_" + std::to_string(k) + "]\t=\t" + std::to_string(k));
            grp.push_back("skill_begin\tskill_id = " + id + " \tlevel = " + level + " \tskill_end");
        }
    }
    const SkillToolOutput quiet{[](const std::string&) {}, [](const std::string&) {}, {}, {}};
    printRow("skills: sort by ID and level", lines, 0,
             measure([&] { sortSkillLines(view(data), SkillPane::Skilldata, quiet); }), 0);
    printRow("skills: find inside Skill_PCH", lines, 0,
             measure([&] { findInSkillPch(view(data), view(pch), quiet); }), 0);
    printRow("skills: find inside Skillgrp", lines, 0,
             measure([&] { findInSkillLines(view(data), view(grp), quiet); }), 0);
}

void runChecksSuite(const std::string& /*dir*/) {
    runSkillSuite();
    for (size_t records : {10000u, 20000u}) {
        const Sides s = makeSides(records);
        const auto run = [&](const char* label, const std::function<void(Log&)>& check) {
            printRow(label, records, 0, measure([&] {
                         VectorLog log;
                         check(log);
                     }),
                     0);
        };
        run("check items exist (drop lists)", [&](Log& l) { checkItemsExist(s.npc, s.items, l); });
        run("check items not dropped", [&](Log& l) { checkItemsNotDropped(s.items, s.npc, l); });
        run("check monsters (npcpos pane)",
            [&](Log& l) { checkMonstersExist(view(s.npcpos), s.npc, l); });
        run("check npcs inside npcpos", [&](Log& l) { checkNpcposNpcs(view(s.npcpos), s.npc, l); });
        run("check npcgrp", [&](Log& l) { checkNpcgrp(s.npc, view(s.npcgrp), l); });
        run("check npcname", [&](Log& l) { checkNpcname(s.npc, view(s.npcname), l); });
        run("check itemname", [&](Log& l) { checkItemname(s.items, view(s.itemname), l); });
        run("check merged grp", [&](Log& l) {
            // Three dumps of a third each: an empty one would be refused.
            const PaneLines grp = view(s.grp);
            const auto third = static_cast<long>(grp.size() / 3);
            const PaneLines weapon(grp.begin(), grp.begin() + third);
            const PaneLines armor(grp.begin() + third, grp.begin() + 2 * third);
            const PaneLines etc(grp.begin() + 2 * third, grp.end());
            checkMergedGrp(s.items, weapon, armor, etc, l);
        });
        run("check presence in NPC_PCH",
            [&](Log& l) { checkPchPresence(s.npc, PchKind::Npc, view(s.npcPch), l); });
        run("generate NPC_PCH", [&](Log& l) {
            std::vector<std::string> lines;
            generatePch(s.npc, PchKind::Npc, lines, l);
        });
        run("compare NPC_PCH", [&](Log& l) { comparePch(view(s.npcPch), view(s.npcPch), l); });
    }
}

} // namespace aethrian::bench
