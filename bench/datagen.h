#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace aethrian::bench {

// Synthetic server files at realistic scale, deterministic for a seed. Texts are UTF-8 with
// CR LF; write them with encodeUtf16LE as servers ship them.
//
// npcdata: about 90 fields, 2-3 KB a line; level at grid position 4, acquire_exp_rate and
// acquire_sp at 5 and 6, drop lists at 18 (grouped), 19 (flat), 20 and 21 (grouped), a clan
// list at 68. Record names are npc_<n>; the three reference monsters orc_grunt, porta and
// karik are among them. Drops name items of generateItemData(itemCount).
std::string generateNpcData(size_t records, size_t itemCount, std::uint32_t seed);
// itemdata: about 40 fields; names item_<n>, IDs 1..n.
std::string generateItemData(size_t records, std::uint32_t seed);

std::string npcName(size_t index);
std::string itemName(size_t index);

} // namespace aethrian::bench
