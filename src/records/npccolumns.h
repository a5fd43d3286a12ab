#pragma once

#include <cstddef>

namespace aethrian {

// NPC table positions that operations rely on, whatever the headers say (1 Name, 2 Type and 3 ID
// are the table's own first columns).
inline constexpr size_t kLevelColumn = 4;
inline constexpr size_t kFlatDropColumn = 19;    // the flat drop list
inline constexpr size_t kGroupedDropColumn = 21; // the grouped drop list Add drop appends to
inline constexpr size_t kClanColumn = 68;        // the field Add drop's clan filter searches

} // namespace aethrian
