#pragma once

#include "records/table.h"
#include "records/textfile.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace aethrian {

// Client item dumps (weapongrp, armorgrp, etcitemgrp, itemname) as tables: one row per line holding
// the start mark, the values from its first "object_id=" (else "id=") on, one column per field of
// the first record, headed by its keys; column 0 empty.
struct DumpMarks {
    const char* start;
    const char* end;
};
inline constexpr DumpMarks kItemDumpMarks{"item_begin", "item_end"};
inline constexpr DumpMarks kItemNameDumpMarks{"item_name_begin", "item_name_end"};

void LoadClientDump(const std::vector<std::string_view>& lines, const DumpMarks& marks,
                    Table& table);

// A client dump file as the client item page shows it and the export reads it.
struct ClientDumpFile {
    std::string text; // decoded, its line ends as in the file
    Table table;      // LoadClientDump over the text's lines
};
// A missing file is refused (ExpectedProblem "File doesn't exists...") and a file that cannot be
// read throws OperationError, both before anything is made.
ClientDumpFile loadClientDumpFile(const std::string& path, const DumpMarks& marks);

enum class PhpExport { Weapon, EtcItem, ItemName };

// The PHP array lines of a table, from `firstId` on. Lines are appended to `out` as they are made,
// so a value that does not read as a number (the conversion error) leaves the lines before it.
// A first ID whose rows would run past the largest 64-bit number is refused (ExpectedProblem)
// before any line is made.
void exportPhp(const Table& table, PhpExport kind, long long firstId, char divider,
               std::vector<std::string>& out);

// exportPhp a part of rows at a time, for output written as it comes: `take` gets each part's
// lines in order (it may move them out). A conversion error hands over the lines before it and is
// then thrown. The parts reuse one set of lines, so a large export never holds all of them.
void exportPhpInParts(const Table& table, PhpExport kind, long long firstId, char divider,
                      const std::function<void(std::vector<std::string>&)>& take);

struct PhpExportRun {
    std::vector<std::string> lines; // every line, or those made before the error
    std::exception_ptr error;       // what ended the export part-way (a conversion error), or null
};
// exportPhp for the front ends: the error that ends the export comes back with the lines made
// before it, so they can be shown. A refused first ID is still thrown, before any line is made.
PhpExportRun exportPhpLines(const Table& table, PhpExport kind, long long firstId, char divider);

// The value forms of the exports.
std::string bracketStripped(std::string_view cell, char open = '[', char close = ']');
std::vector<std::string> phpArrayEntries(std::string_view cell); // at least one entry
std::string phpArray(std::string_view cell);
// A PHP double-quoted string literal holding `text`: "\", "\"" and "$" are escaped, so a cell can
// neither end the string nor have PHP read a variable or an escape sequence in it.
std::string phpQuoted(std::string_view text);

// The pairs of each export, in their order: a fixed text, or a value taken from a column.
enum class PhpForm { Fixed, Raw, Rounded, Bracket, Brace, Array };
struct PhpPair {
    const char* key;
    PhpForm form;
    size_t column;          // for every form but Fixed
    const char* fixed = ""; // for Fixed
};
const std::vector<PhpPair>& phpPairs(PhpExport kind);

} // namespace aethrian
