#include "editing/cleanup.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "app/tablesort.h"
#include "editing/droplist.h"

namespace aethrian {

namespace {

constexpr size_t kFlatDropColumn = 19;
constexpr size_t kGroupedColumn = 21;

std::string duplicateLine(const Table& t, size_t i) {
    return t.cell(i, 1) + " (ID:" + t.cell(i, 3) + ") is a duplicate of " + t.cell(i + 1, 1) + "(ID:" +
           t.cell(i + 1, 3) + ")";
}

} // namespace

TableEdit findDuplicates(Table& table, char divider, Log& log) {
    int count = 0;
    const TableEdit byName = sortTable(table, 1, SortRule::TextNoCase, divider, false);
    for (size_t i = 1; i + 1 < table.rowCount(); ++i)
        if (table.cell(i, 1) == table.cell(i + 1, 1)) {
            log.add(duplicateLine(table, i));
            ++count;
        }
    TableEdit byId;
    try {
        byId = sortTable(table, 3, SortRule::Numeric, divider);
    } catch (...) {
        revertEdit(table, byName); // the rows go back to where they were
        throw;
    }
    for (size_t i = 1; i + 1 < table.rowCount(); ++i)
        if (table.cell(i, 3) == table.cell(i + 1, 3)) {
            log.add(duplicateLine(table, i));
            ++count;
        }
    log.add("Found " + std::to_string(count) + " duplicates");
    // One edit: the two orders composed, and the ID texts the round trip rewrote.
    TableEdit edit = std::move(byId);
    edit.label = "Find duplicates";
    if (!byName.order.empty()) {
        std::vector<size_t> order(table.recordCount());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = byName.order[edit.order.empty() ? i : edit.order[i]];
        edit.order = std::move(order);
    }
    return edit;
}

void findDropNumberErrors(const Table& table, char divider, Log& log) {
    log.add("Searching wrong drops numbers...");
    for (size_t r = 1; r < table.rowCount(); ++r) {
        const std::string& id = table.cell(r, 3);
        for (size_t col : {kFlatDropColumn, kGroupedColumn}) {
            if (col >= table.colCount())
                continue;
            for (const DropEntry& e : scanDropEntries(table.cell(r, col))) {
                if (readNumber(e.min, divider) < 1 || readNumber(e.max, divider) < 1)
                    log.add("  NPC ID: " + id + " wrong values in object " + std::string(e.name));
                if (readNumber(e.chance, divider) < 0.1L)
                    log.add("    info: npc id " + id + " have poor drops on item " + std::string(e.name));
            }
        }
    }
    log.add("done.");
}

TableEdit roundColumn(Table& table, size_t column, char divider, Log& log) {
    TableEdit edit;
    edit.label = "Round column";
    log.add("Rounding to INTEGER...");
    if (column < table.colCount()) {
        for (size_t r = 1; r < table.rowCount(); ++r) {
            const std::string& old = table.cell(r, column);
            const auto v = tryParseFloat(dotRem(old, divider), divider);
            if (!v) {
                log.add("Error occured on id:" + old);
                edit.cells.clear(); // nothing is changed rather than half a column
                break;
            }
            std::string now = dotAdd(formatWhole(*v, divider), divider);
            if (now != old)
                edit.cells.push_back({r, column, old, std::move(now)});
        }
    }
    applyEdit(table, edit);
    log.add("DONE");
    return edit;
}

TableEdit fillColumn(Table& table, size_t column, const std::string& text) {
    TableEdit edit;
    edit.label = "Fill with";
    requireFitsInCell(text);
    if (column < table.colCount())
        for (size_t r = 1; r < table.rowCount(); ++r)
            if (table.cell(r, column) != text)
                edit.cells.push_back({r, column, table.cell(r, column), text});
    applyEdit(table, edit);
    return edit;
}

} // namespace aethrian
