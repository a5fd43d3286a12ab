#pragma once

#include "records/table.h"

#include <QRegularExpression>
#include <QString>

#include <cstddef>
#include <vector>

namespace aethrian::ui {

// One condition of a table filter, as the filter bar holds it.
struct FilterCondition {
    enum class Test {
        Contains,
        Equals,
        NotContains,
        Regex,
        NumberEquals,
        Less,
        LessOrEqual,
        Greater,
        GreaterOrEqual,
        Between, // text <= value <= upTo
    };
    static constexpr int kAnyColumn = -1;

    int column = kAnyColumn; // a table column, or any column ("does not contain": none of them)
    Test test = Test::Contains;
    QString text;
    QString upTo; // the upper end of Between
};

// Which records of a table pass a set of conditions combined with AND. A condition with an empty
// text passes every record; one that cannot be read (a bad regular expression, a bound that is not
// a number) passes every record too and reports why through problem().
//
// Matching is linear in the cells it reads: each condition is prepared once (a regular expression
// compiled once, bounds read once), a condition only visits the records that passed the ones
// before it, and the numbers of a column are read once and kept until the column changes. Texts
// ignore the case of the letters A to Z when asked, as the table's sort does.
class RowFilter {
  public:
    explicit RowFilter(const Table& table) : table_(table) {}

    // One flag per table row (row 0, the header, is never shown): true where the record passes.
    std::vector<char> match(const std::vector<FilterCondition>& conditions, bool ignoreCase);
    // Why a condition cannot be read, or "" when it can.
    static QString problem(const FilterCondition& condition);
    // A condition with a text to test that can be read: one that keeps records out.
    static bool inForce(const FilterCondition& condition);

    // The numbers kept for these columns are stale (their cells changed).
    void forgetColumns(size_t first, size_t last);
    // Every kept number is stale (rows moved, were added or the table was replaced).
    void forgetAll() { numbers_.clear(); }

  private:
    const std::vector<double>& numbers(size_t column);
    void narrow(const FilterCondition& c, bool ignoreCase, std::vector<char>& shown);

    const Table& table_;
    std::vector<std::vector<double>> numbers_; // per column; empty until a condition reads it
};

} // namespace aethrian::ui
