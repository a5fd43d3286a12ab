#pragma once

#include "records/table.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace aethrian {

// One drop list that names an item: the NPC row and the list's column.
struct DropMention {
    size_t row = 0;
    size_t column = 0;
};

// Which NPC drop lists name each item, built in one pass over the drop lists (positions 19 and 21,
// the ones the presence checks read), so asking about an item costs no scan. It copies the names:
// it stays valid while the table changes, but describes the table as it was when built.
class DropIndex {
  public:
    explicit DropIndex(const Table& npc);

    // The lists naming `item`, by row and then column; a list naming it twice is listed once.
    const std::vector<DropMention>& mentionsOf(std::string_view item) const;

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<std::string, std::vector<DropMention>, Hash, std::equal_to<>> byItem_;
};

// The log lines answering "Where is this item dropped?" for ITEM row `row`: a heading naming the
// item, then one line per NPC list ("  NPC [name] (id) in <list key>"). `rows` receives the NPC
// row of each line (0 for the heading).
std::vector<std::string> whereDroppedLines(const Table& items, size_t row, const Table& npc,
                                           const DropIndex& index, std::vector<size_t>* rows);

} // namespace aethrian
