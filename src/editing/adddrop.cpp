#include "editing/adddrop.h"

#include "app/errors.h"
#include "app/exactdecimal.h"
#include "app/numbers.h"
#include "records/recordplace.h"

namespace aethrian {

namespace {

// V + A x L + B x L^2 held exactly, so the rounding sees the value the decimal texts describe.
// The boxes are read in the order V, A, B, each with the reader's error.
DecimalDigits formula(const DropFormula& f, const ExactDecimal& level, char divider) {
    const ExactDecimal v = ExactDecimal::read(f.v, divider);
    const ExactDecimal a = ExactDecimal::read(f.a, divider);
    const ExactDecimal b = ExactDecimal::read(f.b, divider);
    return (v + a * level + b * (level * level)).digits();
}

// The characters of the drop-list syntax: inside a name they would end it or the entry early.
constexpr std::string_view kListSyntax = "[]{};";

void requireItemName(const std::string& item) {
    requireFitsInCell(item);
    if (item.find_first_of(kListSyntax) != std::string::npos)
        throw ExpectedProblem(kItemNameSyntaxMessage);
}

// A whole number, 0 when the box is empty.
std::int64_t wholeOrZero(const std::string& text) {
    return text.empty() ? 0 : parseInt(text);
}

// Computes one row's change; the table is not touched.
CellChange dropChange(const Table& table, size_t row, const AddDropSettings& s, char divider,
                      Log& log) {
    const std::string& levelText = table.cell(row, kLevelColumn);
    const DropValues d = computeDrop(s, levelText, divider);
    const std::string& old = table.cell(row, kGroupedDropColumn);
    AppendedDrop added = appendDropGroup(old, s.item, dotAdd(d.min, divider),
                                         dotAdd(d.max, divider), dotAdd(d.chance, divider));
    log.add("At " + table.cell(row, 1) + " (ID: " + table.cell(row, 3) + " level: " + levelText +
            ")" + " added the string: " + added.piece);
    return {row, kGroupedDropColumn, old, std::move(added.cell)};
}

} // namespace

DropValues computeDrop(const AddDropSettings& s, std::string_view levelText, char divider) {
    const ExactDecimal level = ExactDecimal::read(levelText, divider);
    return {formatWhole(formula(s.min, level, divider), divider),
            formatWhole(formula(s.max, level, divider), divider),
            formatGeneral(formula(s.chance, level, divider), 10, divider)};
}

AppendedDrop appendDropGroup(std::string_view cell, std::string_view item, std::string_view min,
                             std::string_view max, std::string_view chance) {
    AppendedDrop out;
    out.piece = cell == "{}" ? "" : ";";
    out.piece.append("{{{[").append(item).append("];").append(min).append(";").append(max);
    out.piece.append(";100}};").append(chance).append("}}");
    out.cell = std::string(cell.substr(0, cell.empty() ? 0 : cell.size() - 1)) + out.piece;
    return out;
}

TableEdit addDropToRow(const Table& table, size_t row, const AddDropSettings& s, char divider,
                       Log& log) {
    TableEdit edit;
    edit.label = "Add drop";
    requireItemName(s.item);
    log.add("Adding item " + s.item + "...");
    if (row == 0 || row >= table.rowCount() || table.colCount() <= kGroupedDropColumn)
        return edit;
    edit.cells.push_back(dropChange(table, row, s, divider, log));
    log.add("Item added");
    return edit;
}

TableEdit addDropToDatabase(const Table& table, const AddDropSettings& s, char divider, Log& log,
                            const std::function<int()>& draw, const RowSubset& rows) {
    TableEdit edit;
    edit.label = "Add drop";
    requireItemName(s.item);
    log.add("Adding item " + s.item + "...");
    rows.logScope(table, log);
    const std::int64_t minLevel = wholeOrZero(s.minLevel);
    const std::int64_t percent = wholeOrZero(s.percent);
    // The rows' "added" lines wait until every row has succeeded: a run that fails part-way
    // changes nothing and must not claim otherwise.
    VectorLog added;
    for (const size_t r : rows.rowsOf(table)) {
        if (draw() >= percent)
            continue;
        if (table.colCount() <= kGroupedDropColumn)
            continue;
        if (readingCell(table, r, kLevelColumn,
                        [&] { return parseInt(table.cell(r, kLevelColumn)); }) < minLevel)
            continue;
        if (!s.kind.empty() && s.kind != table.cell(r, 2))
            continue;
        if (!s.clan.empty() && (table.colCount() <= kClanColumn ||
                                table.cell(r, kClanColumn).find(s.clan) == std::string::npos))
            continue;
        edit.cells.push_back(readingCell(table, r, kGroupedDropColumn,
                                         [&] { return dropChange(table, r, s, divider, added); }));
    }
    for (const std::string& line : added.lines)
        log.add(line);
    log.add("Items added");
    return edit;
}

} // namespace aethrian
