#include "cli/command.h"

namespace aethrian::cli {

int runConvert(Context& ctx, const std::vector<std::string>& args);
int runRates(Context& ctx, const std::vector<std::string>& args);
int runCompare(Context& ctx, const std::vector<std::string>& args);
int runChange(Context& ctx, const std::vector<std::string>& args);
int runAddDrop(Context& ctx, const std::vector<std::string>& args);
int runSort(Context& ctx, const std::vector<std::string>& args);
int runRound(Context& ctx, const std::vector<std::string>& args);
int runFill(Context& ctx, const std::vector<std::string>& args);
int runCheckDuplicates(Context& ctx, const std::vector<std::string>& args);
int runCheckDropNumbers(Context& ctx, const std::vector<std::string>& args);
int runCheckItemsExist(Context& ctx, const std::vector<std::string>& args);
int runCheckNotDropped(Context& ctx, const std::vector<std::string>& args);
int runCheckMonsters(Context& ctx, const std::vector<std::string>& args);
int runCheckNpcpos(Context& ctx, const std::vector<std::string>& args);
int runCheckNpcgrp(Context& ctx, const std::vector<std::string>& args);
int runCheckNpcname(Context& ctx, const std::vector<std::string>& args);
int runCheckItemname(Context& ctx, const std::vector<std::string>& args);
int runCheckGrp(Context& ctx, const std::vector<std::string>& args);
int runCheckNpcPch(Context& ctx, const std::vector<std::string>& args);
int runCheckItemPch(Context& ctx, const std::vector<std::string>& args);
int runPchGenerate(Context& ctx, const std::vector<std::string>& args);
int runPchCompare(Context& ctx, const std::vector<std::string>& args);
int runExportPhp(Context& ctx, const std::vector<std::string>& args);
int runDuals(Context& ctx, const std::vector<std::string>& args);
int runSkillsSort(Context& ctx, const std::vector<std::string>& args);
int runSkillsFind(Context& ctx, const std::vector<std::string>& args);
int runTextconv(Context& ctx, const std::vector<std::string>& args);
int runDiff(Context& ctx, const std::vector<std::string>& args);
int runMerge(Context& ctx, const std::vector<std::string>& args);
int runGitSetup(Context& ctx, const std::vector<std::string>& args);
int runLint(Context& ctx, const std::vector<std::string>& args);

const std::vector<Command>& commands() {
    static const std::vector<Command> all{
        {"convert", runConvert, "convert npc|item|pet FILE -o OUT"},
        {"rates", runRates, "rates NPCDATA"},
        {"compare", runCompare,
         "compare npc|item|skill FIRST [SECOND] [--only-differences] [--show-missing] [--x-rate]"},
        {"change", runChange,
         "change FILE --column X [--row R] (--add V|--subtract V|--multiply V|--divide V|--warp FROM TO) "
         "[--smart LOW HIGH] [--adena-only] -o OUT"},
        {"add-drop", runAddDrop,
         "add-drop FILE --item NAME [--min V A B] [--max V A B] [--chance V A B] [--min-level N] [--kind K] "
         "[--clan C] [--percent P] [--seed S] [--row R] -o OUT"},
        {"sort", runSort, "sort FILE --kind npc|item --column X -o OUT"},
        {"round", runRound, "round FILE --column X -o OUT"},
        {"fill", runFill, "fill FILE --column X --text T -o OUT"},
        {"check duplicates", runCheckDuplicates, "check duplicates npc|item FILE"},
        {"check drop-numbers", runCheckDropNumbers, "check drop-numbers NPCDATA"},
        {"check items-exist", runCheckItemsExist, "check items-exist NPCDATA ITEMDATA"},
        {"check not-dropped", runCheckNotDropped, "check not-dropped ITEMDATA NPCDATA"},
        {"check monsters", runCheckMonsters, "check monsters NPCPOS NPCDATA"},
        {"check npcpos", runCheckNpcpos, "check npcpos NPCDATA NPCPOS"},
        {"check npcgrp", runCheckNpcgrp, "check npcgrp NPCDATA NPCGRP"},
        {"check npcname", runCheckNpcname, "check npcname NPCDATA NPCNAME"},
        {"check itemname", runCheckItemname, "check itemname ITEMDATA ITEMNAME"},
        {"check grp", runCheckGrp, "check grp ITEMDATA WEAPONGRP ARMORGRP ETCITEMGRP"},
        {"check npc-pch", runCheckNpcPch, "check npc-pch NPCDATA NPC_PCH"},
        {"check item-pch", runCheckItemPch, "check item-pch ITEMDATA ITEM_PCH"},
        {"pch generate", runPchGenerate, "pch generate npc|item FILE -o OUT"},
        {"pch compare", runPchCompare, "pch compare FIRST SECOND"},
        {"export-php", runExportPhp, "export-php weapongrp|etcitemgrp|itemname FILE --first-id N"},
        {"skills sort", runSkillsSort, "skills sort skilldata|skillname FILE -o OUT"},
        {"skills find", runSkillsFind, "skills find pch|grp|name SKILLDATA OTHER"},
        {"duals", runDuals, "duals ITEMDATA --main R --second R --id NEWID [--grade G] [--ss N] [--sps N] -o OUT"},
        {"textconv", runTextconv, "textconv FILE"},
        {"diff", runDiff, "diff OLD NEW"},
        {"merge", runMerge, "merge BASE OURS THEIRS -o OUT [--name PATH]"},
        {"git setup", runGitSetup, "git setup [--global]"},
        {"lint", runLint,
         "lint DIR [FILE...] [--file KIND=PATH]... [--format text|json] [--skip CHECK]... [--baseline JSON]"},
    };
    return all;
}

} // namespace aethrian::cli
