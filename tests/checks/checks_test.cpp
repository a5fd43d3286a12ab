#include "app/errors.h"
#include "checks/pch.h"
#include "checks/presence.h"
#include "checks/skilltools.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace aethrian;

namespace {

Table table(const std::vector<std::pair<std::string, std::string>>& rows) {
    Table t;
    t.setColCount(22);
    t.setRowCount(1);
    for (const auto& [name, id] : rows) {
        Table::Row row(22);
        row[1] = name;
        row[3] = id;
        t.appendRow(row);
    }
    return t;
}

std::vector<std::string> run(const std::function<void(Log&)>& check) {
    VectorLog log;
    check(log);
    return log.lines;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(Pch, GenerateAndPresence) {
    const Table npc = table({{"orc", "20001"}, {"wolf", "0123"}});
    std::vector<std::string> lines;
    run([&](Log& l) { generatePch(npc, PchKind::Npc, lines, l); });
    EXPECT_EQ(lines, (Lines{"[orc]\t=\t1020001", "[wolf]\t=\t1000123"}));
    run([&](Log& l) { generatePch(npc, PchKind::Item, lines, l); });
    EXPECT_EQ(lines[1], "[wolf]\t=\t123");
    const Table bad = table({{"a", "1"}, {"b", "x"}});
    VectorLog log;
    EXPECT_THROW(generatePch(bad, PchKind::Npc, lines, log), OperationError);
    EXPECT_EQ(lines.size(), 1u); // the lines before the error stay

    // Right name, wrong number: present; a longer name does not count; a name twice: duplicated.
    const PaneLines pane{"[orc]\t=\t9", "[orc_grunt]\t=\t1", "[wolf]\t=\t2", "[wolf] = 2"};
    const Table t = table({{"orc", "1"}, {"wolf", "2"}, {"orc_g", "3"}});
    EXPECT_EQ(
        run([&](Log& l) { checkPchPresence(t, PchKind::Npc, pane, l); }),
        (Lines{"Check presence inside NPC_PCH...", "NPC [wolf] (2) is duplicated inside NPC_PCH",
               "NPC [orc_g] (3) is unregistered inside NPC_PCH", "Check DONE"}));
}

TEST(Pch, CompareRules) {
    EXPECT_EQ(pchIdentifier("[a]\t=\t1020001"), "1020001");
    EXPECT_EQ(pchIdentifier("[a] = 1020001"), "1020001");
    EXPECT_EQ(pchIdentifier("[a]\t=\t10200019"), "1020001");
    const PaneLines first{"[a] = 1000001", "[b]\t=\t1000002", "[c]\t=\t1000003", "[a]\t=\t1000001",
                          "no entry"};
    const PaneLines second{"[a]\t=\t1000001", "[b]\t=\t1000009", "[b]\t=\t1000008", "[d]\t=\t1"};
    EXPECT_EQ(run([&](Log& l) { comparePch(first, second, l); }),
              (Lines{"Compare first NPC_PCH to second NPC_PCH...",
                     "NPC b is duplicated inside second NPC_PCH",
                     "NPC b have different ID inside second NPC_PCH",
                     "NPC c not exists in second NPC_PCH", "NPC a not exists in second NPC_PCH",
                     "Check DONE"}));
}

TEST(Presence, DropListsAndItems) {
    Table npc = table({{"orc", "1"}, {"wolf", "2"}, {"bat", "3"}});
    npc.setCell(1, 19, "{{[adena];1;2;50};{[ghost];1;1;5}}");
    npc.setCell(2, 21, "{{{{[ghost];1;1;100}};5}}");
    npc.setCell(3, 20, "{{{{[sword];1;1;100}};5}}"); // column 20 is not read
    npc.setCell(3, 21, "{{{{[ghost];1;1;100}};5}}");
    const Table items = table({{"adena", "57"}, {"sword", "1"}});
    EXPECT_EQ(run([&](Log& l) { checkItemsExist(npc, items, l); }),
              (Lines{"Searching ITEMs...", "  item ghost not found", "  item ghost not found",
                     "  item ghost not found", "done."}));
    EXPECT_EQ(
        run([&](Log& l) { checkItemsNotDropped(items, npc, l); }),
        (Lines{"Searching ITEMs...", "  item sword (ID:1) is not dropped/spoiled.", "done."}));
}

TEST(Presence, NpcposWindowsAndIds) {
    const Table npc = table({{"orc_grunt", "20001"}, {"bat", "0123"}});
    const std::string longName(60, 'x');
    const Lines npcposText{"npc_begin\t[orc]\ttotal=1\tnpc_end", "npc_begin\t[bat]\tnpc_end",
                           "npc_begin\t[" + longName + "]\tnpc_end", "territory_begin\t[zone]"};
    const PaneLines npcpos(npcposText.begin(), npcposText.end());
    EXPECT_EQ(run([&](Log& l) { checkMonstersExist(npcpos, npc, l); }),
              (Lines{"Check presence of 3 NPCs inside NPCDATA...",
                     "NPC " + longName + " not found.", "Check DONE"}));
    std::vector<std::pair<size_t, size_t>> progress;
    EXPECT_EQ(run([&](Log& l) {
                  checkNpcposNpcs(npcpos, npc, l,
                                  [&](size_t k, size_t m) { progress.emplace_back(k, m); });
              }),
              (Lines{"orc non è stato trovato", " non è stato trovato"}));
    EXPECT_EQ(progress.back(), (std::pair<size_t, size_t>{2, 2}));

    const Lines npcgrpText{"npcgrp_begin\tnpc_name=[orc_grunt]\tnpcgrp_end",
                           "npcgrp_begin\tnpc_name=[" + std::string(60, 'b') + "]\tnpcgrp_end"};
    const PaneLines npcgrp(npcgrpText.begin(), npcgrpText.end());
    EXPECT_EQ(run([&](Log& l) { checkNpcgrp(npc, npcgrp, l); }),
              (Lines{"Check presence inside 2 NPCs of npcgrp...", "NPC [bat] (0123) not found.",
                     "Check DONE"}));
    const PaneLines npcname{"npcname_begin\tid=20001\tname=[Orc]",
                            "npcname_begin\tid=123\tname=[Bat]", "id=0123"};
    EXPECT_EQ(run([&](Log& l) { checkNpcname(npc, npcname, l); }),
              (Lines{"Check presence inside 3 NPCs of npcname...", "NPC bat (0123) not found.",
                     "Check DONE"}));

    // The windows count characters, not bytes: a 40-letter Cyrillic name (80 bytes) fits them.
    std::string cyrillic;
    for (int i = 0; i < 40; ++i)
        cyrillic += "д";
    const Table named = table({{cyrillic, "7"}});
    const Lines grpText{"npcgrp_begin\tnpc_name=[" + cyrillic + "]\tnpcgrp_end"};
    const PaneLines grp(grpText.begin(), grpText.end());
    EXPECT_EQ(run([&](Log& l) { checkNpcgrp(named, grp, l); }),
              (Lines{"Check presence inside 1 NPCs of npcgrp...", "Check DONE"}));
    const Lines posText{"npc_begin\t[" + cyrillic + "]\tnpc_end"};
    const PaneLines pos(posText.begin(), posText.end());
    EXPECT_EQ(run([&](Log& l) { checkMonstersExist(pos, named, l); }),
              (Lines{"Check presence of 1 NPCs inside NPCDATA...", "Check DONE"}));
}

TEST(Presence, MergedGrpCountsThreePanesTogether) {
    const Table items = table({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    const PaneLines w{"item_begin\tobject_name=[a]\titem_end"}, a{},
        e{"item_begin\tobject_name=[x[c]\titem_end"};
    EXPECT_EQ(run([&](Log& l) { checkMergedGrp(items, w, a, e, l); }),
              (Lines{"Check presence inside 2 ITEMs of ArmorGrp|WeaponGrp|EtcItemGrp...",
                     "ITEM [b] (2) not found.", "Check DONE"}));
}

// The indexed checks against the plain scans they replace, on random names built from few
// letters so that substrings, repeats and brackets inside entries are common.
TEST(Presence, IndexedChecksEqualThePlainScans) {
    std::mt19937 rng(5);
    const auto word = [&] {
        std::string s;
        for (size_t n = 1 + rng() % 4; n > 0; --n)
            s += "ab[c"[rng() % 4];
        return s;
    };
    for (int round = 0; round < 30; ++round) {
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 0; i < 40; ++i)
            rows.emplace_back(word(), std::to_string(rng() % 5));
        const Table t = table(rows);
        std::vector<std::string> owned;
        for (int i = 0; i < 40; ++i)
            owned.push_back(rng() % 2 ? "npcgrp_begin\tnpc_name=[" + word() + "]\tnpc_end"
                                      : "npc_begin\t[" + word() + "]\t[" + word() + "]");
        const PaneLines pane(owned.begin(), owned.end());

        Lines plain{"Check presence inside " +
                    std::to_string(std::count_if(
                        pane.begin(), pane.end(),
                        [](auto l) { return l.find("npc_name=") != std::string_view::npos; })) +
                    " NPCs of npcgrp..."};
        for (size_t r = 1; r < t.rowCount(); ++r) {
            const std::string key = "[" + t.cell(r, 1) + "]";
            bool found = false;
            for (std::string_view line : pane)
                if (line.find("npc_name=") != std::string_view::npos &&
                    grpEntry(line, "npc_name=").find(key) != std::string_view::npos)
                    found = true;
            if (!found)
                plain.push_back("NPC " + key + " (" + t.cell(r, 3) + ") not found.");
        }
        plain.push_back("Check DONE");
        EXPECT_EQ(run([&](Log& l) { checkNpcgrp(t, pane, l); }), plain);

        Lines plainPch{"Check presence inside NPC_PCH..."};
        for (size_t r = 1; r < t.rowCount(); ++r) {
            const std::string key = "[" + t.cell(r, 1) + "]";
            const auto count = std::count_if(pane.begin(), pane.end(), [&](auto l) {
                return l.find(key) != std::string_view::npos;
            });
            if (count > 1)
                plainPch.push_back("NPC " + key + " (" + t.cell(r, 3) +
                                   ") is duplicated inside NPC_PCH");
            if (count == 0)
                plainPch.push_back("NPC " + key + " (" + t.cell(r, 3) +
                                   ") is unregistered inside NPC_PCH");
        }
        plainPch.push_back("Check DONE");
        EXPECT_EQ(run([&](Log& l) { checkPchPresence(t, PchKind::Npc, pane, l); }), plainPch);

        Lines plainMonsters;
        size_t names = 0;
        for (std::string_view line : pane) {
            if (line.find("npc_begin") == std::string_view::npos)
                continue;
            ++names;
            const std::string_view n = npcposName(line);
            bool found = false;
            for (size_t r = 1; r < t.rowCount() && !n.empty(); ++r)
                found = found || t.cell(r, 1).find(n) != std::string::npos;
            if (!found)
                plainMonsters.push_back("NPC " + std::string(n) + " not found.");
        }
        plainMonsters.insert(plainMonsters.begin(), "Check presence of " + std::to_string(names) +
                                                        " NPCs inside NPCDATA...");
        plainMonsters.push_back("Check DONE");
        EXPECT_EQ(run([&](Log& l) { checkMonstersExist(pane, t, l); }), plainMonsters);
    }
}

TEST(Presence, FixedWindowsAtAndAroundTheirWidth) {
    // Each window counts characters after its mark: a name one character longer than fits is not
    // read, whatever its bytes (ASCII, two-byte Cyrillic, four-byte emoji).
    struct Window {
        const char* what;
        size_t fits; // longest name that is read
        std::function<std::string(const std::string&)> line;
        std::function<std::string_view(std::string_view)> read;
        std::function<std::string(const std::string&)> expected;
    };
    const Window windows[] = {
        {"npcpos [name]", 49,
         [](const std::string& n) { return "npc_begin\t[" + n + "]\ttotal=1\tnpc_end"; },
         npcposNameWindowed, [](const std::string& n) { return n; }},
        {"grp npc_name=[name]", 53,
         [](const std::string& n) { return "npcgrp_begin\tnpc_name=[" + n + "]\tx=1"; },
         [](std::string_view l) { return grpEntry(l, "npc_name="); },
         [](const std::string& n) { return "[" + n + "]"; }},
        {"name id=", 63,
         [](const std::string& n) { return "npcname_begin\tid=" + n + "\tname=[a]"; }, idEntry,
         [](const std::string& n) { return n; }},
        {"skill_name = [name]", 48,
         [](const std::string& n) { return "skill_begin\tskill_name = [" + n + "]\tskill_end"; },
         skillNameText, [](const std::string& n) { return "[" + n + "]"; }},
    };
    for (const Window& w : windows) {
        for (const std::string unit : {"x", "д", "😀"}) {
            for (size_t length : {w.fits - 1, w.fits, w.fits + 1, w.fits + 2}) {
                std::string name;
                for (size_t i = 0; i < length; ++i)
                    name += unit;
                const std::string line = w.line(name);
                const std::string expected = length <= w.fits ? w.expected(name) : std::string();
                EXPECT_EQ(std::string(w.read(line)), expected)
                    << w.what << ", " << length << " x " << unit;
            }
        }
    }
}

// Against an empty text every record would read as missing and the check would end as if it had
// found something: each check refuses it before logging, naming the text it was given.
TEST(SideText, ChecksRefuseAnEmptyTextAndNameIt) {
    const Table npc = table({{"orc", "1"}});
    const PaneLines empty;
    const PaneLines blank{"", "  \t", ""};
    const PaneLines full{"[orc]\t=\t1000001"};
    SkillToolOutput out{[](const std::string&) {}, [](const std::string&) {}, {}, {}};
    const std::vector<std::pair<std::string, std::function<void(Log&)>>> checks{
        {"The ITEM_PCH pane is empty, so the check was not run.",
         [&](Log& l) { checkPchPresence(npc, PchKind::Item, blank, l, "The ITEM_PCH pane"); }},
        {"NPC_PCH is empty, so the check was not run.",
         [&](Log& l) { checkPchPresence(npc, PchKind::Npc, empty, l); }},
        {"second is empty, so the check was not run.",
         [&](Log& l) { comparePch(full, empty, l, "first", "second"); }},
        {"first is empty, so the check was not run.",
         [&](Log& l) { comparePch(blank, full, l, "first", "second"); }},
        {"npcpos is empty, so the check was not run.",
         [&](Log& l) { checkMonstersExist(empty, npc, l); }},
        {"P is empty, so the check was not run.",
         [&](Log& l) { checkNpcposNpcs(blank, npc, l, {}, "P"); }},
        {"npcgrp is empty, so the check was not run.", [&](Log& l) { checkNpcgrp(npc, empty, l); }},
        {"npcname is empty, so the check was not run.",
         [&](Log& l) { checkNpcname(npc, blank, l); }},
        {"itemname is empty, so the check was not run.",
         [&](Log& l) { checkItemname(npc, empty, l); }},
        {"The weapongrp pane, the armorgrp pane and E are empty, so the check was not run.",
         [&](Log& l) {
             checkMergedGrp(npc, empty, blank, empty, l, "The weapongrp pane", "The armorgrp pane",
                            "E");
         }},
        {"skill_pch is empty, so the check was not run.",
         [&](Log&) { findInSkillPch(full, empty, out); }},
        {"D is empty, so the check was not run.",
         [&](Log&) { findInSkillLines(blank, full, out, "D", "O"); }},
    };
    for (const auto& [message, check] : checks) {
        VectorLog log;
        try {
            check(log);
            ADD_FAILURE() << "not refused: " << message;
        } catch (const ExpectedProblem& e) {
            EXPECT_EQ(e.what(), message);
        }
        EXPECT_TRUE(log.lines.empty()) << message;
    }
    // One line of text is enough: the check runs and reports what it finds.
    EXPECT_EQ(run([&](Log& l) { checkNpcname(npc, PaneLines{"x"}, l); }).size(), 3u);
}
