// Every command of aethrian-cli through its own dispatcher (standard output to /dev/null), timed
// next to its floor: reading and decoding its input files, plus encoding and writing its output
// file for the commands with -o. Also the adversarial inputs that once took quadratic time.
#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "cli/command.h"
#include "records/textfile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <vector>

namespace aethrian::bench {

namespace {

// Only the commands whose label holds this text are timed ("" times every one).
std::string onlyLabelsWith;

int runCli(const std::vector<std::string>& args) {
    std::ofstream null("/dev/null");
    return cli::run(args, null, null);
}

// Runs a command line in a child, fastest of three; a command that fails is reported, its time
// would mean nothing.
Measurement timeCli(const std::vector<std::string>& args) {
    return measure([&] {
        if (const int rc = runCli(args); rc != 0)
            std::fprintf(stderr, "  (%s exited with %d)\n", args[0].c_str(), rc);
    });
}

class Files {
  public:
    explicit Files(std::string dir) : dir_(std::move(dir)) {}
    std::string add(const std::string& name, const std::string& utf8) {
        const std::string path = writeGenerated(dir_, name, utf8);
        megabytes_[path] = static_cast<double>(utf8.size()) / 1e6;
        return path;
    }
    std::string out() const { return dir_ + "/cli_out.txt"; }
    // Read and decode, measured once per file.
    double floor(const std::string& path) {
        auto [at, fresh] = floors_.emplace(path, 0.0);
        if (fresh)
            at->second = floorMs(path);
        return at->second;
    }
    double megabytes(const std::string& path) const {
        // A file the CLI wrote (the PCH files): about half its UTF-16 size.
        const auto at = megabytes_.find(path);
        return at == megabytes_.end() ? static_cast<double>(fileSize(path)) / 2e6 : at->second;
    }

