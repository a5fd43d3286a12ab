#pragma once

#include "vcs/recordfile.h"

#include <string>
#include <vector>

namespace aethrian {

// A three-way merge of record files at the level of records and cells (git's merge driver).
// Records pair by identity (pairRecords). A cell changed on one side takes that side's value;
// the same change on both sides is no conflict; records added on either side are kept, THEIRS's
// after OURS's; a record deleted on one side and unchanged on the other goes. A cell changed to
// different values on both sides becomes "(ours <> theirs)", as the comparison shows a
// difference; a record deleted on one side and changed on the other is kept with the changed
// cells marked the same way, the deleting side's value empty. Every conflict is one line.
//
// What must hold: a record that neither side changed, or only one side changed, is that side's
// line as it was; only records both sides changed are composed again, by the savers' composers.
// The record order is OURS's, unless only THEIRS reordered the records (a sort), then THEIRS's.
struct MergeResult {
    std::string text; // UTF-8, every line followed by CR LF
    std::vector<std::string> conflicts;
};
MergeResult mergeRecordFiles(const RecordFile& base, const RecordFile& ours,
                             const RecordFile& theirs, char divider);

// Reads the three files, merges them and writes `out` atomically as Save as writes (UTF-16LE
// with mark, CR LF). Files without records merge as whole files: a side that changed wins, both
// changed is a conflict and OURS stays. Returns the conflicts.
std::vector<std::string> mergeFiles(const std::string& base, const std::string& ours,
                                    const std::string& theirs, const std::string& out,
                                    char divider);

} // namespace aethrian
