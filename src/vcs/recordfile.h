#pragma once

#include "records/recordline.h"
#include "records/textfile.h"

#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// What a file holds, told from its lines: the first line carrying a begin marker decides.
enum class RecordFileKind { Npc, Item, Skill, Other };

// "npc", "item", "skill"; "line" for the lines of other files.
std::string_view kindWord(RecordFileKind kind);

// One record of a file with the identity version control matches it by: the record ID (skills:
// skill ID "/" level), "#n" added for the n-th record of a repeated identity. In other files
// every line is an entry, identified by its text and occurrence.
struct RecordEntry {
    size_t line = 0; // index into the file's lines
    std::string identity;
    std::string_view name; // the bracket name; "" for other lines
};

// The cells of one record, as views into its line. Skills have no type and ID cells: their name
// is shown for orientation only and lives in their skill_name field.
struct RecordCells {
    std::string_view name, type, id;
    std::vector<FieldView> fields;
};

// A record file as lines plus its records in file order. Decoded as the loaders decode, so an
// unchanged record's line is exactly the text a load reads and a save writes back.
struct RecordFile {
    RecordFileKind kind = RecordFileKind::Other;
    TextLines lines;
    std::vector<RecordEntry> records;
    // Per line: the index of its record, or npos for a line that is none.
    std::vector<size_t> recordOfLine;
    static constexpr size_t npos = static_cast<size_t>(-1);

    std::string_view lineOf(const RecordEntry& r) const { return lines[r.line]; }
    // "npc 20001 [orc_grunt]": how reports and textconv name a record.
    std::string label(const RecordEntry& r) const;
};

RecordFileKind detectKind(const TextLines& lines);

// Indexes `lines` as a file of `kind`.
RecordFile indexRecordFile(TextLines lines, RecordFileKind kind);
RecordFile indexRecordFile(TextLines lines);
// A file's lines decoded as the loaders read them; "/dev/null" (what git passes for a missing
// side) reads as an empty file.
TextLines readRecordFileLines(const std::string& path);
RecordFile readRecordFile(const std::string& path);

// The kind several files share: the one the files with records agree on, Other when none has
// any. Files of different kinds are an expected problem.
RecordFileKind commonKind(const std::vector<const TextLines*>& files,
                          const std::vector<std::string>& names);

RecordCells recordCells(RecordFileKind kind, std::string_view line);

// Each field's key, "#n" added for the n-th field of a repeated key, so records match field by
// field whatever the order of their keys.
std::vector<std::string> fieldKeys(const std::vector<FieldView>& fields);

// For each record of `side`, the index of its partner in `base`, or npos: first by identity,
// then the records left unpaired on both sides by name, in file order (a record whose ID
// changed still finds its old self). Linear in the number of records.
std::vector<size_t> pairRecords(const RecordFile& base, const RecordFile& side);

} // namespace aethrian
