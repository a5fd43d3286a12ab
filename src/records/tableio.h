#pragma once

#include "app/progress.h"
#include "records/recordkind.h"
#include "records/table.h"
#include "records/textfile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// A record whose keys differ from the first record's, in number, names or order. Its values
// were still loaded by position.
struct FieldOrderMismatch {
    size_t row = 0;          // grid row of the record
    std::string name;        // record name
    size_t column = 0;       // first grid column where the keys differ
    std::string expectedKey; // the first record's key there ("" when the first record ends)
    std::string actualKey;   // this record's key there ("" when this record ends)
};

// The log line for a misaligned record, shown by the editor's log list and the CLI's stderr.
std::string fieldOrderLine(const FieldOrderMismatch& m);

// Compares a record's `count` keys (`keyAt(k)`) with the header row's keys from `firstColumn` on
// and notes the first difference, if any, as the mismatch of grid row `row`.
template <class KeyAt>
void noteFieldOrder(const Table& table, size_t firstColumn, size_t count, KeyAt keyAt, size_t row,
                    std::string_view name, std::vector<FieldOrderMismatch>& out) {
    const size_t expected = table.colCount() - firstColumn;
    const size_t n = count < expected ? count : expected;
    for (size_t k = 0; k < n; ++k) {
        const std::string_view key = keyAt(k);
        if (key != table.cell(0, firstColumn + k)) {
            out.push_back({row, std::string(name), firstColumn + k, table.cell(0, firstColumn + k),
                           std::string(key)});
            return;
        }
    }
    if (count != expected) {
        const size_t col = firstColumn + n;
        out.push_back({row, std::string(name), col,
                       n < expected ? table.cell(0, col) : std::string(),
                       n < count ? std::string(keyAt(n)) : std::string()});
    }
}

struct LoadReport {
    size_t records = 0;
    std::uint64_t fileBytes = 0;
    std::string lastRead; // name of the last record read
    std::vector<FieldOrderMismatch> mismatches;
    // The first line holding a NUL character (1-based), 0 when none: see nulLineText.
    size_t nulLine = 0;
    // The 0-based source line of each record, in load order (grid row r is rowLines[r - 1]), so
    // findings about a freshly loaded table can name the file line.
    std::vector<size_t> rowLines;
    // Lines of the file that are not records (comments, blank lines): the table cannot hold them,
    // so a save does not write them back.
    size_t otherLines = 0;
};

// The load's note on the lines a save would not write back (`count` > 0): "N lines of the file are
// not records (comments or blank lines); Save as does not write them".
std::string otherLinesText(size_t count);

// Load progress: the busy caption every 101 records and the name of each record read.
class LoadObserver : public Progress {
  public:
    virtual void lastRead(std::string_view /*name*/) {}
};

inline constexpr int kLoadRefreshInterval = 101;
inline constexpr int kSaveRefreshInterval = 2001;

// Fills `table` from record lines: columns from the first record, values by position.
LoadReport LoadTable(const TextLines& lines, const RecordKind& kind, Table& table,
                     LoadObserver* observer = nullptr);

// The editor's Load: a missing file (or a folder) throws ExpectedProblem with the kind's
// message; a file that cannot be read throws OperationError. `table` is replaced only when the
// whole file was read.
LoadReport LoadTableFile(const std::string& path, const RecordKind& kind, Table& table,
                         LoadObserver* observer = nullptr);

// "<n> bytes", the size label after a load.
std::string sizeText(std::uint64_t bytes);

// The whole record file of a table: UTF-16LE with mark, one line per data row with CR LF.
std::string EncodeTable(const Table& table, const RecordKind& kind, char divider,
                        Progress* progress = nullptr);
// Save as: EncodeTable written atomically to `path`.
void SaveTable(const Table& table, const RecordKind& kind, char divider, const std::string& path,
               Progress* progress = nullptr);

} // namespace aethrian
