#include "editing/valuechange.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "records/droplist.h"
#include "records/recordplace.h"

namespace aethrian {

using namespace droptext;

ColumnClass columnClass(size_t c) {
    if (c == 19)
        return ColumnClass::FlatList;
    if (c == 18 || c == 20 || c == 21)
        return ColumnClass::GroupedList;
    const bool numeric = (c >= 4 && c <= 9) || (c >= 12 && c <= 14) || c == 17 || c == 26 ||
                         c == 27 || (c >= 29 && c <= 39) || c == 48 || (c >= 50 && c <= 62) ||
                         c == 64 || c == 69 || c == 79 || c == 80;
    return numeric ? ColumnClass::Numeric : ColumnClass::Ignored;
}

void prepareChange(ChangeDialog& d, char divider) {
    for (std::string* text : {&d.by, &d.from, &d.to, &d.low, &d.high})
        *text = dotRem(*text, divider);
    if (d.option == ChangeOption::Warp) {
        const long double to = parseFloat(d.to, divider);
        const long double from = parseFloat(d.from, divider);
        d.by = to != 0 && from != 0 ? formatGeneral(to / from, 10, divider) : "0";
    }
    if (d.option == ChangeOption::None)
        throw ExpectedProblem("You must choose one option");
    if (d.option == ChangeOption::Multiply || d.option == ChangeOption::Divide ||
        d.option == ChangeOption::Warp) {
        if (parseFloat(d.by, divider) == 0)
            throw ExpectedProblem("I can't multiply or divide by zero!");
    }
}

std::string changeHeaderLine(const ChangeDialog& d, size_t cellRow, const std::string& header) {
    std::string line = cellRow
                           ? "NPC ID " + std::to_string(cellRow) + " :: Column " + header + " ::"
                           : "Column " + header + " ::";
    switch (d.option) {
    case ChangeOption::Add:
        line += " ADDITION by " + d.by;
        break;
    case ChangeOption::Subtract:
        line += " SUBTRACTION by " + d.by;
        break;
    case ChangeOption::Multiply:
        line += " MULTIPLY by " + d.by;
        break;
    case ChangeOption::Divide:
        line += " DIVISION by " + d.by;
        break;
    case ChangeOption::Warp:
        line += " WARP from " + d.from + " to " + d.to;
        break;
    case ChangeOption::None:
        break;
    }
    if (d.smart)
        line += " [SMART ENABLED: " + d.low + " < X > " + d.high + "]";
    if (d.adenaOnly)
        line += " [ADENA MODE ON]";
    return line;
}

namespace {

bool outside(const ChangeSettings& s, long double v) {
    return s.smart && (v < s.low || v > s.high);
}

std::string general(long double v, int digits, char divider) {
    return formatGeneral(v, digits, divider);
}

// Algorithm of one number; false when the zero rule keeps it.
bool rewrite(long double& v, const ChangeSettings& s, std::string_view id, Log& log) {
    switch (s.option) {
    case ChangeOption::Add:
        v += s.factor;
        return true;
    case ChangeOption::Subtract:
        v -= s.factor;
        return true;
    case ChangeOption::Divide:
        if (v == 0) {
            log.add("ID " + std::string(id) + " is zero, can't be divided.");
            return false;
        }
        v /= s.factor;
        return true;
    default:
        if (v == 0) {
            log.add("ID " + std::string(id) + " is zero, can't be multiplied.");
            return false;
        }
        v *= s.factor;
        return true;
    }
}

} // namespace

std::string rewriteNumeric(std::string_view cell, const ChangeSettings& s, std::string_view id,
                           Log& log) {
    long double v = readNumber(cell, s.divider);
    if (outside(s, v)) {
        log.add("  ID " + std::string(id) +
                " skipped (SMART: value is:" + general(v, 10, s.divider) + ").");
        return dotAdd(dotRem(cell, s.divider), s.divider);
    }
    rewrite(v, s, id, log);
    return dotAdd(general(v, 10, s.divider), s.divider);
}

std::string rewriteFlatList(std::string_view cell, const ChangeSettings& s, std::string_view id,
                            Log& log) {
    std::string out;
    out.reserve(cell.size() + cell.size() / 4);
    std::string_view rest = cell;
    while (rest.find('[') != npos) {
        out += rest.substr(0, rest.find('['));
        const std::string_view name = takeName(rest);
        out += "[";
        out += name;
        out += "];";
        for (int k = 0; k < 2; ++k) { // min, then max
            const std::string_view amount = upTo(rest, ';');
            cutAfter(rest, ';');
            if (s.adenaOnly && name == "adena") {
                long double v = readNumber(amount, s.divider);
                out += rewrite(v, s, id, log) ? formatWhole(v, s.divider) : std::string(amount);
            } else {
                out += amount;
            }
            out += ';';
        }
        const size_t close = rest.find('}');
        const std::string_view chance = close == npos ? std::string_view() : rest.substr(0, close);
        const size_t at = close == npos ? 0 : close;
        const size_t brace = rest.find('{');
        std::string_view tail;
        if (brace != npos) {
            if (brace > at)
                tail = rest.substr(at, brace - at);
        }
        if (s.adenaOnly) {
            out += chance;
        } else {
            long double v = readNumber(chance, s.divider);
            if (outside(s, v)) {
                log.add("  ID " + std::string(id) + " skipped (SMART: " + std::string(name) +
                        " out of range, value is:" + general(v, 10, s.divider) + ").");
                out += chance;
            } else {
                out += rewrite(v, s, id, log) ? general(v, 10, s.divider) : std::string(chance);
            }
        }
        out += tail;
        if (brace == npos) {
            rest.remove_prefix(at);
            break;
        }
        rest.remove_prefix(brace);
    }
    out += rest;
    dotAddInPlace(out, s.divider);
    return out;
}

std::string rewriteGroupedList(std::string_view cell, const ChangeSettings& s, std::string_view id,
                               Log& log) {
    if (s.adenaOnly)
        return rewriteFlatList(cell, s, id, log);
    std::string out;
    std::string_view rest = cell;
    for (size_t end = rest.find("}};"); end != npos; end = rest.find("}};")) {
        const std::string_view chunk = rest.substr(0, end + 1);
        out += chunk;
        out += "};";
        rest.remove_prefix(end + 3);
        if (chunk.find("adena") != npos)
            continue; // its group chance passes unchanged with the next chunk
        const size_t close = rest.find('}');
        long double v =
            readNumber(close == npos ? std::string_view() : rest.substr(0, close), s.divider);
        if (outside(s, v))
            log.add("  ID " + std::string(id) +
                    " skipped (SMART: out of range, value is:" + general(v, 10, s.divider) + ").");
        else
            rewrite(v, s, id, log);
        out += dotAdd(general(v, 15, s.divider), s.divider);
        if (close != npos)
            rest.remove_prefix(close);
    }
    out += rest;
    return out.empty() ? "{}" : out;
}

TableEdit runValueChange(const Table& table, const ChangeDialog& d, size_t cellRow, size_t column,
                         char divider, Log& log, const RowSubset& rows) {
    TableEdit edit;
    edit.label = "Change values";
    if (column >= table.colCount())
        return edit;
    log.add(changeHeaderLine(d, cellRow, table.cell(0, column)));
    if (cellRow == 0)
        rows.logScope(table, log);
    ChangeSettings s;
    s.option = d.option == ChangeOption::Warp ? ChangeOption::Multiply : d.option;
    s.factor = parseFloat(d.by, divider);
    s.smart = d.smart;
    s.low = parseFloat(d.low, divider);
    s.high = parseFloat(d.high, divider);
    s.adenaOnly = d.adenaOnly;
    s.divider = divider;
    const ColumnClass cls = columnClass(column);
    if (cls == ColumnClass::Ignored)
        return edit;
    std::vector<size_t> visited;
    if (cellRow == 0)
        visited = rows.rowsOf(table);
    else if (cellRow < table.rowCount())
        visited.push_back(cellRow);
    for (const size_t r : visited) {
        const std::string& old = table.cell(r, column);
        const std::string_view id = table.cell(r, 3);
        std::string now = readingCell(table, r, column, [&] {
            return cls == ColumnClass::Numeric    ? rewriteNumeric(old, s, id, log)
                   : cls == ColumnClass::FlatList ? rewriteFlatList(old, s, id, log)
                                                  : rewriteGroupedList(old, s, id, log);
        });
        if (now != old)
            edit.cells.push_back({r, column, old, std::move(now)});
    }
    return edit;
}

} // namespace aethrian
