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
        {"convert", runConvert, "convert npc|item|pet FILE -o OUT",
         "Loads an npcdata, itemdata or pet data FILE as the editor does and writes it to "
         "OUT as \"Save as\" does. Records whose fields are out of the first record's order "
         "are reported on stderr."},
        {"rates", runRates, "rates NPCDATA",
         "Reads the rates of the npcdata file NPCDATA from its three reference monsters and "
         "prints the NPCData Checker's fifteen results as a table."},
        {"compare", runCompare,
         "compare npc|item|skill FIRST [SECOND] [--only-differences] [--show-missing] [--x-rate]",
         "Compares the npcdata, itemdata or skilldata file FIRST with SECOND record by "
         "record and prints the result grid, then the names SECOND lacks; without SECOND, or "
         "with no file at that path, lists FIRST alone (Watch). --only-differences keeps the "
         "records that differ, --show-missing adds the records SECOND lacks, --x-rate (npc "
         "only) shows the ratios of FIRST over SECOND."},
        {"change", runChange,
         "change FILE --column X [--row R] (--add V|--subtract V|--multiply V|--divide V|--warp "
         "FROM TO) "
         "[--smart LOW HIGH] [--adena-only] -o OUT",
         "Adds to, subtracts from, multiplies or divides the numbers of column X of the "
         "npcdata FILE (only row R with --row), or warps them from rate FROM to rate TO, and "
         "writes the result to OUT. Drop-list columns change their chances; --adena-only "
         "changes the adena amounts instead; --smart leaves values outside LOW..HIGH as they "
         "are."},
        {"add-drop", runAddDrop,
         "add-drop FILE --item NAME [--min V A B] [--max V A B] [--chance V A B] [--min-level N] "
         "[--kind K] "
         "[--clan C] [--percent P] [--seed S] [--row R] -o OUT",
         "Adds a drop of item NAME to the npcdata FILE and writes it to OUT: to row R with "
         "--row, otherwise to every NPC of at least level N, of type K and clan C that wins "
         "a draw of P percent (--seed makes the draw repeatable). Each of --min, --max and "
         "--chance is V + A x level + B x level squared."},
        {"sort", runSort, "sort FILE --kind npc|item --column X -o OUT",
         "Sorts the npcdata or itemdata FILE by column X, as the editor's sort does, and "
         "writes it to OUT."},
        {"round", runRound, "round FILE --column X -o OUT",
         "Rounds the numbers of column X of the npcdata FILE to whole numbers and writes it "
         "to OUT."},
        {"fill", runFill, "fill FILE --column X --text T -o OUT",
         "Sets every cell of column X of the npcdata FILE to the text T and writes it to "
         "OUT."},
        {"check duplicates", runCheckDuplicates, "check duplicates npc|item FILE",
         "Lists the records of the npcdata or itemdata FILE that share their name (case "
         "ignored) or their ID with another record."},
        {"check drop-numbers", runCheckDropNumbers, "check drop-numbers NPCDATA",
         "Lists the drop entries of NPCDATA with an amount below 1 (wrong values) or a "
         "chance below 0.1 (poor drops)."},
        {"check items-exist", runCheckItemsExist, "check items-exist NPCDATA ITEMDATA",
         "Lists the items that the drop lists of NPCDATA name but ITEMDATA lacks."},
        {"check not-dropped", runCheckNotDropped, "check not-dropped ITEMDATA NPCDATA",
         "Lists the items of ITEMDATA that no NPC of NPCDATA drops."},
        {"check monsters", runCheckMonsters, "check monsters NPCPOS NPCDATA",
         "Lists the NPCs that the npcpos file NPCPOS names but no NPC name of NPCDATA "
         "contains (a part of a longer name counts as present)."},
        {"check npcpos", runCheckNpcpos, "check npcpos NPCDATA NPCPOS",
         "Lists the NPCs that the npcpos file NPCPOS names but NPCDATA lacks, comparing "
         "whole names."},
        {"check npcgrp", runCheckNpcgrp, "check npcgrp NPCDATA NPCGRP",
         "Lists the NPCs of NPCDATA that the client dump NPCGRP lacks."},
        {"check npcname", runCheckNpcname, "check npcname NPCDATA NPCNAME",
         "Lists the NPCs of NPCDATA that the client dump NPCNAME lacks."},
        {"check itemname", runCheckItemname, "check itemname ITEMDATA ITEMNAME",
         "Lists the items of ITEMDATA that the client dump ITEMNAME lacks."},
        {"check grp", runCheckGrp, "check grp ITEMDATA WEAPONGRP ARMORGRP ETCITEMGRP",
         "Lists the items of ITEMDATA that none of the client dumps WEAPONGRP, ARMORGRP and "
         "ETCITEMGRP holds."},
        {"check npc-pch", runCheckNpcPch, "check npc-pch NPCDATA NPC_PCH",
         "Lists the NPCs of NPCDATA whose name the index file NPC_PCH lacks or holds more "
         "than once."},
        {"check item-pch", runCheckItemPch, "check item-pch ITEMDATA ITEM_PCH",
         "Lists the items of ITEMDATA whose name the index file ITEM_PCH lacks or holds more "
         "than once."},
        {"pch generate", runPchGenerate, "pch generate npc|item FILE -o OUT",
         "Writes the NPC_PCH or ITEM_PCH index of the npcdata or itemdata FILE to OUT."},
        {"pch compare", runPchCompare, "pch compare FIRST SECOND",
         "Compares the index file FIRST with the reference SECOND and lists the names of "
         "FIRST that SECOND lacks, holds twice or registers under another ID."},
        {"export-php", runExportPhp, "export-php weapongrp|etcitemgrp|itemname FILE --first-id N",
         "Prints the client dump FILE (weapongrp, etcitemgrp or itemname) as PHP array "
         "lines, numbering them from ID N."},
        {"skills sort", runSkillsSort, "skills sort skilldata|skillname FILE -o OUT",
         "Sorts the skilldata or skillname FILE by skill identifier and level, lists the "
         "duplicates and writes the sorted file to OUT."},
        {"skills find", runSkillsFind, "skills find pch|grp|name SKILLDATA OTHER",
         "Lists the skills of SKILLDATA that OTHER (a skill_pch, skillgrp or skillname file) "
         "lacks."},
        {"duals", runDuals,
         "duals ITEMDATA --main R --second R --id NEWID [--grade G] [--ss N] [--sps N] -o OUT",
         "Makes a dual weapon from the weapons in rows R of --main and --second of ITEMDATA, "
         "gives it the item ID NEWID, appends it and writes the file to OUT. --grade, --ss "
         "and --sps replace the grade and the soulshot and spiritshot counts computed from "
         "the two weapons."},
        {"textconv", runTextconv, "textconv FILE",
         "Prints the npcdata, itemdata or skilldata FILE as UTF-8 text with one line per field, "
         "each naming its record, so git's line diff shows the fields that changed. Other files "
         "print line for line."},
        {"diff", runDiff, "diff OLD NEW",
         "Reports the records added to, removed from and changed between the record files OLD "
         "and NEW, each changed field with both values and drop lists entry by entry. Exit 0 "
         "when equal, 1 when they differ; git's external diff form is accepted too."},
        {"merge", runMerge, "merge BASE OURS THEIRS -o OUT [--name PATH]",
         "Merges the changes OURS and THEIRS made to BASE record by record and field by field "
         "and writes OUT as the editor saves; a field both changed differently is marked "
         "(ours <> theirs) and named on stderr, exit 1. Serves as git's merge driver."},
        {"git setup", runGitSetup, "git setup [--global]",
         "Sets up the current git work tree (or, with --global, the user's configuration) to "
         "diff and merge record files with this program; running it again changes nothing."},
        {"lint", runLint,
         "lint DIR [FILE...] [--file KIND=PATH]... [--format text|json] [--skip CHECK]... "
         "[--baseline JSON]",
         "Checks a whole server folder in one run: finds its record and side files by their usual "
         "names, runs every check whose files are present and prints each finding as "
         "FILE:LINE: CHECK: MESSAGE (or JSON). Exit 0 without findings, 1 with, 2 on an error; "
         "--baseline hides the findings of an earlier JSON report."},
    };
    return all;
}

} // namespace aethrian::cli
