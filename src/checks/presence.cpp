#include "checks/presence.h"

#include "app/errors.h"
#include "checks/pch.h"
#include "checks/sidetext.h"
#include "records/npccolumns.h"
#include "records/textfile.h"
#include "records/textscan.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace aethrian {

namespace {

using NameSet = std::unordered_set<std::string_view>;

NameSet namesOf(const Table& t) {
    NameSet names;
    for (size_t r = 1; r < t.rowCount(); ++r)
        names.insert(t.cell(r, 1));
    return names;
}

// Every "[...]" suffix of the entries: a key "[Name]" (no "]" inside) is a substring of an entry
// that ends at its first "]" exactly when it is one of these.
NameSet keySuffixes(const std::vector<std::string_view>& entries) {
    NameSet keys;
    for (std::string_view e : entries)
        for (std::string_view k : bracketKeys(e))
            keys.insert(k);
    return keys;
}

bool keyPresent(const std::string& key, const NameSet& suffixes,
                const std::vector<std::string_view>& entries) {
    if (key.find(']') == key.size() - 1)
        return suffixes.count(key) != 0;
    for (std::string_view e : entries) // a name holding "]": the plain scan
        if (e.find(key) != npos)
            return true;
    return false;
}

} // namespace

void appendDropNames(std::string_view cell, std::vector<std::string_view>& names) {
    size_t pos = 0;
    for (;;) {
        const size_t open = cell.find('[', pos);
        if (open == npos)
            break;
        const size_t close = cell.find(']', open + 1);
        if (close == npos)
            break;
        names.push_back(cell.substr(open + 1, close - open - 1));
        pos = close + 2;
    }
}

std::vector<std::string_view> dropNames(const Table& npc, size_t row) {
    std::vector<std::string_view> names;
    for (size_t col : {kFlatDropColumn, kGroupedDropColumn})
        if (col < npc.colCount())
            appendDropNames(npc.cell(row, col), names);
    return names;
}

std::string_view npcposName(std::string_view line) {
    return bracketName(line);
}

std::string_view npcposNameWindowed(std::string_view line) {
    const size_t open = line.find('[');
    if (open == npos)
        return {};
    const std::string_view window = utf8Window(line, open + 1, 50);
    const size_t close = window.find(']');
    return close == npos ? std::string_view() : window.substr(0, close);
}

std::string_view grpEntry(std::string_view line, std::string_view key) {
    const size_t at = line.find(key);
    if (at == npos)
        return {};
    const std::string_view window = utf8Window(line, at, 64);
    const size_t open = window.find('[');
    const size_t close = window.find(']');
    if (open == npos || close == npos || close < open)
        return {};
    return window.substr(open, close - open + 1);
}

std::string_view idEntry(std::string_view line) {
    const size_t at = line.find("id=");
    if (at == npos)
        return {};
    const std::string_view window = utf8Window(line, at + 3, 64);
    const size_t tab = window.find('\t');
    return tab == npos ? std::string_view() : window.substr(0, tab);
}

void checkItemsExist(const Table& npc, const Table& items, Log& log) {
    log.add("Searching ITEMs...");
    const NameSet known = namesOf(items);
    for (size_t r = 1; r < npc.rowCount(); ++r)
        for (std::string_view name : dropNames(npc, r))
            if (!known.count(name))
                log.addAbout(r, "  item " + std::string(name) + " not found");
    log.add("done.");
}

void checkItemsNotDropped(const Table& items, const Table& npc, Log& log) {
    log.add("Searching ITEMs...");
    NameSet dropped;
    for (size_t r = 1; r < npc.rowCount(); ++r)
        for (std::string_view name : dropNames(npc, r))
            dropped.insert(name);
    for (size_t r = 1; r < items.rowCount(); ++r)
        if (!dropped.count(items.cell(r, 1)))
            log.addAbout(r, "  item " + items.cell(r, 1) + " (ID:" + items.cell(r, 3) +
                                ") is not dropped/spoiled.");
    log.add("done.");
}

void checkMonstersExist(const PaneLines& npcpos, const Table& npc, Log& log,
                        std::string_view paneName) {
    requireSideText(npcpos, paneName);
    std::vector<std::string_view> names;
    std::vector<size_t> at; // the pane line of each name
    for (size_t i = 0; i < npcpos.size(); ++i)
        if (npcpos[i].find("npc_begin") != npos) {
            names.push_back(npcposName(npcpos[i]));
            at.push_back(i);
        }
    log.add("Check presence of " + std::to_string(names.size()) + " NPCs inside NPCDATA...");
    // Exact names first; a name that is only part of a longer Name is searched once in all Names.
    const NameSet exact = namesOf(npc);
    std::string all;
    for (size_t r = 1; r < npc.rowCount(); ++r)
        (all += npc.cell(r, 1)) += '\n';
    std::unordered_map<std::string_view, bool> partial;
    for (size_t k = 0; k < names.size(); ++k) {
        const std::string_view name = names[k];
        bool found = false;
        if (!name.empty() && name.find('\n') == npos) {
            if (exact.count(name)) {
                found = true;
            } else {
                auto it = partial.find(name);
                if (it == partial.end())
                    it = partial.emplace(name, all.find(name) != std::string::npos).first;
                found = it->second;
            }
        } else if (!name.empty()) { // cannot happen for pane lines, kept for completeness
            for (size_t r = 1; r < npc.rowCount() && !found; ++r)
                found = npc.cell(r, 1).find(name) != std::string::npos;
        }
        if (!found)
            log.addAbout(at[k], "NPC " + std::string(name) + " not found.");
    }
    log.add("Check DONE");
}

