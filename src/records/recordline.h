#pragma once

#include "records/recordkind.h"
#include "records/table.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace aethrian {

struct FieldView {
    std::string_view key;
    std::string_view value;
};

// A parsed record whose parts point into the parsed line.
struct RecordView {
    std::string_view name;
    std::string_view type;
    std::string_view id;
    std::vector<FieldView> fields;
};

// A parsed record that owns its text.
struct ParsedRecord {
    std::string name;
    std::string type;
    std::string id;
    std::vector<std::pair<std::string, std::string>> fields;
};

// Removes the next field from the front of `region` and returns it. The key is the text before
// the first "=", the value the text between that "=" and the first TAB (empty when the TAB
// comes first; up to the region's end when it has no TAB); the region then starts after the TAB,
// or stays as it was when it has no TAB.
FieldView TakeField(std::string_view& region);

// Splits a record line into name, type, ID and fields. Never rejects a line: missing parts
// come out empty. The field scan stops at the end marker or when no TAB is left.
void ParseRecordLine(std::string_view line, const RecordKind& kind, RecordView& out);
ParsedRecord ParseRecordLine(std::string_view line, const RecordKind& kind);

// The record line of one table row (row >= 1), after dotAdd with `divider`.
std::string WriteRecordLine(const Table& table, size_t row, const RecordKind& kind, char divider);

// Hands the tokens of a row's record line, in order, to `put` (before dotAdd): begin marker,
// type, ID, "[" name "]", key "=" value for every column from 4, end marker, TABs between.
template <class Put>
void composeRecordLine(const Table& table, size_t row, const RecordKind& kind, Put&& put) {
    put(kind.begin);
    put("\t");
    put(table.cell(row, 2));
    put("\t");
    put(table.cell(row, 3));
    put("\t[");
    put(table.cell(row, 1));
    put("]\t");
    for (size_t c = 4; c < table.colCount(); ++c) {
        put(table.cell(0, c));
        put("=");
        put(table.cell(row, c));
        put("\t");
    }
    put(kind.end);
}

} // namespace aethrian
