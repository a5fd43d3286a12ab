#include "records/tableio.h"

#include "app/busy.h"
#include "app/errors.h"
#include "records/recordline.h"

#include <algorithm>

namespace aethrian {

namespace {

std::string quotedKey(const std::string& key) {
    return key.empty() ? "(none)" : "\"" + key + "\"";
}

} // namespace

std::string fieldOrderLine(const FieldOrderMismatch& m) {
    return "Field order differs: row " + std::to_string(m.row) + " [" + m.name + "], column " +
           std::to_string(m.column) + " has " + quotedKey(m.actualKey) +
           " where the first record has " + quotedKey(m.expectedKey);
}

LoadReport LoadTable(const TextLines& lines, const RecordKind& kind, Table& table,
                     LoadObserver* observer) {
    LoadReport report;
    report.nulLine = lines.firstNulLine();
    table.reset();
    BusyCaption busy;
    RefreshCounter counter(kLoadRefreshInterval);
    RecordView rec;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (!isRecordLine(line, kind))
            continue;
        ParseRecordLine(line, kind, rec);
        if (observer)
            observer->lastRead(rec.name);
        const size_t row = table.rowCount() - 1;
        if (report.records == 0) {
            table.setColCount(4 + rec.fields.size());
            for (size_t k = 0; k < rec.fields.size(); ++k)
                table.setCell(0, 4 + k, std::string(rec.fields[k].key));
        } else {
            noteFieldOrder(
                table, 4, rec.fields.size(), [&](size_t k) { return rec.fields[k].key; }, row,
                rec.name, report.mismatches);
        }
        Table::Row& cells = table.row(row);
        cells[1].assign(rec.name);
        cells[2].assign(rec.type);
        cells[3].assign(rec.id);
        const size_t n = std::min(rec.fields.size(), table.colCount() - 4);
        for (size_t k = 0; k < n; ++k)
            cells[4 + k].assign(rec.fields[k].value);
        table.appendRow();
        report.rowLines.push_back(i);
        ++report.records;
        report.lastRead.assign(rec.name);
        if (counter.tick() && observer)
            observer->caption(busy.advance());
    }
    table.removeLastRow();
    report.otherLines = lines.size() - report.records;
    return report;
}

LoadReport LoadTableFile(const std::string& path, const RecordKind& kind, Table& table,
                         LoadObserver* observer) {
    if (!fileExists(path))
        throw ExpectedProblem(std::string(kind.missingFileMessage));
    const std::uint64_t bytes = fileSize(path);
    const TextLines lines = ReadRecordLines(path);
    Table loaded;
    LoadReport report = LoadTable(lines, kind, loaded, observer);
    report.fileBytes = bytes;
    table = std::move(loaded);
    return report;
}

std::string otherLinesText(size_t count) {
    if (count == 1)
        return "1 line of the file is not a record (a comment or a blank line); Save as does not "
               "write it";
    return std::to_string(count) +
           " lines of the file are not records (comments or blank lines); Save as does not write "
           "them";
}

std::string sizeText(std::uint64_t bytes) {
    return std::to_string(bytes) + " bytes";
}

std::string EncodeTable(const Table& table, const RecordKind& kind, char divider,
                        Progress* progress) {
    // Every UTF-8 byte becomes at most two bytes of UTF-16, so one allocation of twice the
    // line lengths holds the file.
    size_t utf8Bytes = 0;
    for (size_t r = 1; r < table.rowCount(); ++r)
        composeRecordLine(table, r, kind, [&](std::string_view t) { utf8Bytes += t.size(); });
    std::string out(2 + 2 * utf8Bytes + 4 * table.recordCount(), '\0');
    char* w = out.data();
    *w++ = '\xFF';
    *w++ = '\xFE';
    const auto put = [&](std::string_view token) {
        for (size_t i = 0; i < token.size(); ++i) {
            char c = token[i];
            if (static_cast<unsigned char>(c) < 0x80) {
                if (c == ',' || c == divider)
                    c = '.';
                *w++ = c;
                *w++ = '\0';
                continue;
            }
            // Rare: a non-ASCII character, transcoded one sequence at a time.
            size_t len = 1;
            while (i + len < token.size() && len < 4 &&
                   (static_cast<unsigned char>(token[i + len]) & 0xC0) == 0x80)
                ++len;
            std::string units;
            appendUtf16LE(units, token.substr(i, len));
            for (char u : units)
                *w++ = u;
            i += len - 1;
        }
    };
    BusyCaption busy;
    RefreshCounter counter(kSaveRefreshInterval);
    for (size_t r = 1; r < table.rowCount(); ++r) {
        composeRecordLine(table, r, kind, put);
        for (char b : {'\r', '\0', '\n', '\0'})
            *w++ = b;
        if (counter.tick() && progress)
            progress->caption(busy.advance());
    }
    out.resize(static_cast<size_t>(w - out.data()));
    return out;
}

void SaveTable(const Table& table, const RecordKind& kind, char divider, const std::string& path,
               Progress* progress) {
    writeFileAtomic(path, EncodeTable(table, kind, divider, progress));
}

} // namespace aethrian
