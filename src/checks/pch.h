#pragma once

#include "app/log.h"
#include "records/table.h"

#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// PCH index files: "[" name "]" TAB "=" TAB identifier, one line per record.
enum class PchKind { Npc, Item };

// The lines of a generated PCH, in table order (NPC identifiers get 1000000 added). Lines go into
// `lines` as they are made, so an ID that is not a whole number (the conversion error) leaves the
// lines before it. Logs "Generating NPC_PCH..." and "DONE".
void generatePch(const Table& table, PchKind kind, std::vector<std::string>& lines, Log& log);

// Check presence inside NPC_PCH / ITEM_PCH: records whose "[Name]" occurs on no pane line, or on
// more than one. An empty pane is refused (checks/sidetext.h); `paneName` names it then ("" for
// "NPC_PCH" or "ITEM_PCH").
void checkPchPresence(const Table& table, PchKind kind, const std::vector<std::string_view>& pane,
                      Log& log, std::string_view paneName = {});

// The "=?" comparison of two NPC_PCH texts (first: the side under test, second: the reference).
// Either text empty is refused, named by `firstName` or `secondName`.
void comparePch(const std::vector<std::string_view>& first,
                const std::vector<std::string_view>& second, Log& log,
                std::string_view firstName = "The first NPC_PCH",
                std::string_view secondName = "The second NPC_PCH");

// The name and 7-character identifier the comparison reads from a PCH line.
std::string_view pchName(std::string_view line);
std::string_view pchIdentifier(std::string_view line);

// The "[...]" keys a line holds at each "[" (from it to the next "]"), each once.
std::vector<std::string_view> bracketKeys(std::string_view line);

} // namespace aethrian