void checkNpcposNpcs(const PaneLines& npcpos, const Table& npc, Log& log,
                     const std::function<void(size_t, size_t)>& progress,
                     std::string_view paneName) {
    requireSideText(npcpos, paneName);
    std::vector<std::string_view> names;
    std::vector<size_t> at; // the pane line of each name
    for (size_t i = 0; i < npcpos.size(); ++i)
        if (npcpos[i].find("npc_begin") != npos) {
            names.push_back(npcposNameWindowed(npcpos[i]));
            at.push_back(i);
        }
    const NameSet known = namesOf(npc);
    for (size_t k = 0; k < names.size(); ++k) {
        if (progress)
            progress(k, names.size() - 1);
        if (!known.count(names[k]))
            log.addAbout(at[k], std::string(names[k]) + " non è stato trovato");
    }
}

void checkNpcgrp(const Table& npc, const PaneLines& npcgrp, Log& log, std::string_view npcgrpName) {
    requireSideText(npcgrp, npcgrpName);
    std::vector<std::string_view> entries;
    for (std::string_view line : npcgrp)
        if (line.find("npc_name=") != npos)
            entries.push_back(grpEntry(line, "npc_name="));
    log.add("Check presence inside " + std::to_string(entries.size()) + " NPCs of npcgrp...");
    const NameSet suffixes = keySuffixes(entries);
    for (size_t r = 1; r < npc.rowCount(); ++r) {
        const std::string key = "[" + npc.cell(r, 1) + "]";
        if (!keyPresent(key, suffixes, entries))
            log.addAbout(r, "NPC " + key + " (" + npc.cell(r, 3) + ") not found.");
    }
    log.add("Check DONE");
}

namespace {

void checkIds(const Table& t, const PaneLines& pane, const char* what, const char* file, Log& log,
              std::string_view paneName) {
    requireSideText(pane, paneName);
    std::vector<std::string_view> entries;
    for (std::string_view line : pane)
        if (line.find("id=") != npos)
            entries.push_back(idEntry(line));
    log.add("Check presence inside " + std::to_string(entries.size()) + " " + what + "s of " +
            file + "...");
    const NameSet ids(entries.begin(), entries.end());
    for (size_t r = 1; r < t.rowCount(); ++r)
        if (!ids.count(t.cell(r, 3)))
            log.addAbout(r, std::string(what) + " " + t.cell(r, 1) + " (" + t.cell(r, 3) +
                                ") not found.");
    log.add("Check DONE");
}

} // namespace

void checkNpcname(const Table& npc, const PaneLines& npcname, Log& log,
                  std::string_view npcnameName) {
    checkIds(npc, npcname, "NPC", "npcname", log, npcnameName);
}

void checkItemname(const Table& items, const PaneLines& itemname, Log& log,
                   std::string_view itemnameName) {
    checkIds(items, itemname, "ITEM", "itemname", log, itemnameName);
}

void checkMergedGrp(const Table& items, const PaneLines& weapongrp, const PaneLines& armorgrp,
                    const PaneLines& etcitemgrp, Log& log, std::string_view weapongrpName,
                    std::string_view armorgrpName, std::string_view etcitemgrpName) {
    // An item is present in any one of the three, so one of them may well be empty (a server
    // without weapons); all three empty would report every item.
    if (isBlankText(weapongrp) && isBlankText(armorgrp) && isBlankText(etcitemgrp))
        throw ExpectedProblem(emptySidesMessage({weapongrpName, armorgrpName, etcitemgrpName}));
    std::vector<std::string_view> entries;
    for (const PaneLines* pane : {&weapongrp, &armorgrp, &etcitemgrp})
        for (std::string_view line : *pane)
            if (line.find("object_name=") != npos)
                entries.push_back(grpEntry(line, "object_name="));
    log.add("Check presence inside " + std::to_string(entries.size()) +
            " ITEMs of ArmorGrp|WeaponGrp|EtcItemGrp...");
    const NameSet suffixes = keySuffixes(entries);
    for (size_t r = 1; r < items.rowCount(); ++r) {
        const std::string key = "[" + items.cell(r, 1) + "]";
        if (!keyPresent(key, suffixes, entries))
            log.addAbout(r, "ITEM " + key + " (" + items.cell(r, 3) + ") not found.");
    }
    log.add("Check DONE");
}

} // namespace aethrian
