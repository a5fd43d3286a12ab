#include "records/skilltable.h"

#include "app/busy.h"
#include "app/errors.h"
#include "records/textscan.h"

#include <string_view>

namespace aethrian {

namespace {

constexpr size_t kFirstField = 2;

} // namespace

std::vector<SkillToken> skillTokens(std::string_view line) {
    std::vector<SkillToken> out;
    size_t pos = line.find(kSkillBegin);
    if (pos == std::string_view::npos)
        return out;
    pos += std::string_view(kSkillBegin).size();
    while (pos < line.size()) {
        size_t end = line.find('\t', pos);
        if (end == std::string_view::npos)
            end = line.size();
        const std::string_view token = line.substr(pos, end - pos);
        pos = end + 1;
        if (token.empty())
            continue;
        if (token == kSkillEnd)
            break;
        const size_t eq = token.find('=');
        if (eq == std::string_view::npos)
            out.push_back({token, {}});
        else
            out.push_back({token.substr(0, eq), token.substr(eq + 1)});
    }
    return out;
}

LoadReport LoadSkillTable(const TextLines& lines, Table& table, LoadObserver* observer) {
    LoadReport report;
    report.nulLine = lines.firstNulLine();
    table.setRowCount(1);
    table.setColCount(kFirstField);
    table.row(0) = {" ", "Name"};
    BusyCaption busy;
    RefreshCounter counter(kLoadRefreshInterval);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.find(kSkillBegin) == std::string_view::npos)
            continue;
        const std::string_view name = bracketName(line);
        if (observer)
            observer->lastRead(name);
        const std::vector<SkillToken> tokens = skillTokens(line);
        if (report.records == 0) {
            table.setColCount(kFirstField + tokens.size());
            for (size_t k = 0; k < tokens.size(); ++k)
                table.setCell(0, kFirstField + k, std::string(tokens[k].key));
        } else {
            // Skill records often list other keys: say so, as the other editors do.
            noteFieldOrder(
                table, kFirstField, tokens.size(), [&](size_t k) { return tokens[k].key; },
                table.rowCount(), name, report.mismatches);
        }
        Table::Row row(table.colCount());
        row[1] = name;
        const size_t n = std::min(tokens.size(), table.colCount() - kFirstField);
        for (size_t k = 0; k < n; ++k)
            row[kFirstField + k] = tokens[k].value;
        table.appendRow(std::move(row));
        report.rowLines.push_back(i);
        ++report.records;
        report.lastRead = name;
        if (counter.tick() && observer)
            observer->caption(busy.advance());
    }
    report.otherLines = lines.size() - report.records;
    return report;
}

LoadReport LoadSkillTableFile(const std::string& path, Table& table, LoadObserver* observer) {
    if (!fileExists(path))
        throw ExpectedProblem(kSkillMissingFile);
    const std::uint64_t bytes = fileSize(path);
    const TextLines lines = ReadRecordLines(path);
    Table loaded;
    LoadReport report = LoadSkillTable(lines, loaded, observer);
    report.fileBytes = bytes;
    table = std::move(loaded);
    return report;
}

std::string EncodeSkillTable(const Table& table, Progress* progress) {
    std::string utf8;
    BusyCaption busy;
    RefreshCounter counter(kSaveRefreshInterval);
    for (size_t r = 1; r < table.rowCount(); ++r) {
        composeSkillLine(table, r, [&](std::string_view token) { utf8 += token; });
        utf8 += "\r\n";
        if (counter.tick() && progress)
            progress->caption(busy.advance());
    }
    return encodeUtf16LE(utf8, true);
}

void SaveSkillTable(const Table& table, const std::string& path, Progress* progress) {
    writeFileAtomic(path, EncodeSkillTable(table, progress));
}

} // namespace aethrian