  private:
    std::string dir_;
    std::map<std::string, double> floors_, megabytes_;
};

// One command: `inputs` are the files it reads; with `writesOut` its -o file is part of the floor.
void timeCommand(Files& files, const std::string& label, size_t records,
                 const std::vector<std::string>& args, const std::vector<std::string>& inputs,
                 bool writesOut) {
    if (label.find(onlyLabelsWith) == std::string::npos)
        return;
    double floor = 0, mb = 0;
    for (const std::string& in : inputs) {
        floor += files.floor(in);
        mb += files.megabytes(in);
    }
    ::remove(files.out().c_str());
    const Measurement m = timeCli(args);
    if (writesOut) {
        const std::string copy = files.out() + ".floor";
        std::string text;
        floor += measure([&] { text = decodeText(readFileBytes(files.out())).text; },
                         [&] { writeFileAtomic(copy, encodeUtf16LE(text, true)); })
                     .ms;
        ::remove(copy.c_str());
    }
    printRow("cli " + label, records, mb, m, floor);
}

std::string lines(size_t count, const std::function<std::string(size_t)>& line) {
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += line(i) + "\r\n";
    return out;
}

// A skill line as the skill tools read it (keys with spaces around "=").
std::string skillToolLine(size_t k, const std::string& tail) {
    return "skill_begin\tskill_name = [s_" + std::to_string(k) +
           "]\tskill_id = " + std::to_string(k / 3) + " \tlevel = " + std::to_string(k % 3 + 1) +
           " \t" + tail + "skill_end";
}

void commandsAt(const std::string& dir, size_t n) {
    Files f(dir);
    const std::string npcText = generateNpcData(n, n, 42);
    const std::string npc = f.add("npc.txt", npcText), npcB = f.add("npc_b.txt", secondOf(npcText));
    const std::string itemText = generateItemData(n, 42);
    const std::string item = f.add("item.txt", itemText),
                      itemB = f.add("item_b.txt", secondOf(itemText));
    const std::string skillText = skillData(n);
    const std::string skills = f.add("skills.txt", skillText),
                      skillsB = f.add("skills_b.txt", secondOf(skillText));
    const std::string npcpos =
        f.add("npcpos.txt", lines(2 * n, [&](size_t i) {
                  const std::string name =
                      i % 97 == 0 ? "ghost_" + std::to_string(i) : npcName(i % n);
                  return "npc_begin\t[" + name + "]\tpos=anywhere\ttotal=1\trespawn=60sec\tnpc_end";
              }));
    const std::string npcgrp = f.add(
        "npcgrp.txt", lines(n, [&](size_t r) {
            return "npcgrp_begin\tnpc_id=" + std::to_string(20000 + r + (r % 50 == 0 ? 5 * n : 0)) +
                   "\tnpc_name=[" + npcName(r) + "]\tnpcgrp_end";
        }));
    const std::string npcname = f.add(
        "npcname.txt", lines(n, [&](size_t r) {
            return "npcname_begin\tid=" + std::to_string(20000 + r + (r % 50 == 0 ? 5 * n : 0)) +
                   "\tname=[x]\tnpcname_end";
        }));
    const std::string itemname = f.add(
        "itemname.txt", lines(n, [&](size_t r) {
            return "item_name_begin\tid=" + std::to_string(r + 1 + (r % 50 == 0 ? 5 * n : 0)) +
                   "\tname=[x]\titem_name_end";
        }));
    std::string grp[3];
    for (size_t r = 0; r < n; ++r) {
        if (r % 50 != 0)
            grp[r % 3] += "item_begin\tobject_id=" + std::to_string(r + 1) + "\tobject_name=[" +
                          itemName(r) + "]\titem_end\r\n";
    }
    const std::string weapon = f.add("weapongrp.txt", grp[0]),
                      armor = f.add("armorgrp.txt", grp[1]), etc = f.add("etcitemgrp.txt", grp[2]);
    const std::string dump = f.add("weapon_dump.txt", weaponDump(n));
    const std::string skilldata = f.add(
        "skilldata.txt",
        lines(n, [&](size_t i) { return skillToolLine((i * 7919) % n, "operate_type = A1 \t"); }));
    const std::string skillPch =
        f.add("skill_pch.txt", lines(n, [&](size_t i) {
                  return i % 100 == 0 ? "[s_missing_" + std::to_string(i) + "]\t=\t0"
                                      : "[s_" + std::to_string(i) + "]\t=\t" + std::to_string(i);
              }));
    const std::string skillgrp =
        f.add("skillgrp.txt", lines(n, [&](size_t i) {
                  return i % 100 == 0 ? skillToolLine(i + 3 * n, "") : skillToolLine(i, "");
              }));
    // The PCH files as the CLI generates them.
    const std::string npcPch = dir + "/npc_pch.txt", itemPch = dir + "/item_pch.txt";
    runCli({"pch", "generate", "npc", npc, "-o", npcPch});
    runCli({"pch", "generate", "item", item, "-o", itemPch});

    const std::string out = f.out();
    const auto time = [&](const std::string& label, const std::vector<std::string>& args,
                          const std::vector<std::string>& inputs) {
        timeCommand(f, label, n, args, inputs,
                    !args.empty() && std::find(args.begin(), args.end(), "-o") != args.end());
    };
    time("convert npc", {"convert", "npc", npc, "-o", out}, {npc});
    time("rates", {"rates", npc}, {npc});
    time("compare npc --x-rate", {"compare", "npc", npc, npcB, "--x-rate"}, {npc, npcB});
    time("compare item", {"compare", "item", item, itemB}, {item, itemB});
    time("compare skill", {"compare", "skill", skills, skillsB}, {skills, skillsB});
    time("change --multiply",
         {"change", npc, "--column", "acquire_exp_rate", "--multiply", "2", "-o", out}, {npc});
    time("add-drop", {"add-drop", npc, "--item", itemName(1), "--max", "1", "0.1", "0", "-o", out},
         {npc});
    time("sort npc by value",
         {"sort", npc, "--kind", "npc", "--column", "acquire_exp_rate", "-o", out}, {npc});
    time("round", {"round", npc, "--column", "acquire_exp_rate", "-o", out}, {npc});
    time("fill", {"fill", npc, "--column", "level", "--text", "1", "-o", out}, {npc});
    time("check duplicates npc", {"check", "duplicates", "npc", npc}, {npc});
    time("check drop-numbers", {"check", "drop-numbers", npc}, {npc});
    time("check items-exist", {"check", "items-exist", npc, item}, {npc, item});
    time("check not-dropped", {"check", "not-dropped", item, npc}, {item, npc});
    time("check monsters", {"check", "monsters", npcpos, npc}, {npcpos, npc});
    time("check npcpos", {"check", "npcpos", npc, npcpos}, {npc, npcpos});
    time("check npcgrp", {"check", "npcgrp", npc, npcgrp}, {npc, npcgrp});
    time("check npcname", {"check", "npcname", npc, npcname}, {npc, npcname});
    time("check itemname", {"check", "itemname", item, itemname}, {item, itemname});
    time("check grp", {"check", "grp", item, weapon, armor, etc}, {item, weapon, armor, etc});
    time("check npc-pch", {"check", "npc-pch", npc, npcPch}, {npc, npcPch});
    time("check item-pch", {"check", "item-pch", item, itemPch}, {item, itemPch});
    time("pch generate npc", {"pch", "generate", "npc", npc, "-o", out}, {npc});
    time("pch compare", {"pch", "compare", npcPch, npcPch}, {npcPch, npcPch});
    time("export-php weapongrp", {"export-php", "weapongrp", dump, "--first-id", "1"}, {dump});
    time("skills sort skilldata", {"skills", "sort", "skilldata", skilldata, "-o", out},
         {skilldata});
    time("skills find pch", {"skills", "find", "pch", skilldata, skillPch}, {skilldata, skillPch});
    time("skills find grp", {"skills", "find", "grp", skilldata, skillgrp}, {skilldata, skillgrp});
    time("skills find name", {"skills", "find", "name", skilldata, skillgrp},
         {skilldata, skillgrp});
    time("duals", {"duals", item, "--main", "2", "--second", "3", "--id", "999999", "-o", out},
         {item});
}

// Inputs built to hit a walk that once restarted from the top for every line or entry.
void adversarialInputs(const std::string& dir) {
    Files f(dir);
    const std::string out = f.out();
    const size_t same = 160000;
    const std::string identical =
        f.add("identical_skills.txt",
              lines(same, [](size_t) { return skillToolLine(1, "operate_type = A1 \t"); }));
    timeCommand(f, "skills sort, equal keys", same,
                {"skills", "sort", "skilldata", identical, "-o", out}, {identical}, true);
    // Two NPC records whose drop lists hold 50,000 entries, the second list in reverse order.
    const size_t entries = 50000;
    const auto record = [&](bool reversed) {
        std::string list = "{";
        for (size_t k = 0; k < entries; ++k) {
            const size_t i = reversed ? entries - 1 - k : k;
            list += (k ? ";" : "") + std::string("{[") + itemName(i) + "];1;" +
                    std::to_string(1 + i % 5) + ";" + std::to_string(1 + i % 90) + "}";
        }
        list += "}";
        return "npc_begin\twarrior\t1\t[long_drops]\tlevel=5\tacquire_exp_rate=1\tacquire_sp="
               "1\tadditional_make_list=" +
               list + "\tnpc_end\r\n";
    };
    const std::string a = f.add("long_list_a.txt", record(false)),
                      b = f.add("long_list_b.txt", record(true));
    timeCommand(f, "compare --x-rate, 50,000 drops", entries, {"compare", "npc", a, b, "--x-rate"},
                {a, b}, false);
}

} // namespace

void runCliSuite(const std::string& dir, const std::string& only) {
    onlyLabelsWith = only;
    for (size_t records : {10000u, 20000u})
        commandsAt(dir, records);
    adversarialInputs(dir);
}

} // namespace aethrian::bench
