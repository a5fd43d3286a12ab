#include "checks/pch.h"

#include "app/numbers.h"
#include "checks/sidetext.h"
#include "records/recordplace.h"
#include "records/textscan.h"

#include <algorithm>
#include <unordered_map>

namespace aethrian {

namespace {

const char* label(PchKind k) {
    return k == PchKind::Npc ? "NPC" : "ITEM";
}

} // namespace

void generatePch(const Table& table, PchKind kind, std::vector<std::string>& lines, Log& log) {
    log.add(std::string("Generating ") + label(kind) + "_PCH...");
    lines.clear();
    for (size_t r = 1; r < table.rowCount(); ++r) {
        const std::int64_t id =
            readingCell(table, r, 3, [&] { return parseInt(table.cell(r, 3)); }) +
            (kind == PchKind::Npc ? 1000000 : 0);
        lines.push_back("[" + table.cell(r, 1) + "]\t=\t" + std::to_string(id));
    }
    log.add("DONE");
}

std::vector<std::string_view> bracketKeys(std::string_view line) {
    std::vector<std::string_view> keys;
    for (size_t open = line.find('['); open != npos; open = line.find('[', open + 1)) {
        const size_t close = line.find(']', open);
        if (close == npos)
            break;
        keys.push_back(line.substr(open, close - open + 1));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

void checkPchPresence(const Table& table, PchKind kind, const std::vector<std::string_view>& pane,
                      Log& log, std::string_view paneName) {
    const std::string what = label(kind);
    const std::string file = what + "_PCH";
    requireSideText(pane, paneName.empty() ? std::string_view(file) : paneName);
    log.add("Check presence inside " + what + "_PCH...");
    // How many lines hold each "[...]" key: a key "[Name]" without "]" inside occurs in a line
    // exactly where a "[" of the line is followed by Name and the next "]".
    std::unordered_map<std::string_view, size_t> linesWith;
    for (std::string_view line : pane)
        for (std::string_view key : bracketKeys(line))
            ++linesWith[key];
    for (size_t r = 1; r < table.rowCount(); ++r) {
        const std::string key = "[" + table.cell(r, 1) + "]";
        size_t count = 0;
        if (table.cell(r, 1).find(']') == std::string::npos) {
            const auto it = linesWith.find(key);
            count = it == linesWith.end() ? 0 : it->second;
        } else { // a name holding "]" is searched the long way
            for (std::string_view line : pane)
                count += line.find(key) != npos;
        }
        const std::string head = what + " " + key + " (" + table.cell(r, 3) + ")";
        if (count > 1)
            log.addAbout(r, head + " is duplicated inside " + what + "_PCH");
        if (count == 0)
            log.addAbout(r, head + " is unregistered inside " + what + "_PCH");
    }
    log.add("Check DONE");
}

std::string_view pchName(std::string_view line) {
    return bracketName(line);
}

std::string_view pchIdentifier(std::string_view line) {
    size_t start = 0;
    if (const size_t eq = line.find("=\t"); eq != npos)
        start = eq + 2;
    else if (const size_t sp = line.find(" 1"); sp != npos)
        start = sp + 1;
    return start >= line.size() ? std::string_view() : line.substr(start, 7);
}

void comparePch(const std::vector<std::string_view>& first,
                const std::vector<std::string_view>& second, Log& log, std::string_view firstName,
                std::string_view secondName) {
    requireSideText(first, firstName);
    requireSideText(second, secondName);
    log.add("Compare first NPC_PCH to second NPC_PCH...");
    // The working copy by name: each name's identifiers in file order, chained through
    // `nextSame`. A name's entries all leave it at its first match (`gone`).
    struct SameName {
        size_t first, last, count;
        bool gone;
    };
    std::unordered_map<std::string_view, size_t> working;
    working.reserve(second.size());
    std::vector<SameName> names;
    std::vector<std::string_view> ids;
    std::vector<size_t> nextSame;
    names.reserve(second.size());
    ids.reserve(second.size());
    nextSame.reserve(second.size());
    for (std::string_view line : second) {
        if (line.find('[') == npos)
            continue;
        const size_t entry = ids.size();
        ids.push_back(pchIdentifier(line));
        nextSame.push_back(npos);
        const auto [at, fresh] = working.try_emplace(pchName(line), names.size());
        if (fresh) {
            names.push_back({entry, entry, 1, false});
        } else {
            SameName& same = names[at->second];
            nextSame[same.last] = entry;
            same.last = entry;
            ++same.count;
        }
    }
    for (std::string_view line : first) {
        if (line.find('[') == npos)
            continue;
        const std::string_view name = pchName(line);
        const std::string_view id = pchIdentifier(line);
        size_t matches = 0, sameId = 0;
        if (const auto at = working.find(name); at != working.end() && !names[at->second].gone) {
            SameName& same = names[at->second];
            matches = same.count;
            for (size_t e = same.first; e != npos; e = nextSame[e])
                sameId += ids[e] == id ? 1 : 0;
            same.gone = true;
        }
        if (matches == 1 && sameId > 0)
            continue; // nothing to say, so no line text is made
        const std::string head = "NPC " + std::string(name);
        if (matches > 1)
            log.add(head + " is duplicated inside second NPC_PCH");
        if (matches == 0)
            log.add(head + " not exists in second NPC_PCH");
        if (matches >= 1 && sameId == 0)
            log.add(head + " have different ID inside second NPC_PCH");
    }
    log.add("Check DONE");
}

} // namespace aethrian
