#pragma once

#include "records/tableio.h"

namespace aethrian {

// Skill records as a table. A skill record is a line holding "skill_begin"; its tokens after that
// marker, up to "skill_end", are TAB-separated key=value pairs. Grid columns: 0 margin, 1 "Name"
// (the text between the line's first "[" and first "]", shown for orientation and never written
// back), then one column per token of the first record, filled by position.
inline constexpr const char* kSkillBegin = "skill_begin";
inline constexpr const char* kSkillEnd = "skill_end";
inline constexpr const char* kSkillMissingFile = "SKILLData files doesn't exists...";

struct SkillToken {
    std::string_view key;
    std::string_view value;
};

// The key=value tokens after "skill_begin" up to "skill_end" (or the line's end), empty tokens
// skipped; a token without "=" is all key.
std::vector<SkillToken> skillTokens(std::string_view line);

// Hands the tokens of a row's skill line to `put`: "skill_begin", TAB, every column's key "="
// value TAB from column 2 on, "skill_end". Cells are written as they are.
template <class Put> void composeSkillLine(const Table& table, size_t row, Put&& put) {
    put(kSkillBegin);
    put("\t");
    for (size_t c = 2; c < table.colCount(); ++c) {
        put(table.cell(0, c));
        put("=");
        put(table.cell(row, c));
        put("\t");
    }
    put(kSkillEnd);
}

LoadReport LoadSkillTable(const TextLines& lines, Table& table, LoadObserver* observer = nullptr);
// Replaces `table` only once the whole file has been read.
LoadReport LoadSkillTableFile(const std::string& path, Table& table,
                              LoadObserver* observer = nullptr);

// "skill_begin", TAB, each column's key "=" value TAB, "skill_end"; UTF-16LE with mark, CR LF.
std::string EncodeSkillTable(const Table& table, Progress* progress = nullptr);
void SaveSkillTable(const Table& table, const std::string& path, Progress* progress = nullptr);

} // namespace aethrian
