#include "app/tablesort.h"

#include "app/numbers.h"

#include <algorithm>
#include <optional>

namespace aethrian {

SortRule npcSortRule(size_t column) { return column <= 2 ? SortRule::TextNoCase : SortRule::ByValue; }
SortRule itemSortRule(size_t column) { return column == 3 ? SortRule::Numeric : SortRule::TextNoCase; }

namespace {

struct Key {
    std::string text; // the cell after dotRem (upper-cased for TextNoCase)
    std::optional<std::int64_t> whole;
    std::optional<long double> number;
};

bool less(const Key& a, const Key& b, SortRule rule) {
    switch (rule) {
    case SortRule::Numeric: return *a.number < *b.number;
    case SortRule::ByValue:
        if (a.whole && b.whole)
            return *a.whole < *b.whole;
        if (a.number && b.number)
            return *a.number < *b.number;
        [[fallthrough]];
    case SortRule::TextNoCase:
        return std::lexicographical_compare(a.text.begin(), a.text.end(), b.text.begin(), b.text.end(),
                                            [](char x, char y) {
                                                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                            });
    }
    return false;
}

// A stable merge sort of indices that only asks `less` and never leaves the range, whatever it
// answers: the by-value rule is not a strict order on mixed columns.
void mergeSort(std::vector<size_t>& idx, const std::vector<Key>& keys, SortRule rule) {
    std::vector<size_t> tmp(idx.size());
    for (size_t width = 1; width < idx.size(); width *= 2) {
        for (size_t lo = 0; lo < idx.size(); lo += 2 * width) {
            const size_t mid = std::min(lo + width, idx.size());
            const size_t hi = std::min(lo + 2 * width, idx.size());
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                tmp[k++] = less(keys[idx[j]], keys[idx[i]], rule) ? idx[j++] : idx[i++];
            while (i < mid)
                tmp[k++] = idx[i++];
            while (j < hi)
                tmp[k++] = idx[j++];
        }
        idx.swap(tmp);
    }
}

} // namespace

TableEdit sortTable(Table& table, size_t column, SortRule rule, char divider, bool roundTrip) {
    TableEdit edit;
    edit.label = "Sort";
    const size_t n = table.recordCount();
    if (column >= table.colCount() || n == 0)
        return edit;
    std::vector<Key> keys(n);
    for (size_t i = 0; i < n; ++i) {
        Key& k = keys[i];
        k.text = roundTrip ? dotRem(table.cell(i + 1, column), divider) : table.cell(i + 1, column);
        if (rule == SortRule::Numeric)
            k.number = parseFloat(k.text, divider); // throws before anything has changed
        else if (rule == SortRule::ByValue) {
            k.whole = tryParseInt64(k.text);
            k.number = tryParseFloat(k.text, divider);
        } else {
            for (char& c : k.text)
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 'a' + 'A');
        }
    }
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = i;
    mergeSort(order, keys, rule);
    bool moved = false;
    for (size_t i = 0; i < n; ++i)
        moved = moved || order[i] != i;
    if (moved)
        edit.order = order;
    // The dotRem / dotAdd round trip, in the rows' new places.
    for (size_t i = 0; i < n && roundTrip; ++i) {
        const std::string& old = table.cell(order[i] + 1, column);
        std::string now = dotAdd(dotRem(old, divider), divider);
        if (now != old)
            edit.cells.push_back({i + 1, column, old, std::move(now)});
    }
    applyEdit(table, edit);
    return edit;
}

size_t findName(const Table& table, std::string_view text, size_t fromRow) {
    for (size_t r = std::max<size_t>(fromRow, 1); r < table.rowCount(); ++r)
        if (table.cell(r, 1).find(text) != std::string::npos)
            return r;
    return 0;
}

} // namespace aethrian
