#include "records/tablesort.h"

#include "app/numbers.h"
#include "records/recordplace.h"

#include <algorithm>
#include <optional>

namespace aethrian {

SortRule npcSortRule(size_t column) {
    return column <= 2 ? SortRule::TextNoCase : SortRule::ByValue;
}
SortRule itemSortRule(size_t column) {
    return column == 3 ? SortRule::Numeric : SortRule::TextNoCase;
}

namespace {

struct Key {
    std::string text; // the cell after dotRem (upper-cased for TextNoCase)
    std::optional<std::int64_t> whole;
    std::optional<long double> number;
};

bool less(const Key& a, const Key& b, SortRule rule) {
    switch (rule) {
    case SortRule::Numeric:
        return *a.number < *b.number;
    case SortRule::ByValue:
        if (a.whole && b.whole)
            return *a.whole < *b.whole;
        if (a.number && b.number)
            return *a.number < *b.number;
        [[fallthrough]];
    case SortRule::TextNoCase:
        return std::lexicographical_compare(
            a.text.begin(), a.text.end(), b.text.begin(), b.text.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
    }
    return false;
}

// The editor's quicksort (middle pivot, exchanges from both ends), on indices: rows with equal
// keys end where this exact exchange sequence puts them, which Find duplicates' lines show. The
// scans are bounded by the range, since the by-value rule is not a strict order on mixed columns
// and could otherwise run past either end; on a strict order the bounds never cut a scan short.
// Independent ranges wait on a stack instead of in nested calls, so no input can exhaust the
// call stack; the order they are sorted in does not change the result.
void quickSort(std::vector<size_t>& idx, const std::vector<Key>& keys, SortRule rule) {
    std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>> ranges;
    if (idx.size() > 1)
        ranges.emplace_back(0, static_cast<std::ptrdiff_t>(idx.size()) - 1);
    while (!ranges.empty()) {
        auto [lo, hi] = ranges.back();
        ranges.pop_back();
        while (lo < hi) {
            std::ptrdiff_t i = lo, j = hi;
            const Key& pivot = keys[idx[static_cast<size_t>(lo + (hi - lo) / 2)]];
            do {
                while (i < hi && less(keys[idx[static_cast<size_t>(i)]], pivot, rule))
                    ++i;
                while (j > lo && less(pivot, keys[idx[static_cast<size_t>(j)]], rule))
                    --j;
                if (i <= j) {
                    if (i != j)
                        std::swap(idx[static_cast<size_t>(i)], idx[static_cast<size_t>(j)]);
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (lo < j)
                ranges.emplace_back(lo, j);
            lo = i;
        }
    }
}

} // namespace

std::vector<size_t> sortOrder(const Table& table, size_t column, SortRule rule, char divider,
                              bool roundTrip, std::vector<size_t> start) {
    const size_t n = table.recordCount();
    if (start.empty()) {
        start.resize(n);
        for (size_t i = 0; i < n; ++i)
            start[i] = i;
    }
    if (column >= table.colCount() || n == 0)
        return start;
    std::vector<Key> keys(n);
    for (size_t i = 0; i < n; ++i) {
        Key& k = keys[i];
        k.text = roundTrip ? dotRem(table.cell(i + 1, column), divider) : table.cell(i + 1, column);
        if (rule == SortRule::Numeric)
            k.number =
                readingCell(table, i + 1, column, [&] { return parseFloat(k.text, divider); });
        else if (rule == SortRule::ByValue) {
            k.whole = tryParseInt64(k.text);
            k.number = tryParseFloat(k.text, divider);
        } else {
            for (char& c : k.text)
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 'a' + 'A');
        }
    }
    quickSort(start, keys, rule);
    return start;
}

TableEdit sortTable(const Table& table, size_t column, SortRule rule, char divider) {
    TableEdit edit;
    edit.label = "Sort";
    if (column >= table.colCount() || table.recordCount() == 0)
        return edit;
    std::vector<size_t> order = sortOrder(table, column, rule, divider, true);
    const size_t n = order.size();
    bool moved = false;
    for (size_t i = 0; i < n; ++i)
        moved = moved || order[i] != i;
    // The dotRem / dotAdd round trip, in the rows' new places.
    for (size_t i = 0; i < n; ++i) {
        const std::string& old = table.cell(order[i] + 1, column);
        std::string now = dotAdd(dotRem(old, divider), divider);
        if (now != old)
            edit.cells.push_back({i + 1, column, old, std::move(now)});
    }
    if (moved)
        edit.order = std::move(order);
    return edit;
}

size_t findName(const Table& table, std::string_view text, size_t fromRow) {
    for (size_t r = std::max<size_t>(fromRow, 1); r < table.rowCount(); ++r)
        if (table.cell(r, 1).find(text) != std::string::npos)
            return r;
    return 0;
}

} // namespace aethrian
