#include "generators/clientdump.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "app/parallel.h"
#include "records/textscan.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <limits>

namespace aethrian {

namespace {} // namespace

namespace {

// The cells of one record line, the empty first column included. For the first record `keys`
// collects the field keys, which make the header; a later record's row stops at `columns`, as
// the table would cut the fields past the first record's.
Table::Row dumpRow(std::string_view line, std::string_view end, size_t columns,
                   std::vector<std::string>* keys) {
    size_t from = line.find("object_id=");
    if (from == npos)
        from = line.find("id=");
    std::string_view rest = from == npos ? line : line.substr(from);
    Table::Row row;
    row.reserve(keys ? 64 : columns);
    row.emplace_back();
    size_t tab = rest.find('\t'); // each field's TAB is searched once
    for (;;) {
        const size_t eq = rest.substr(0, tab).find('='); // a field ends at its TAB
        const size_t start = eq == npos ? 0 : eq + 1;
        row.emplace_back(tab == npos || tab < start ? std::string_view()
                                                    : rest.substr(start, tab - start));
        if (keys)
            keys->emplace_back(eq == npos ? std::string_view() : rest.substr(0, eq));
        else if (row.size() == columns)
            break;
        if (tab == npos)
            break;
        rest.remove_prefix(tab + 1);
        if (rest.starts_with(end))
            break;
        tab = rest.find('\t');
        if (tab == npos) // a last field without a TAB after it is not read
            break;
    }
    return row;
}

} // namespace

void LoadClientDump(const std::vector<std::string_view>& lines, const DumpMarks& marks,
                    Table& table) {
    table.setRowCount(1);
    table.setColCount(1);
    table.setCell(0, 0, "");
    const std::string_view end(marks.end);
    size_t first = 0;
    while (first < lines.size() && lines[first].find(marks.start) == npos)
        ++first;
    if (first == lines.size())
        return;
    // The first record makes the header; the others, which only need its width, are read in
    // blocks of lines on every core and joined in file order.
    std::vector<std::string> keys;
    Table::Row firstRow = dumpRow(lines[first], end, 0, &keys);
    const size_t columns = 1 + keys.size();
    constexpr size_t kPerBlock = 1024;
    const size_t from = first + 1;
    std::vector<std::vector<Table::Row>> parts((lines.size() - from + kPerBlock - 1) / kPerBlock);
    parallelFor(parts.size(), [&](size_t b) {
        const size_t to = std::min(lines.size(), from + (b + 1) * kPerBlock);
        for (size_t k = from + b * kPerBlock; k < to; ++k)
            if (lines[k].find(marks.start) != npos)
                parts[b].push_back(dumpRow(lines[k], end, columns, nullptr));
    });
    std::vector<Table::Row> rows;
    size_t count = 2;
    for (const auto& part : parts)
        count += part.size();
    rows.reserve(count);
    Table::Row header;
    header.reserve(columns);
    header.emplace_back();
    for (std::string& key : keys)
        header.push_back(std::move(key));
    rows.push_back(std::move(header));
    rows.push_back(std::move(firstRow));
    for (auto& part : parts)
        for (Table::Row& row : part)
            rows.push_back(std::move(row));
    table.adoptRows(std::move(rows), columns);
}

ClientDumpFile loadClientDumpFile(const std::string& path, const DumpMarks& marks) {
    if (!fileExists(path))
        throw ExpectedProblem("File doesn't exists...");
    ClientDumpFile file;
    file.text = decodeText(readFileBytes(path)).text;
    // Split where it was decoded: the lines are those of the text in its pane form.
    LoadClientDump(splitPaneLines(file.text), marks, file.table);
    return file;
}

namespace {

// The text between the first `open` and the next `close`, "none" read as nothing.
std::string_view strippedView(std::string_view cell, char open, char close) {
    if (const size_t o = cell.find(open); o != npos)
        cell.remove_prefix(o + 1);
    if (const size_t c = cell.find(close); c != npos)
        cell = cell.substr(0, c);
    return cell == "none" ? std::string_view() : cell;
}

// Calls `entry` with each "[...]" entry of an array cell, as views into the cell.
template <class Entry> void forEachArrayEntry(std::string_view cell, Entry&& entry) {
    for (;;) {
        std::string_view value = cell;
        if (const size_t o = value.find('['); o != npos)
            value.remove_prefix(o + 1);
        const size_t c = value.find(']');
        value = c == npos ? std::string_view() : value.substr(0, c); // nothing without its "]"
        if (value == "none")
            value = {};
        const size_t close = cell.find(']');
        cell = close == npos ? std::string_view() : cell.substr(close + 1);
        entry(value);
        const size_t o = cell.find('[');
        if (o == npos || cell.find(']', o) == npos)
            break;
    }
}

// True when one of the eight bytes of `word` is `byte`.
constexpr bool hasByte(std::uint64_t word, unsigned char byte) {
    const std::uint64_t x = word ^ (0x0101010101010101ULL * byte);
    return ((x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL) != 0;
}

void appendQuoted(std::string& out, std::string_view text) {
    // A plain walk appending the runs between escapes: find_first_of tests each character
    // against the set with a call of its own, which cost more than the rest of the line. Eight
    // characters at a time are passed over while none of them needs an escape, as most cells.
    out += '"';
    size_t run = 0;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (hasByte(word, '\\') || hasByte(word, '"') || hasByte(word, '$'))
            break;
    }
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == '"' || c == '$') {
            out.append(text.data() + run, i - run);
            out += '\\';
            run = i; // the character itself starts the next run
        }
    }
    out.append(text.data() + run, text.size() - run);
    out += '"';
}

