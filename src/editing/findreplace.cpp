#include "editing/findreplace.h"

#include "app/errors.h"

#include <algorithm>

namespace aethrian {

namespace {

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameText(std::string_view a, std::string_view b, bool matchCase) {
    if (matchCase)
        return a == b;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldAscii(x) == foldAscii(y);
           });
}

size_t findIn(std::string_view hay, std::string_view needle, size_t from, bool matchCase) {
    if (matchCase)
        return hay.find(needle, from);
    const auto it =
        std::search(hay.begin() + static_cast<std::ptrdiff_t>(from), hay.end(), needle.begin(),
                    needle.end(), [](char x, char y) { return foldAscii(x) == foldAscii(y); });
    return it == hay.end() ? std::string_view::npos : static_cast<size_t>(it - hay.begin());
}

std::string_view trimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The columns a search covers: [first, last).
struct Scope {
    size_t first = 0;
    size_t last = 0;
    size_t width() const { return last - first; }
    bool holds(size_t col) const { return col >= first && col < last; }
};

Scope scopeOf(const Table& table, const FindOptions& options) {
    if (options.column == Table::npos)
        return {std::min<size_t>(1, table.colCount()), table.colCount()};
    if (options.column >= table.colCount())
        return {};
    return {options.column, options.column + 1};
}

} // namespace

void requireReplaceable(const FindOptions& options, std::string_view replacement) {
    if (options.find.empty())
        throw ExpectedProblem(kEmptyFindMessage);
    if (!fitsInCell(replacement))
        throw ExpectedProblem(kReplaceBreakMessage);
}

bool cellMatches(std::string_view cell, const FindOptions& options) {
    if (options.find.empty())
        return false;
    if (options.wholeCell)
        return sameText(cell, options.find, options.matchCase);
    return findIn(cell, options.find, 0, options.matchCase) != std::string_view::npos;
}

std::string replaceInCell(std::string_view cell, const FindOptions& options,
                          std::string_view replacement) {
    if (!cellMatches(cell, options))
        return std::string(cell);
    if (options.wholeCell)
        return std::string(replacement);
    std::string out;
    out.reserve(cell.size() + replacement.size());
    size_t from = 0;
    for (size_t at = findIn(cell, options.find, 0, options.matchCase); at != std::string_view::npos;
         at = findIn(cell, options.find, from, options.matchCase)) {
        out.append(cell.substr(from, at - from));
        out.append(replacement);
        from = at + options.find.size();
    }
    out.append(cell.substr(from));
    return out;
}

std::optional<CellPos> findNextCell(const Table& table, const FindOptions& options, CellPos after) {
    const Scope scope = scopeOf(table, options);
    const size_t width = scope.width();
    const size_t total = table.recordCount() * width;
    if (total == 0 || options.find.empty())
        return std::nullopt;
    // Cells of the scope are numbered in reading order; `first` is the one tried first.
    size_t first = 0;
    if (after.row >= 1 && after.row <= table.recordCount()) {
        const size_t rowStart = (after.row - 1) * width;
        if (scope.holds(after.col))
            first = rowStart + (after.col - scope.first) + 1;
        else
            first = after.col < scope.first ? rowStart : rowStart + width;
    }
    for (size_t k = 0; k < total; ++k) {
        const size_t p = (first + k) % total;
        const CellPos at{p / width + 1, scope.first + p % width};
        if (cellMatches(table.cell(at.row, at.col), options))
            return at;
    }
    return std::nullopt;
}

TableEdit planReplaceCell(const Table& table, const FindOptions& options,
                          std::string_view replacement, CellPos at) {
    requireReplaceable(options, replacement);
    TableEdit edit;
    edit.label = "Replace";
    if (at.row < 1 || at.row >= table.rowCount() || !scopeOf(table, options).holds(at.col))
        return edit;
    const std::string& cell = table.cell(at.row, at.col);
    if (!cellMatches(cell, options))
        return edit;
    std::string after = replaceInCell(cell, options, replacement);
    if (after != cell)
        edit.cells.push_back({at.row, at.col, cell, std::move(after)});
    return edit;
}

TableEdit planReplaceAll(const Table& table, const FindOptions& options,
                         std::string_view replacement) {
    requireReplaceable(options, replacement);
    TableEdit edit;
    edit.label = "Replace all";
    const Scope scope = scopeOf(table, options);
    for (size_t r = 1; r < table.rowCount(); ++r)
        for (size_t c = scope.first; c < scope.last; ++c) {
            const std::string& cell = table.cell(r, c);
            if (!cellMatches(cell, options))
                continue;
            std::string after = replaceInCell(cell, options, replacement);
            // A replacement equal to what it replaces changes nothing and is not counted.
            if (after != cell)
                edit.cells.push_back({r, c, cell, std::move(after)});
        }
    return edit;
}

size_t idColumn(const Table& table) {
    if (table.rowCount() == 0)
        return Table::npos;
    const size_t id = table.findColumn("ID");
    if (id != Table::npos)
        return id;
    for (size_t c = 0; c < table.colCount(); ++c)
        if (trimBlanks(table.cell(0, c)) == "skill_id")
            return c;
    return Table::npos;
}

size_t findRecordById(const Table& table, std::string_view id, size_t from) {
    const size_t column = idColumn(table);
    const size_t records = table.recordCount();
    id = trimBlanks(id);
    if (column == Table::npos || records == 0 || id.empty())
        return 0;
    const size_t start = from >= 1 && from <= records ? from - 1 : 0;
    for (size_t k = 0; k < records; ++k) {
        const size_t row = (start + k) % records + 1;
        if (trimBlanks(table.cell(row, column)) == id)
            return row;
    }
    return 0;
}

} // namespace aethrian
