#include "fuzzchecks.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "checks/pch.h"
#include "checks/presence.h"
#include "checks/sidetext.h"
#include "checks/skilltools.h"
#include "cli/command.h"
#include "editing/valuechange.h"
#include "generators/clientdump.h"
#include "rates/compare.h"
#include "rates/listratio.h"
#include "records/droplist.h"
#include "records/tableio.h"
#include "records/textfile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string_view>

#include <unistd.h>

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

// A value a reader takes from a line lies inside that line and holds no line break.
void insideLine(std::string_view part, std::string_view line) {
    if (part.empty())
        return;
    require(part.data() >= line.data() && part.data() + part.size() <= line.data() + line.size(),
            "a reader returned text outside its line");
    require(part.find_first_of("\r\n") == std::string_view::npos, "a reader returned a line break");
}

void noLineBreaks(const std::vector<std::string>& lines) {
    for (const std::string& l : lines)
        require(l.find_first_of("\r\n") == std::string::npos, "an output line holds CR or LF");
}

} // namespace

void checkDecode(const std::uint8_t* data, size_t size) {
    const DecodedText decoded = decodeText(bytes(data, size));
    require(isValidUtf8(decoded.text), "decoded text is not UTF-8");
    const TextLines lines = splitRecordLines(decoded.text);
    for (size_t i = 0; i < lines.size(); ++i)
        require(lines[i].find_first_of("\r\n") == std::string_view::npos,
                "a record line holds CR or LF");
    const std::string pane = toPaneText(decoded.text);
    for (size_t i = 0; i < pane.size(); ++i) {
        if (pane[i] == '\n')
            require(i > 0 && pane[i - 1] == '\r', "a pane LF without CR");
        if (pane[i] == '\r')
            require(i + 1 < pane.size() && pane[i + 1] == '\n', "a pane CR without LF");
    }
    const std::vector<std::string_view> paneLineViews = paneLines(pane);
    for (std::string_view line : paneLineViews)
        require(line.find_first_of("\r\n") == std::string_view::npos, "a pane line holds CR or LF");
    // The CLI and the checks split side files without the CR LF copy: the same lines.
    require(splitPaneLines(decoded.text) == paneLineViews,
            "side-file lines differ from the pane's");
    // Encoding and decoding again gives the same text.
    require(decodeText(encodeUtf16LE(decoded.text, true)).text == decoded.text,
            "UTF-16 round trip");
}

namespace {

std::string replaced(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// The first line of `lines` that holds `c` (1-based), 0 when none does.
size_t firstLineHolding(const TextLines& lines, char c) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(c) != std::string_view::npos)
            return i + 1;
    return 0;
}

// Loads, saves and reloads `text`; the texts of the three stages, for comparing two runs.
std::string loadSaveReload(const std::string& text, const RecordKind& kind, size_t* nulLine) {
    Table table;
    const LoadReport report = LoadTable(splitRecordLines(text), kind, table);
    if (nulLine)
        *nulLine = report.nulLine;
    noLineBreaksOrTabs(table);
    const std::string saved = decodeText(EncodeTable(table, kind, ',')).text;
    Table again;
    LoadTable(splitRecordLines(saved), kind, again);
    noLineBreaksOrTabs(again);
    require(again.recordCount() == table.recordCount(),
            "a saved table reloads with another row count");
    return dumpTable(table) + '\x1F' + saved + '\x1F' + dumpTable(again);
}

} // namespace

