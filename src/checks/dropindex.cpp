#include "checks/dropindex.h"

#include "checks/presence.h"
#include "records/npccolumns.h"

namespace aethrian {

DropIndex::DropIndex(const Table& npc) {
    std::vector<std::string_view> names;
    for (size_t r = 1; r < npc.rowCount(); ++r)
        for (size_t col : {kFlatDropColumn, kGroupedDropColumn}) {
            if (col >= npc.colCount())
                continue;
            // The entry scan of the presence checks, so both agree on what a list names.
            names.clear();
            appendDropNames(npc.cell(r, col), names);
            for (std::string_view name : names) {
                auto it = byItem_.find(name);
                if (it == byItem_.end())
                    it = byItem_.emplace(std::string(name), std::vector<DropMention>{}).first;
                if (it->second.empty() || it->second.back().row != r ||
                    it->second.back().column != col)
                    it->second.push_back({r, col});
            }
        }
}

const std::vector<DropMention>& DropIndex::mentionsOf(std::string_view item) const {
    static const std::vector<DropMention> none;
    const auto it = byItem_.find(item);
    return it == byItem_.end() ? none : it->second;
}

std::vector<std::string> whereDroppedLines(const Table& items, size_t row, const Table& npc,
                                           const DropIndex& index, std::vector<size_t>* rows) {
    const std::string name(items.text(row, 1));
    const std::vector<DropMention>& mentions = index.mentionsOf(name);
    std::vector<std::string> lines;
    const std::string item = "Item [" + name + "] (ID:" + std::string(items.text(row, 3)) + ")";
    lines.push_back(mentions.empty()
                        ? item + " is named in no NPC drop list."
                        : item + " is named in " + std::to_string(mentions.size()) +
                              (mentions.size() == 1 ? " NPC drop list:" : " NPC drop lists:"));
    if (rows)
        rows->assign(1, 0);
    for (const DropMention& m : mentions) {
        lines.push_back("  NPC [" + npc.cell(m.row, 1) + "] (" + npc.cell(m.row, 3) + ") in " +
                        npc.cell(0, m.column));
        if (rows)
            rows->push_back(m.row);
    }
    return lines;
}

} // namespace aethrian
