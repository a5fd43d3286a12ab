#pragma once

#include "app/progress.h"
#include "records/table.h"
#include "records/textfile.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace aethrian {

// The three compare pages differ only in these.
struct CompareMember {
    const char* begin;      // "npc_begin"
    const char* end;        // "npc_end"
    const char* firstField; // "level="
    bool typeAndId;         // the Type and ID columns
    bool consumeMatches;    // NPC: the k-th record of a name pairs with the k-th in the second file
    bool xRateAllowed;
    int stepLimitWithSecond; // the busy caption advances once per (limit + 1) steps
    int stepLimitAlone;
    const char* missingFileMessage;
    const char* notFoundCaption;
};

extern const CompareMember kNpcCompare;
extern const CompareMember kItemCompare;
extern const CompareMember kSkillCompare;

struct CompareOptions {
    bool onlyDifferences = false;
    bool showMissing = false;
    bool xRate = false; // used by the NPC member only
    char divider = ',';
};

// The result grid (header row, then one row per shown record, every row as wide as the header;
// the editor adds its blank last row) and the names the second file lacks. Filled as the run goes,
// so what was added before an error or a halt stays.
struct CompareResult {
    Table grid;
    std::vector<std::string> notFound;
    // differs[r][c]: the two files' values of grid cell (r, c) differ (row 0, the header, and rows
    // without a second record have none). In x-rate mode a ratio cell no longer shows both values,
    // so this is what tells a retuned value from an equal one.
    std::vector<std::vector<bool>> differs;
    bool cellDiffers(size_t row, size_t col) const {
        return row < differs.size() && col < differs[row].size() && differs[row][col];
    }
};

// Compares `first` with `second` (none: Watch mode, the first file listed as a table). Progress:
// caption stages at the member's step counts, a pump and a halt test between records. Without
// progress the records are paired first and compared on every core, with the same result.
void compareRecords(const CompareMember& member, const TextLines& first, const TextLines* second,
                    const CompareOptions& options, CompareResult& result,
                    Progress* progress = nullptr);

struct CompareRun {
    CompareResult result;
    std::exception_ptr error; // what ended the comparison part-way (a halt is no error), or null
    bool paired = false;      // a second file was read (not a Watch run)
};

// The whole job of a compare page: reads `first` and, when it exists, `second` (a second file that
// is not there makes a Watch run, as an empty second box does) and compares them. A missing first
// file is refused (ExpectedProblem) and a file that cannot be read ends the job (OperationError)
// before any row is made; an error of the comparison itself comes back with the rows found before
// it. `sized(i, bytes)` learns each file's size before it is read (0 first, 1 second).
CompareRun compareFiles(const CompareMember& member, const std::string& first,
                        const std::string& second, const CompareOptions& options,
                        Progress* progress = nullptr,
                        const std::function<void(int, std::uint64_t)>& sized = {});

} // namespace aethrian
