#pragma once

#include "app/log.h"
#include "records/recordkind.h"
#include "records/table.h"
#include "records/tableio.h"
#include "records/textfile.h"

#include <string>

namespace aethrian::cli {

// npc, item or pet; anything else is the usage problem.
const RecordKind& recordKindByName(const std::string& name, const std::string& usage);
// Loads a record file as its editor page does.
Table loadTableFile(const std::string& path, const RecordKind& kind, LoadReport* report = nullptr);
struct Context;
// After a command wrote the records of `path` to `out`: the lines of `path` that are not records
// (comments, blank lines) could not be written, so a note on stderr says so (none: nothing).
void noteOtherLines(Context& ctx, const std::string& path, const LoadReport& report,
                    const std::string& out);
// Saves as "Save as" does, atomically.
void saveTableFile(const Table& table, const RecordKind& kind, char divider,
                   const std::string& path);

struct Context;
// Log lines printed as they are written, so the lines before an error stay printed.
CallbackLog printLog(Context& ctx);
// A side file with the lines its pane would hold; one that cannot be read is an expected problem
// here.
SideText readSideFile(const std::string& path);

} // namespace aethrian::cli
