#include "fuzzchecks.h"

#include "app/errors.h"
#include "checks/pch.h"
#include "checks/presence.h"
#include "checks/skilltools.h"
#include "cli/command.h"
#include "generators/clientdump.h"
#include "editing/droplist.h"
#include "editing/valuechange.h"
#include "rates/compare.h"
#include "rates/listratio.h"
#include "records/tableio.h"
#include "records/textfile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        require(lines[i].find_first_of("\r\n") == std::string_view::npos, "a record line holds CR or LF");
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
    require(splitPaneLines(decoded.text) == paneLineViews, "side-file lines differ from the pane's");
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
    checkMonstersExist(lines, npc, log);
    checkNpcposNpcs(lines, npc, log);
    checkNpcgrp(npc, lines, log);
    checkNpcname(npc, lines, log);
    checkItemname(items, lines, log);
    checkMergedGrp(items, lines, lines, lines, log);
    checkPchPresence(npc, PchKind::Npc, lines, log);
    checkPchPresence(items, PchKind::Item, lines, log);
    comparePch(lines, lines, log);
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
            find(front, back, out);
        } catch (const OperationError&) {
        }
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
    for (const DumpMarks* marks : {&kItemDumpMarks, &kItemNameDumpMarks}) {
        Table table;
        LoadClientDump(views, *marks, table);
        for (const auto& row : table.rows())
            for (const std::string& cell : row) {
                require(cell.find_first_of("\t\r\n") == std::string::npos, "a dump cell holds TAB, CR or LF");
                bracketStripped(cell);
                phpArray(cell);
            }
        for (PhpExport kind : {PhpExport::Weapon, PhpExport::EtcItem, PhpExport::ItemName}) {
            std::vector<std::string> out;
            try {
                exportPhp(table, kind, data[0] % 4, divider, out);
            } catch (const OperationError&) {
            }
            noLineBreaks(out);
        }
    }
}

void checkCli(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return;
    namespace fs = std::filesystem;
    // One scratch folder per process, removed when the process ends.
    struct Scratch {
        fs::path path = fs::temp_directory_path() / ("aethrian-fuzz-cli-" + std::to_string(::getpid()));
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
