#include "app/errors.h"
#include "app/log.h"
#include "app/parallel.h"
#include "checks/pch.h"
#include "checks/presence.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/tablecommands.h"
#include "records/textfile.h"

#include <optional>
#include <ostream>

namespace aethrian::cli {

namespace {

// A side file as its pane holds it; a file that cannot be read is an expected problem here.
struct Pane {
    explicit Pane(const std::string& path)
        : side(readSideFile(path)), lines(side.lines), name("The file " + path) {}
    SideText side;
    const PaneLines& lines;
    std::string name; // what a check that refuses it empty calls it
};

std::vector<std::string> positional(const std::vector<std::string>& argv, size_t count,
                                    const std::string& usage) {
    Args args(argv, {});
    args.expectPositional(count, count, usage);
    return args.positional();
}

} // namespace

int runCheckItemsExist(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check items-exist NPCDATA ITEMDATA");
    const Table npc = loadTableFile(p[0], kNpcKind);
    const Table items = loadTableFile(p[1], kItemKind);
    CallbackLog log = printLog(ctx);
    checkItemsExist(npc, items, log);
    return 0;
}

int runCheckNotDropped(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check not-dropped ITEMDATA NPCDATA");
    const Table items = loadTableFile(p[0], kItemKind);
    const Table npc = loadTableFile(p[1], kNpcKind);
    CallbackLog log = printLog(ctx);
    checkItemsNotDropped(items, npc, log);
    return 0;
}

int runCheckMonsters(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check monsters NPCPOS NPCDATA");
    const Pane npcpos(p[0]);
    const Table npc = loadTableFile(p[1], kNpcKind);
    CallbackLog log = printLog(ctx);
    checkMonstersExist(npcpos.lines, npc, log, npcpos.name);
    return 0;
}

int runCheckNpcpos(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check npcpos NPCDATA NPCPOS");
    const Table npc = loadTableFile(p[0], kNpcKind);
    const Pane npcpos(p[1]);
    CallbackLog log = printLog(ctx);
    checkNpcposNpcs(npcpos.lines, npc, log, {}, npcpos.name);
    return 0;
}

int runCheckNpcgrp(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check npcgrp NPCDATA NPCGRP");
    const Table npc = loadTableFile(p[0], kNpcKind);
    const Pane grp(p[1]);
    CallbackLog log = printLog(ctx);
    checkNpcgrp(npc, grp.lines, log, grp.name);
    return 0;
}

int runCheckNpcname(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check npcname NPCDATA NPCNAME");
    const Table npc = loadTableFile(p[0], kNpcKind);
    const Pane names(p[1]);
    CallbackLog log = printLog(ctx);
    checkNpcname(npc, names.lines, log, names.name);
    return 0;
}

int runCheckItemname(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check itemname ITEMDATA ITEMNAME");
    const Table items = loadTableFile(p[0], kItemKind);
    const Pane names(p[1]);
    CallbackLog log = printLog(ctx);
    checkItemname(items, names.lines, log, names.name);
    return 0;
}

int runCheckGrp(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 4, "check grp ITEMDATA WEAPONGRP ARMORGRP ETCITEMGRP");
    const Table items = loadTableFile(p[0], kItemKind);
    const Pane weapon(p[1]), armor(p[2]), etc(p[3]);
    CallbackLog log = printLog(ctx);
    checkMergedGrp(items, weapon.lines, armor.lines, etc.lines, log, weapon.name, armor.name,
                   etc.name);
    return 0;
}

int runCheckNpcPch(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check npc-pch NPCDATA NPC_PCH");
    const Table npc = loadTableFile(p[0], kNpcKind);
    const Pane pch(p[1]);
    CallbackLog log = printLog(ctx);
    checkPchPresence(npc, PchKind::Npc, pch.lines, log, pch.name);
    return 0;
}

int runCheckItemPch(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "check item-pch ITEMDATA ITEM_PCH");
    const Table items = loadTableFile(p[0], kItemKind);
    const Pane pch(p[1]);
    CallbackLog log = printLog(ctx);
    checkPchPresence(items, PchKind::Item, pch.lines, log, pch.name);
    return 0;
}

int runPchGenerate(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage = "pch generate npc|item FILE -o OUT";
    Args args(argv, {{"-o", 1}});
    args.expectPositional(2, 2, usage);
    const std::string& kind = args.positional()[0];
    if (kind != "npc" && kind != "item")
        throw ExpectedProblem("Usage: aethrian-cli " + usage);
    const std::string out = args.required("-o");
    const Table table = loadTableFile(args.positional()[1], kind == "npc" ? kNpcKind : kItemKind);
    CallbackLog log = printLog(ctx);
    std::vector<std::string> lines;
    generatePch(table, kind == "npc" ? PchKind::Npc : PchKind::Item, lines, log);
    std::string pane;
    for (const std::string& line : lines)
        pane += line + "\r\n";
    writePaneFile(out, pane);
    return 0;
}

int runPchCompare(Context& ctx, const std::vector<std::string>& argv) {
    const auto p = positional(argv, 2, "pch compare FIRST SECOND");
    // The two files are read side by side; the first one's failure is reported when both fail.
    std::optional<Pane> first, second;
    parallelFor(2, [&](size_t i) { (i == 0 ? first : second).emplace(p[i]); });
    CallbackLog log = printLog(ctx);
    comparePch(first->lines, second->lines, log, first->name, second->name);
    return 0;
}

} // namespace aethrian::cli
