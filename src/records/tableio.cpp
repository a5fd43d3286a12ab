#include "records/tableio.h"

#include "app/busy.h"
#include "app/errors.h"
#include "app/parallel.h"
#include "records/recordline.h"

#include <algorithm>
#include <iterator>

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

namespace {

// Fills grid rows first+1 .. last (records first .. last - 1) from their lines, noting where a
// record's keys differ from the header's; `each` sees every record after it is filled.
template <class Each>
void fillRecords(const TextLines& lines, const std::vector<size_t>& recordLines, size_t first,
                 size_t last, const RecordKind& kind, const Table& header,
                 std::vector<Table::Row>& rows, std::vector<FieldOrderMismatch>& mismatches,
                 Each&& each) {
    RecordView rec;
    const size_t cols = header.colCount();
    for (size_t i = first; i < last; ++i) {
        ParseRecordLine(lines[recordLines[i]], kind, rec);
        const size_t row = i + 1;
        noteFieldOrder(
            header, 4, rec.fields.size(), [&](size_t k) { return rec.fields[k].key; }, row,
            rec.name, mismatches);
        Table::Row& cells = rows[row];
        cells.resize(cols);
        cells[1].assign(rec.name);
        cells[2].assign(rec.type);
        cells[3].assign(rec.id);
        const size_t n = std::min(rec.fields.size(), cols - 4);
        for (size_t k = 0; k < n; ++k)
            cells[4 + k].assign(rec.fields[k].value);
        each(rec);
    }
}

// Records per work item of a load without an observer: small enough to share a file's records
// evenly between the cores, large enough that handing them out costs nothing.
constexpr size_t kRecordsPerItem = 512;

} // namespace

LoadReport LoadTable(const TextLines& lines, const RecordKind& kind, Table& table,
                     LoadObserver* observer) {
    LoadReport report;
    report.nulLine = lines.firstNulLine();
    for (size_t i = 0; i < lines.size(); ++i)
        if (isRecordLine(lines[i], kind))
            report.rowLines.push_back(i);
    const size_t records = report.rowLines.size();
    report.records = records;
    report.otherLines = lines.size() - records;
    if (records == 0) {
        table.resetHeaderOnly();
        return report;
    }

    // The columns are the first record's keys.
    Table header;
    header.resetHeaderOnly();
    {
        RecordView first;
        ParseRecordLine(lines[report.rowLines[0]], kind, first);
        header.setColCount(4 + first.fields.size());
        for (size_t k = 0; k < first.fields.size(); ++k)
            header.setCell(0, 4 + k, std::string(first.fields[k].key));
    }
    std::vector<Table::Row> rows(records + 1);
    rows[0] = header.row(0);

    if (observer) {
        // The window shows the busy caption every kLoadRefreshInterval records and the name last
        // read, so its load reads the records in order on one thread.
        BusyCaption busy;
        RefreshCounter counter(kLoadRefreshInterval);
        fillRecords(lines, report.rowLines, 0, records, kind, header, rows, report.mismatches,
                    [&](const RecordView& rec) {
                        observer->lastRead(rec.name);
                        if (counter.tick())
                            observer->caption(busy.advance());
                    });
    } else {
        const size_t items = (records + kRecordsPerItem - 1) / kRecordsPerItem;
        std::vector<std::vector<FieldOrderMismatch>> found(items);
        parallelFor(items, [&](size_t item) {
            const size_t first = item * kRecordsPerItem;
            fillRecords(lines, report.rowLines, first, std::min(records, first + kRecordsPerItem),
                        kind, header, rows, found[item], [](const RecordView&) {});
        });
        for (auto& part : found)
            report.mismatches.insert(report.mismatches.end(), std::make_move_iterator(part.begin()),
                                     std::make_move_iterator(part.end()));
    }
    report.lastRead = rows.back()[1];
    table.adoptRows(std::move(rows), header.colCount());
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