void appendArray(std::string& out, std::string_view cell) {
    out += "array(";
    size_t k = 0;
    forEachArrayEntry(cell, [&](std::string_view entry) {
        if (k > 0)
            out += ", ";
        out += "\"";
        out += std::to_string(k++);
        out += "\" => ";
        appendQuoted(out, entry);
    });
    out += ')';
}

void appendNumber(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// The last row's ID must still be a 64-bit number: past it the IDs would wrap around.
void refuseIdsPastTheLargest(const Table& table, long long firstId) {
    const size_t rows = table.rowCount() > 1 ? table.rowCount() - 1 : 0;
    constexpr long long largest = std::numeric_limits<long long>::max();
    if (rows > 0 && firstId > 0 && static_cast<unsigned long long>(largest - firstId) < rows - 1)
        throw ExpectedProblem("The first ID " + std::to_string(firstId) +
                              " is too large: the IDs of the " + std::to_string(rows) +
                              " rows would run past " + std::to_string(largest));
}

} // namespace

std::string bracketStripped(std::string_view cell, char open, char close) {
    return std::string(strippedView(cell, open, close));
}

std::vector<std::string> phpArrayEntries(std::string_view cell) {
    std::vector<std::string> entries;
    forEachArrayEntry(cell, [&](std::string_view entry) { entries.emplace_back(entry); });
    return entries;
}

std::string phpArray(std::string_view cell) {
    std::string out;
    appendArray(out, cell);
    return out;
}

std::string phpQuoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    appendQuoted(out, text);
    return out;
}