void checkTable(const std::uint8_t* data, size_t size) {
    // A NUL is an ordinary character of its line: the text with every '5' made a NUL (no marker
    // holds a '5') loads, saves and reloads exactly as the text itself, NUL for '5'.
    const std::string text = replaced(decodeText(bytes(data, size)).text, '\0', '5');
    const std::string withNuls = replaced(text, '5', '\0');
    const size_t expectedNulLine = firstLineHolding(splitRecordLines(text), '5');
    for (const RecordKind* kind : {&kNpcKind, &kItemKind}) {
        const std::string plain = loadSaveReload(text, *kind, nullptr);
        size_t nulLine = 0;
        const std::string nul = loadSaveReload(withNuls, *kind, &nulLine);
        require(replaced(nul, '\0', '5') == plain, "a NUL changed how a table loads or saves");
        require(nulLine == expectedNulLine, "the load named another line as holding the first NUL");
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
            require(out.find_first_of("\t\r\n") == std::string::npos ||
                        text.find_first_of("\t\r\n") != std::string_view::npos,
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

void checkSideFiles(const std::uint8_t* data, size_t size) {
    // First half: a record file read both ways; second half: the other side's pane text.
    const std::string_view all = bytes(data, size);
    const size_t half = all.size() / 2;
    const TextLines records = splitRecordLines(decodeText(all.substr(0, half)).text);
    const std::string pane = toPaneText(decodeText(all.substr(half)).text);
    const PaneLines lines = paneLines(pane);
    for (std::string_view line : lines) {
        insideLine(pchName(line), line);
        insideLine(pchIdentifier(line), line);
        for (std::string_view key : bracketKeys(line))
            insideLine(key, line);
        insideLine(npcposName(line), line);
        insideLine(npcposNameWindowed(line), line);
        insideLine(grpEntry(line, "name"), line);
        insideLine(idEntry(line), line);
        insideLine(skillIdText(line), line);
        insideLine(skillLevelText(line), line);
        insideLine(skillNameText(line), line);
        insideLine(skillPchName(line), line);
    }
    Table npc;
    Table items;
    LoadTable(records, kNpcKind, npc);
    LoadTable(records, kItemKind, items);
    VectorLog log;
    checkItemsExist(npc, items, log);
    checkItemsNotDropped(items, npc, log);
    if (isBlankText(lines)) {
        // A blank side text is refused before anything is logged.
        const size_t logged = log.lines.size();
        for (const auto& check : std::initializer_list<std::function<void()>>{
                 [&] { checkNpcgrp(npc, lines, log); },
                 [&] { checkPchPresence(items, PchKind::Item, lines, log); },
                 [&] { comparePch(lines, lines, log); }}) {
            bool refused = false;
            try {
                check();
            } catch (const ExpectedProblem&) {
                refused = true;
            }
            require(refused && log.lines.size() == logged, "a blank side text was not refused");
        }
    } else {
        checkMonstersExist(lines, npc, log);
        checkNpcposNpcs(lines, npc, log);
        checkNpcgrp(npc, lines, log);
        checkNpcname(npc, lines, log);
        checkItemname(items, lines, log);
        checkMergedGrp(items, lines, lines, lines, log);
        checkPchPresence(npc, PchKind::Npc, lines, log);
        checkPchPresence(items, PchKind::Item, lines, log);
        comparePch(lines, lines, log);
    }
    std::vector<std::string> generated;
    try {
        generatePch(npc, PchKind::Npc, generated, log);
    } catch (const OperationError&) {
    }
    noLineBreaks(log.lines);
    noLineBreaks(generated);
    SkillToolOutput out;
    out.message = [](const std::string&) {};
    out.result = [](const std::string&) {};
    out.progress = [](size_t, size_t) {};
    for (SkillPane p : {SkillPane::Skilldata, SkillPane::Skillname}) {
        try {
            const std::vector<std::string> sorted = sortSkillLines(lines, p, out);
            require(sorted.size() == lines.size(), "the skill sort lost or made up lines");
        } catch (const OperationError&) {
        }
    }
    const size_t mid = lines.size() / 2;
    const PaneLines front(lines.begin(), lines.begin() + static_cast<long>(mid));
    const PaneLines back(lines.begin() + static_cast<long>(mid), lines.end());
    for (auto find : {findInSkillPch, findInSkillLines}) {
        try {
            find(front, back, out, "front", "back");
        } catch (const OperationError&) {
        } catch (const ExpectedProblem&) { // a half of blank lines
            require(isBlankText(front) || isBlankText(back), "a skill find refused a text");
        }
    }
}

// One PHP double-quoted string literal from `at`, read as PHP reads it. The export escapes only
// "\\", "\"" and "$"; any other backslash or a bare "$" would make PHP read something else than
// the cell (an escape sequence, a variable), and an unescaped quote would end the string early.
std::string phpString(std::string_view line, size_t& at) {
    require(at < line.size() && line[at] == '"', "a PHP value does not start with a quote");
    std::string value;
    for (++at;; ++at) {
        require(at < line.size(), "a PHP string is not closed");
        const char c = line[at];
        if (c == '"') {
            ++at;
            return value;
        }
        require(c != '$', "a PHP string holds an unescaped $");
        if (c == '\\') {
            require(at + 1 < line.size() &&
                        std::string_view("\\\"$").find(line[at + 1]) != std::string_view::npos,
                    "a PHP string holds an escape the export does not write");
            ++at;
        }
        value += line[at];
    }
}

void skipText(std::string_view line, size_t& at, std::string_view text) {
    require(line.substr(at, text.size()) == text, "a PHP line differs from the export's syntax");
    at += text.size();
}

// Round trip: every exported line parses as PHP source of one array assignment, and each value,
// unescaped, is the text the export takes from its cell.
void checkPhpRoundTrip(const Table& table, PhpExport kind, long long firstId, char divider,
                       const std::vector<std::string>& out) {
    const std::vector<PhpPair>& pairs = phpPairs(kind);
    for (size_t i = 0; i < out.size(); ++i) {
        const std::string_view line = out[i];
        const size_t r = i + 1;
        size_t at = 0;
        skipText(line, at,
                 "    $rs[" + std::to_string(firstId + static_cast<long long>(i)) + "] = array(");
        for (size_t k = 0; k < pairs.size(); ++k) {
            const PhpPair& p = pairs[k];
            if (k > 0)
                skipText(line, at, kind == PhpExport::Weapon && k == 44 ? "," : ", ");
            require(phpString(line, at) == p.key, "a PHP key differs");
            skipText(line, at, " => ");
            const std::string cell =
                p.column < table.colCount() ? table.cell(r, p.column) : std::string();
            switch (p.form) {
            case PhpForm::Fixed:
                require(phpString(line, at) == p.fixed, "a fixed PHP value differs");
                break;
            case PhpForm::Raw:
                require(phpString(line, at) == cell, "a PHP value differs from its cell");
                break;
            case PhpForm::Rounded:
                require(phpString(line, at) == formatWhole(readNumber(cell, divider), divider),
                        "a rounded PHP value differs");
                break;
            case PhpForm::Bracket:
                require(phpString(line, at) == bracketStripped(cell),
                        "a PHP value differs from its cell");
                break;
            case PhpForm::Brace:
                require(phpString(line, at) == bracketStripped(cell, '{', '}'),
                        "a PHP value differs from its cell");
                break;
            case PhpForm::Array: {
                const std::vector<std::string> entries = phpArrayEntries(cell);
                skipText(line, at, "array(");
                for (size_t e = 0; e < entries.size(); ++e) {
                    if (e > 0)
                        skipText(line, at, ", ");
                    require(phpString(line, at) == std::to_string(e), "a PHP array key differs");
                    skipText(line, at, " => ");
                    require(phpString(line, at) == entries[e],
                            "a PHP array entry differs from its cell");
                }
                skipText(line, at, ")");
                break;
            }
            }
        }
        skipText(line, at, ");");
        require(at == line.size(), "a PHP line goes on after its end");
    }
}

void checkDumpExport(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return;
    const TextLines lines = splitRecordLines(decodeText(bytes(data + 1, size - 1)).text);
    std::vector<std::string_view> views;
    for (size_t i = 0; i < lines.size(); ++i)
        views.push_back(lines[i]);
    const char divider = data[0] & 1 ? '.' : ',';
    // Small first IDs, and first IDs at the end of the 64-bit range, where the rows must not wrap.
    const long long firstId = data[0] & 4 ? std::numeric_limits<long long>::max() - (data[0] >> 3)
                                          : static_cast<long long>(data[0] % 4);
    for (const DumpMarks* marks : {&kItemDumpMarks, &kItemNameDumpMarks}) {
        Table table;
        LoadClientDump(views, *marks, table);
        for (const auto& row : table.rows())
            for (const std::string& cell : row) {
                require(cell.find_first_of("\t\r\n") == std::string::npos,
                        "a dump cell holds TAB, CR or LF");
                bracketStripped(cell);
                phpArray(cell);
            }
        for (PhpExport kind : {PhpExport::Weapon, PhpExport::EtcItem, PhpExport::ItemName}) {
            std::vector<std::string> out;
            try {
                exportPhp(table, kind, firstId, divider, out);
            } catch (const OperationError&) {
            } catch (const ExpectedProblem&) {
                require(out.empty(), "a refused first ID exported lines");
                const auto room = static_cast<unsigned long long>(
                    std::numeric_limits<long long>::max() - firstId);
                require(firstId > 0 && room < table.rowCount() - 2,
                        "a first ID with room for every row was refused");
            }
            noLineBreaks(out);
            checkPhpRoundTrip(table, kind, firstId, divider, out);
        }
    }
}

void checkCli(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return;
    namespace fs = std::filesystem;
    // One scratch folder per process, removed when the process ends.
    struct Scratch {
        fs::path path =
            fs::temp_directory_path() / ("aethrian-fuzz-cli-" + std::to_string(::getpid()));
        Scratch() { fs::create_directories(path); }
        ~Scratch() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    };
    static const Scratch scratch;
    const fs::path& dir = scratch.path;
    const std::string in = (dir / "in.txt").string();
    const std::string out = (dir / "out.txt").string();
    std::error_code ec;
    fs::remove(out, ec);
    {
        std::ofstream f(in, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    // Commands that read one file and, where they write, write `out`.
    static const std::vector<std::vector<std::string>> lines{
        {"rates", "IN"},
        {"compare", "npc", "IN", "IN", "--x-rate", "--show-missing"},
        {"compare", "item", "IN", "--only-differences"},
        {"compare", "skill", "IN", "IN"},
        {"convert", "npc", "IN", "-o", "OUT"},
        {"convert", "pet", "IN", "-o", "OUT"},
        {"change", "IN", "--column", "20", "--multiply", "2", "--smart", "0.5", "100", "-o", "OUT"},
        {"change", "IN", "--column", "22", "--divide", "3", "--adena-only", "-o", "OUT"},
        {"change", "IN", "--column", "4", "--warp", "3", "10", "-o", "OUT"},
        {"add-drop", "IN", "--item", "adena", "--seed", "7", "-o", "OUT"},
        {"sort", "IN", "--kind", "npc", "--column", "3", "-o", "OUT"},
        {"sort", "IN", "--kind", "item", "--column", "1", "-o", "OUT"},
        {"round", "IN", "--column", "4", "-o", "OUT"},
        {"check", "duplicates", "npc", "IN"},
        {"check", "drop-numbers", "IN"},
        {"check", "npcpos", "IN", "IN"},
        {"pch", "generate", "item", "IN", "-o", "OUT"},
        {"pch", "compare", "IN", "IN"},
        {"export-php", "weapongrp", "IN", "--first-id", "1"},
        {"skills", "sort", "skilldata", "IN", "-o", "OUT"},
        {"skills", "find", "grp", "IN", "IN"},
        {"duals", "IN", "--main", "1", "--second", "2", "--id", "9", "-o", "OUT"},
    };
    std::vector<std::string> args = lines[data[0] % lines.size()];
    for (std::string& a : args)
        a = a == "IN" ? in : a == "OUT" ? out : a;
    if (data[0] & 0x80)
        args.insert(args.begin(), {"--divider", "."});
    std::ostringstream stdoutText;
    std::ostringstream stderrText;
    const int rc = cli::run(args, stdoutText, stderrText);
    require(rc == 0 || rc == 1 || rc == 2, "an exit code other than 0, 1 or 2");
    require(rc == 0 || !fs::exists(out), "a failed command wrote its output");
    // Nothing but the input and the output is left in the folder (no temporary files).
    for (const auto& e : fs::directory_iterator(dir))
        require(e.path() == in || e.path() == out, "a temporary file was left behind");
}

const std::vector<Target>& targets() {
    static const std::vector<Target> all{{"fuzz_decode", checkDecode},
                                         {"fuzz_table", checkTable},
                                         {"fuzz_droplist", checkDropList},
                                         {"fuzz_compare", checkCompare},
                                         {"fuzz_sidefiles", checkSideFiles},
                                         {"fuzz_dumpexport", checkDumpExport},
                                         {"fuzz_cli", checkCli}};
    return all;
}

} // namespace aethrian::fuzz
