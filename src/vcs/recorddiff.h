#pragma once

#include "vcs/recordfile.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// git's textconv: every cell of a record on a line of its own, led by the record's label
// ("npc 20001 [orc_grunt] acquire_exp_rate=8.4"), so git's line diff shows exactly the cells
// that changed; other lines, and other files, as they are. UTF-8, LF, handed to `sink` in
// chunks.
void writeTextconv(const RecordFile& file, const std::function<void(std::string_view)>& sink);

// The record-level difference of two files of one kind: per record removed, changed (with
// every changed cell and both values, drop lists entry by entry) or added, then a count line.
// Other files: their lines removed and added.
struct DiffReport {
    std::vector<std::string> lines;
    bool differ = false;
};
DiffReport diffRecordFiles(const RecordFile& oldFile, const RecordFile& newFile);

// The changes inside one field's value, entry by entry when both are drop lists whose groups
// stayed as they were; else one "old -> new" line. Lines start with "<key>: ".
void diffFieldValue(std::string_view key, std::string_view oldValue, std::string_view newValue,
                    std::vector<std::string>& out);

} // namespace aethrian
