#pragma once

#include "records/recordkind.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace aethrian {

class Table;

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
// comes first or is missing); the region then starts after the TAB, or stays as it was when it
// has no TAB.
FieldView TakeField(std::string_view& region);

// Splits a record line into name, type, ID and fields. Never rejects a line: missing parts
// come out empty. The field scan stops at the end marker or when no TAB is left.
void ParseRecordLine(std::string_view line, const RecordKind& kind, RecordView& out);
ParsedRecord ParseRecordLine(std::string_view line, const RecordKind& kind);

// The record line of one table row (row >= 1), after dotAdd with `divider`.
std::string WriteRecordLine(const Table& table, size_t row, const RecordKind& kind, char divider);

} // namespace aethrian