const std::vector<PhpPair>& phpPairs(PhpExport kind) {
    using Form = PhpForm;
    static const std::vector<PhpPair> etc{
        {"nose01", Form::Fixed, 0, "2"},    {"id", Form::Raw, 1},
        {"drop_type", Form::Raw, 3},        {"drop_anim_type", Form::Raw, 4},
        {"drop_radius", Form::Rounded, 5},  {"drop_height", Form::Rounded, 6},
        {"nose02", Form::Fixed, 0, "0"},    {"drop_mesh", Form::Bracket, 7},
        {"drop_texture", Form::Bracket, 8}, {"nose03", Form::Fixed, 0, "0"},
        {"nose04", Form::Fixed, 0, "0"},    {"nose05", Form::Fixed, 0, "0"},
        {"icon", Form::Bracket, 9},         {"durability", Form::Raw, 20},
        {"weight", Form::Raw, 16},          {"material_type", Form::Raw, 18},
        {"nose06", Form::Fixed, 0, "0"},    {"nose07", Form::Fixed, 0, "0"},
        {"nose08", Form::Fixed, 0, "1"},    {"mesh", Form::Bracket, 10},
        {"nose09", Form::Fixed, 0, "1"},    {"texture", Form::Bracket, 11},
        {"drop_sound", Form::Bracket, 13},  {"equip_sound", Form::Bracket, 14},
        {"consume_type", Form::Raw, 17},    {"etcitem_type", Form::Raw, 15},
        {"crystal_type", Form::Raw, 19}};
    static const std::vector<PhpPair> names{{"id", Form::Raw, 1},
                                            {"name", Form::Bracket, 2},
                                            {"additional_name", Form::Bracket, 3},
                                            {"desc", Form::Bracket, 5},
                                            {"popup", Form::Raw, 4}};
    static const std::vector<PhpPair> weapon{
        {"nose01", Form::Fixed, 0, "0"},
        {"id", Form::Raw, 1},
        {"drop_type", Form::Raw, 5},
        {"drop_anim_type", Form::Raw, 6},
        {"drop_radius", Form::Rounded, 7},
        {"drop_height", Form::Rounded, 8},
        {"nose02", Form::Fixed, 0, "0"},
        {"drop_mesh", Form::Array, 11},
        {"drop_texture", Form::Array, 12},
        {"icon", Form::Array, 13},
        {"durability", Form::Raw, 36},
        {"weight", Form::Raw, 20},
        {"material_type", Form::Raw, 23},
        {"crystallizable", Form::Raw, 16},
        {"nose03", Form::Fixed, 0, "0"},
        {"body_part", Form::Brace, 3},
        {"animation", Form::Raw, 4},
        {"mesh", Form::Array, 14},
        {"texture", Form::Array, 15},
        {"item_sound", Form::Array, 17},
        {"drop_sound", Form::Bracket, 18},
        {"equip_sound", Form::Bracket, 19},
        {"projectile", Form::Bracket, 9},
        {"random_damage", Form::Raw, 26},
        {"physical_damage", Form::Raw, 25},
        {"magical_damage", Form::Raw, 35},
        {"weapon_type", Form::Raw, 27},
        {"crystal_type", Form::Raw, 24},
        {"critical", Form::Raw, 28},
        {"hit_modify", Form::Raw, 29},
        {"avoid_modify", Form::Raw, 30},
        {"shield_defense", Form::Raw, 31},
        {"shield_defense_rate", Form::Raw, 32},
        {"attack_speed", Form::Raw, 33},
        {"mp_consume", Form::Raw, 34},
        {"soulshot_count", Form::Raw, 21},
        {"spiritshot_count", Form::Raw, 22},
        {"curvature", Form::Raw, 10},
        {"nose04", Form::Fixed, 0, ""},
        {"nose05", Form::Fixed, 0, "0"},
        {"nose06", Form::Fixed, 0, "0"},
        {"nose07", Form::Fixed, 0, "0"},
        {"nose08", Form::Fixed, 0, "1065353216"},
        {"nose09", Form::Fixed, 0, "1065353216"},
        {"nose10", Form::Fixed, 0, "AethriaWeapons.rangesample"},
        {"nose11", Form::Fixed, 0, "1065772646"},
        {"nose12", Form::Fixed, 0, "1060320051"},
        {"nose13", Form::Fixed, 0, "1060320051"},
        {"nose14", Form::Fixed, 0, "1106509824"},
        {"nose15", Form::Fixed, 0, "0"},
        {"nose16", Form::Fixed, 0, "0"}};
    return kind == PhpExport::Weapon ? weapon : kind == PhpExport::EtcItem ? etc : names;
}

