#pragma once

#include "records/recordkind.h"
#include "records/table.h"
#include "records/tableio.h"

#include <string>

namespace aethrian::cli {

// npc, item or pet; anything else is the usage problem.
const RecordKind& recordKindByName(const std::string& name, const std::string& usage);
// Loads a record file as its editor page does.
Table loadTableFile(const std::string& path, const RecordKind& kind, LoadReport* report = nullptr);
// Saves as "Save as" does, atomically.
void saveTableFile(const Table& table, const RecordKind& kind, char divider, const std::string& path);

} // namespace aethrian::cli
