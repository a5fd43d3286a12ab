#pragma once

#include <string_view>

namespace aethrian {

// The three literals that make a line a record of one kind. Matching is case-sensitive.
struct RecordKind {
    std::string_view begin;      // "npc_begin"
    std::string_view end;        // "npc_end", recognised as a prefix of the remaining region
    std::string_view firstField; // "level=": where the field region starts
    std::string_view missingFileMessage;
};

inline constexpr RecordKind kNpcKind{"npc_begin", "npc_end",
                                     "level=", "NPCData files doesn't exists..."};
inline constexpr RecordKind kItemKind{"item_begin", "item_end",
                                      "item_type=", "ITEMData files doesn't exists..."};
// Pet data files are item records; only the message differs.
inline constexpr RecordKind kPetKind{"item_begin", "item_end",
                                     "item_type=", "PETData files doesn't exists..."};

inline bool isRecordLine(std::string_view line, const RecordKind& kind) {
    return line.find(kind.begin) != std::string_view::npos;
}

} // namespace aethrian
