// The whole-server check on a generated 20,000-record server folder with every file present,
// next to the floor of reading and decoding all its files.
#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "lint/lint.h"
#include "records/tableio.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace aethrian::bench {

namespace {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += l + "\r\n";
    return s;
}

// Writes the server's fifteen files into `dir`; returns their total UTF-8 size in MB. Every 50th
// record is missing from the client files and the PCH, every 97th npcpos name is unknown, so each
// check has findings to report.
double writeServer(const std::string& dir, size_t records) {
    std::string npcText = generateNpcData(records, records, 42);
    // The generated drop lists name adena, which the generated itemdata lacks: a real server
    // does not report every NPC.
    for (size_t at = npcText.find("[adena]"); at != std::string::npos;
         at = npcText.find("[adena]", at))
        npcText.replace(at, 7, "[item_0]");
    const std::string itemText = generateItemData(records, 42);
    Table npc, items;
    LoadTable(splitRecordLines(npcText), kNpcKind, npc);
    LoadTable(splitRecordLines(itemText), kItemKind, items);
    std::vector<std::string> npcpos, npcgrp, npcname, npcPch, itemname, itemPch, grp[3];
    std::vector<std::string> skills, skillPch, skillgrp, skillname;
    for (size_t i = 0; i < 2 * records; ++i)
        npcpos.push_back(
            "npc_begin\t[" +
            (i % 97 == 0 ? "ghost_" + std::to_string(i) : npc.cell(1 + i % records, 1)) +
            "]\tpos=anywhere\ttotal=1\trespawn=60sec\tnpc_end");
    for (size_t r = 1; r < npc.rowCount(); ++r) {
        if (r % 50 == 0)
            continue;
        npcgrp.push_back("npcgrp_begin\tnpc_id=" + npc.cell(r, 3) + "\tnpc_name=[" +
                         npc.cell(r, 1) + "]\tnpcgrp_end");
        npcname.push_back("npcname_begin\tid=" + npc.cell(r, 3) + "\tname=[x]\tnpcname_end");
        npcPch.push_back("[" + npc.cell(r, 1) + "]\t=\t" +
                         std::to_string(1000000 + std::stol(npc.cell(r, 3))));
    }
    for (size_t r = 1; r < items.rowCount(); ++r) {
        if (r % 50 == 0)
            continue;
        itemname.push_back("item_name_begin\tid=" + items.cell(r, 3) + "\tname=[x]\titem_name_end");
        grp[r % 3].push_back("item_begin\tobject_id=" + items.cell(r, 3) + "\tobject_name=[" +
                             items.cell(r, 1) + "]\titem_end");
        itemPch.push_back("[" + items.cell(r, 1) + "]\t=\t" + items.cell(r, 3));
    }
    for (size_t i = 0; i < records; ++i) {
        const size_t k = (i * 7919) % records;
        const std::string id = std::to_string(k / 3), level = std::to_string(k % 3 + 1);
        skills.push_back("skill_begin\tskill_name = [s_" + std::to_string(k) +
                         "]\tskill_id = " + id + " \tlevel = " + level +
                         " \toperate_type = A1 \tmp_consume2 = 11 \tskill_end");
        if (k % 50 == 0)
            continue;
        skillPch.push_back("[s_" + std::to_string(k) + "]\t=\t" + std::to_string(k));
        skillgrp.push_back("skill_begin\tskill_id = " + id + " \tlevel = " + level +
                           " \tskill_end");
        skillname.push_back("skillname_begin\tskill_id = " + id + " \tskill_level = " + level +
                            " \tlevel = " + level + " \tname = [x] \tskillname_end");
    }
    const std::vector<std::pair<const char*, std::string>> files{
        {"npcdata.txt", npcText},
        {"itemdata.txt", itemText},
        {"skilldata.txt", joinLines(skills)},
        {"npcpos.txt", joinLines(npcpos)},
        {"npcgrp.txt", joinLines(npcgrp)},
        {"npcname.txt", joinLines(npcname)},
        {"npc_pch.txt", joinLines(npcPch)},
        {"itemname.txt", joinLines(itemname)},
        {"item_pch.txt", joinLines(itemPch)},
        {"weapongrp.txt", joinLines(grp[0])},
        {"armorgrp.txt", joinLines(grp[1])},
        {"etcitemgrp.txt", joinLines(grp[2])},
        {"skill_pch.txt", joinLines(skillPch)},
        {"skillgrp.txt", joinLines(skillgrp)},
        {"skillname.txt", joinLines(skillname)}};
    size_t bytes = 0;
    for (const auto& [name, text] : files) {
        writeGenerated(dir, name, text);
        bytes += text.size();
    }
    return static_cast<double>(bytes) / 1e6;
}

} // namespace

void runLintSuite(const std::string& scratch) {
    const size_t records = 20000;
    const std::string dir = scratch + "/server";
    std::filesystem::create_directories(dir);
    const double mb = writeServer(dir, records);
    double floor = 0;
    for (const auto& [kind, path] : findServerFiles(dir))
        floor += floorMs(path);
    printRow("floor: read + decode a server's 15 files", records, mb, Measurement{floor, 0}, floor);
    printRow("lint a whole server", records, mb,
             measure([&] { lintServer(findServerFiles(dir), {}, ','); }), floor);
    std::printf("  (target: lint at most 3x the floor)\n");
    if (std::getenv("AETHRIAN_BENCH_KEEP"))
        std::filesystem::rename(dir, std::getenv("AETHRIAN_BENCH_KEEP"));
    std::filesystem::remove_all(dir);
}

} // namespace aethrian::bench