void exportPhpInParts(const Table& table, PhpExport kind, long long firstId, char divider,
                      const std::function<void(std::vector<std::string>&)>& take) {
    const std::vector<PhpPair>& pairs = phpPairs(kind);
    refuseIdsPastTheLargest(table, firstId);
    const size_t rows = table.rowCount() > 1 ? table.rowCount() - 1 : 0;
    // What comes before each value is the same on every line: the divider, the quoted key and
    // " => ", and for a fixed pair its quoted value too. Made once, so a line is a run of appends.
    std::vector<std::string> heads(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (i > 0)
            heads[i] = kind == PhpExport::Weapon && i == 44 ? "," : ", "; // between pairs 44 and 45
        appendQuoted(heads[i], pairs[i].key);
        heads[i] += " => ";
        if (pairs[i].form == PhpForm::Fixed)
            appendQuoted(heads[i], pairs[i].fixed);
    }
    // The lines are made a part of rows at a time, each part in blocks on every core and handed
    // over before the next: a large export never holds all its lines, and a part's memory is
    // reused by the next. A failure hands over the lines of the rows before it, as a run row by
    // row would.
    constexpr size_t kRowsPerPart = 4096;
    std::vector<std::string> lines;
    for (size_t part = 0; part < rows; part += kRowsPerPart) {
        lines.resize(std::min(kRowsPerPart, rows - part));
        std::exception_ptr error;
        const size_t failed = parallelBlocks(
            lines.size(), 512,
            [&](size_t from, size_t to, size_t& at) {
                size_t expected = 256;
                for (at = from; at < to; ++at) {
                    const size_t r = part + at + 1;
                    // Counted from the first ID, not stepped past the last row: that step could
                    // overflow.
                    const long long id = firstId + static_cast<long long>(r - 1);
                    // Made in the string of the part before, whose room is reused.
                    std::string& line = lines[at];
                    line.clear();
                    line.reserve(expected); // rows of one dump are alike: the last line's length
                    line += "    $rs[";
                    appendNumber(line, id);
                    line += "] = array(";
                    for (size_t i = 0; i < pairs.size(); ++i) {
                        const PhpPair& p = pairs[i];
                        line += heads[i];
                        const std::string_view cell = table.text(r, p.column);
                        switch (p.form) {
                        case PhpForm::Fixed:
                            break;
                        case PhpForm::Raw:
                            appendQuoted(line, cell);
                            break;
                        case PhpForm::Rounded:
                            appendQuoted(line, formatWhole(readNumber(cell, divider), divider));
                            break;
                        case PhpForm::Bracket:
                            appendQuoted(line, strippedView(cell, '[', ']'));
                            break;
                        case PhpForm::Brace:
                            appendQuoted(line, strippedView(cell, '{', '}'));
                            break;
                        case PhpForm::Array:
                            appendArray(line, cell);
                            break;
                        }
                    }
                    line += ");";
                    expected = line.size() + 64;
                }
            },
            error);
        if (error) {
            lines.resize(failed);
            take(lines);
            std::rethrow_exception(error);
        }
        take(lines);
    }
}

void exportPhp(const Table& table, PhpExport kind, long long firstId, char divider,
               std::vector<std::string>& out) {
    out.clear();
    exportPhpInParts(table, kind, firstId, divider, [&](std::vector<std::string>& lines) {
        for (std::string& line : lines)
            out.push_back(std::move(line));
    });
}

PhpExportRun exportPhpLines(const Table& table, PhpExport kind, long long firstId, char divider) {
    refuseIdsPastTheLargest(table, firstId);
    PhpExportRun run;
    try {
        exportPhp(table, kind, firstId, divider, run.lines);
    } catch (const std::exception&) {
        run.error = std::current_exception();
    }
    return run;
}

} // namespace aethrian
