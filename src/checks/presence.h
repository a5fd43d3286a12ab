#pragma once

#include "app/log.h"
#include "records/table.h"

#include <functional>
#include <string_view>
#include <vector>

namespace aethrian {

using PaneLines = std::vector<std::string_view>;

// The item names of one drop-list cell, in order, repeats included: each "[...]" piece, the scan
// going on two characters after its "]".
void appendDropNames(std::string_view cell, std::vector<std::string_view>& names);
// The item names of an NPC row's drop lists (positions 19 then 21), in order, repeats included.
std::vector<std::string_view> dropNames(const Table& npc, size_t row);

// The eight presence checks. Each writes its start line, one line per finding and its closing
// line, exactly as a full scan of the other side would find them, through hash indexes. A check
// that reads a side text refuses an empty one before it logs anything (checks/sidetext.h); the
// trailing names say what the operator knows each text by.
void checkItemsExist(const Table& npc, const Table& items, Log& log);
void checkItemsNotDropped(const Table& items, const Table& npc, Log& log);
void checkMonstersExist(const PaneLines& npcpos, const Table& npc, Log& log,
                        std::string_view paneName = "npcpos");
// `progress(k, m)` receives each name's position for the last-read label.
void checkNpcposNpcs(const PaneLines& npcpos, const Table& npc, Log& log,
                     const std::function<void(size_t, size_t)>& progress = {},
                     std::string_view paneName = "npcpos");
void checkNpcgrp(const Table& npc, const PaneLines& npcgrp, Log& log,
                 std::string_view npcgrpName = "npcgrp");
void checkNpcname(const Table& npc, const PaneLines& npcname, Log& log,
                  std::string_view npcnameName = "npcname");
void checkItemname(const Table& items, const PaneLines& itemname, Log& log,
                   std::string_view itemnameName = "itemname");
void checkMergedGrp(const Table& items, const PaneLines& weapongrp, const PaneLines& armorgrp,
                    const PaneLines& etcitemgrp, Log& log,
                    std::string_view weapongrpName = "weapongrp",
                    std::string_view armorgrpName = "armorgrp",
                    std::string_view etcitemgrpName = "etcitemgrp");

// Entry rules of the other side's lines.
std::string_view npcposName(std::string_view line);         // "[...]" anywhere
std::string_view npcposNameWindowed(std::string_view line); // "]" among the 50 characters after "["
std::string_view grpEntry(std::string_view line,
                          std::string_view key); // "[...]" within 64 from key
std::string_view idEntry(std::string_view line); // before the TAB within 64 after "id="

} // namespace aethrian
