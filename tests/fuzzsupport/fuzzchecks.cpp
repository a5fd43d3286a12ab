#include "fuzzchecks.h"

#include "app/errors.h"
#include "editing/droplist.h"
#include "editing/valuechange.h"
#include "rates/compare.h"
#include "rates/listratio.h"
#include "records/tableio.h"
#include "records/textfile.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace aethrian::fuzz {

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

std::string_view bytes(const std::uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// No cell holds a line break, and none but the Name (the text between the brackets, whatever
// it holds) a TAB.
void noLineBreaksOrTabs(const Table& t) {
    for (const auto& row : t.rows())
        for (size_t c = 0; c < row.size(); ++c)
            require(row[c].find_first_of(c == 1 ? "\r\n" : "\t\r\n") == std::string::npos,
                    "a cell holds TAB, CR or LF");
}

} // namespace

void checkDecode(const std::uint8_t* data, size_t size) {
    const DecodedText decoded = decodeText(bytes(data, size));
    require(isValidUtf8(decoded.text), "decoded text is not UTF-8");
    const TextLines lines = splitRecordLines(decoded.text);
    for (size_t i = 0; i < lines.size(); ++i)
        require(lines[i].find_first_of("\r\n") == std::string_view::npos, "a record line holds CR or LF");
    const std::string pane = toPaneText(decoded.text);
    for (size_t i = 0; i < pane.size(); ++i) {
        if (pane[i] == '\n')
            require(i > 0 && pane[i - 1] == '\r', "a pane LF without CR");
        if (pane[i] == '\r')
            require(i + 1 < pane.size() && pane[i + 1] == '\n', "a pane CR without LF");
    }
    for (std::string_view line : paneLines(pane))
        require(line.find_first_of("\r\n") == std::string_view::npos, "a pane line holds CR or LF");
    // Encoding and decoding again gives the same text.
    require(decodeText(encodeUtf16LE(decoded.text, true)).text == decoded.text, "UTF-16 round trip");
}

void checkTable(const std::uint8_t* data, size_t size) {
    const TextLines lines = splitRecordLines(decodeText(bytes(data, size)).text);
    for (const RecordKind* kind : {&kNpcKind, &kItemKind}) {
        Table table;
        LoadTable(lines, *kind, table);
        noLineBreaksOrTabs(table);
        const std::string saved = EncodeTable(table, *kind, ',');
        Table again;
        LoadTable(splitRecordLines(decodeText(saved).text), *kind, again);
        noLineBreaksOrTabs(again);
        require(again.recordCount() == table.recordCount(), "a saved table reloads with another row count");
    }
}

void checkDropList(const std::uint8_t* data, size_t size) {
    if (size < 2)
        return;
    ChangeSettings s;
    s.option = static_cast<ChangeOption>(data[0] % 4);
    s.factor = 1 + data[0] % 7;
    s.smart = data[1] & 1;
    s.low = 0.1L;
    s.high = 1000;
    s.adenaOnly = data[1] & 2;
    s.divider = data[1] & 4 ? '.' : ',';
    const std::string_view text = bytes(data + 2, size - 2);
    scanDropEntries(text);
    VectorLog log;
    for (auto rewrite : {rewriteFlatList, rewriteGroupedList, rewriteNumeric}) {
        try {
            const std::string out = rewrite(text, s, "1", log);
            require(out.find_first_of("\t\r\n") == std::string::npos || text.find_first_of("\t\r\n") != std::string_view::npos,
                    "a rewrite made up a TAB, CR or LF");
        } catch (const OperationError&) {
        }
    }
    const size_t half = text.size() / 2;
    try {
        listRatioText(text.substr(0, half), text.substr(half), s.divider);
    } catch (const OperationError&) {
    }
}

void checkCompare(const std::uint8_t* data, size_t size) {
    const std::string_view all = bytes(data, size);
    const size_t half = all.size() / 2;
    const TextLines first = splitRecordLines(decodeText(all.substr(0, half)).text);
    const TextLines second = splitRecordLines(decodeText(all.substr(half)).text);
    for (const CompareMember* m : {&kNpcCompare, &kItemCompare, &kSkillCompare}) {
        CompareOptions o;
        o.xRate = size % 2;
        o.showMissing = true;
        CompareResult r;
        try {
            compareRecords(*m, first, &second, o, r);
        } catch (const OperationError&) {
        }
        noLineBreaksOrTabs(r.grid);
    }
}

const std::vector<Target>& targets() {
    static const std::vector<Target> all{{"fuzz_decode", checkDecode},
                                         {"fuzz_table", checkTable},
                                         {"fuzz_droplist", checkDropList},
                                         {"fuzz_compare", checkCompare}};
    return all;
}

} // namespace aethrian::fuzz
