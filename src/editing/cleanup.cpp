#include "editing/cleanup.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "records/droplist.h"
#include "records/npccolumns.h"
#include "records/recordplace.h"
#include "records/tablesort.h"

namespace aethrian {

namespace {

std::string duplicateLine(const std::string& name, const std::string& id,
                          const std::string& nextName, const std::string& nextId) {
    return name + " (ID:" + id + ") is a duplicate of " + nextName + "(ID:" + nextId + ")";
}

} // namespace

TableEdit findDuplicates(const Table& table, char divider, Log& log) {
    int count = 0;
    // The two sorts are planned as row orders: the ID sort starts from the name order, as it
    // would on a table already sorted by name, so equal IDs end where the two sorts put them.
    const std::vector<size_t> byName = sortOrder(table, 1, SortRule::TextNoCase, divider, false);
    const auto name = [&](size_t row) -> const std::string& { return table.cell(row + 1, 1); };
    for (size_t i = 0; i + 1 < byName.size(); ++i)
        if (name(byName[i]) == name(byName[i + 1])) {
            log.addAbout(byName[i] + 1,
                         duplicateLine(name(byName[i]), table.cell(byName[i] + 1, 3),
                                       name(byName[i + 1]), table.cell(byName[i + 1] + 1, 3)));
            ++count;
        }
    const std::vector<size_t> byId = sortOrder(table, 3, SortRule::Numeric, divider, true, byName);
    // The ID texts after the sort's dotRem / dotAdd round trip, which the lines show.
    std::vector<std::string> ids(byId.size());
    for (size_t r = 0; r < ids.size(); ++r)
        ids[r] = dotAdd(dotRem(table.cell(r + 1, 3), divider), divider);
    for (size_t i = 0; i + 1 < byId.size(); ++i)
        if (ids[byId[i]] == ids[byId[i + 1]]) {
            log.addAbout(byId[i] + 1, duplicateLine(name(byId[i]), ids[byId[i]], name(byId[i + 1]),
                                                    ids[byId[i + 1]]));
            ++count;
        }
    log.add("Found " + std::to_string(count) + " duplicates");
    TableEdit edit;
    edit.label = "Find duplicates";
    for (size_t i = 0; i < byId.size(); ++i)
        if (ids[byId[i]] != table.cell(byId[i] + 1, 3))
            edit.cells.push_back({i + 1, 3, table.cell(byId[i] + 1, 3), ids[byId[i]]});
    for (size_t i = 0; i < byId.size(); ++i)
        if (byId[i] != i) {
            edit.order = byId;
            break;
        }
    return edit;
}

void findDropNumberErrors(const Table& table, char divider, Log& log) {
    log.add("Searching wrong drops numbers...");
    for (size_t r = 1; r < table.rowCount(); ++r) {
        const std::string& id = table.cell(r, 3);
        for (size_t col : {kFlatDropColumn, kGroupedDropColumn}) {
            if (col >= table.colCount())
                continue;
            readingCell(table, r, col, [&] {
                for (const DropEntry& e : scanDropEntries(table.cell(r, col))) {
                    if (readNumber(e.min, divider) < 1 || readNumber(e.max, divider) < 1)
                        log.addAbout(r, "  NPC ID: " + id + " wrong values in object " +
                                            std::string(e.name));
                    if (readNumber(e.chance, divider) < 0.1L)
                        log.addAbout(r, "    info: npc id " + id + " have poor drops on item " +
                                            std::string(e.name));
                }
            });
        }
    }
    log.add("done.");
}

TableEdit roundColumn(const Table& table, size_t column, char divider, Log& log,
                      const RowSubset& rows) {
    TableEdit edit;
    edit.label = "Round column";
    log.add("Rounding to INTEGER...");
    rows.logScope(table, log);
    if (column < table.colCount()) {
        for (const size_t r : rows.rowsOf(table)) {
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
    log.add("DONE");
    return edit;
}

TableEdit fillColumn(const Table& table, size_t column, const std::string& text) {
    VectorLog unused; // over every record, Fill logs nothing
    return fillColumn(table, column, text, {}, unused);
}

TableEdit fillColumn(const Table& table, size_t column, const std::string& text,
                     const RowSubset& rows, Log& log) {
    TableEdit edit;
    edit.label = "Fill with";
    requireFitsInCell(text);
    rows.logScope(table, log);
    if (column < table.colCount())
        for (const size_t r : rows.rowsOf(table))
            if (table.cell(r, column) != text)
                edit.cells.push_back({r, column, table.cell(r, column), text});
    return edit;
}

} // namespace aethrian
