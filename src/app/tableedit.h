#pragma once

#include "records/table.h"

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace aethrian {

struct CellChange {
    size_t row = 0;
    size_t col = 0;
    std::string before;
    std::string after;
};

// What one user action changed in a table, enough to swap it back and forth: cell texts, a
// reordering of the data rows, rows appended at the end, or a change of the column count.
// It stores what changed, never a copy of the table.
struct TableEdit {
    std::string label;                 // "Change values", "Sort", ...
    std::vector<CellChange> cells;     // applied in order; undone in reverse
    std::vector<size_t> order;         // when not empty: new data row i was old data row order[i]
    std::vector<Table::Row> appended;  // rows added at the end by the action

    bool empty() const { return cells.empty() && order.empty() && appended.empty(); }
};

// Applies or reverts an edit on `table`. Redo of an edit that appended rows appends them again.
void applyEdit(Table& table, const TableEdit& edit);
void revertEdit(Table& table, const TableEdit& edit);

// Builds the edit that turns the texts of `col` from `before` into what the table holds now
// (only rows that differ are kept).
TableEdit columnEdit(const Table& table, size_t col, const std::vector<std::string>& before,
                     std::string label);

// Undo history of one table: one entry per user action, at most `capacity` entries; a new
// action clears the redo side. A load starts a fresh history (clear()).
class UndoStack {
public:
    explicit UndoStack(size_t capacity = 100) : capacity_(capacity) {}

    void push(TableEdit edit);
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < edits_.size(); }
    // Reverts the last action; returns it (so the caller knows what to repaint).
    const TableEdit* undo(Table& table);
    const TableEdit* redo(Table& table);
    void clear();
    size_t size() const { return edits_.size(); }

private:
    std::deque<TableEdit> edits_;
    size_t position_ = 0; // edits_[0, position_) are done, the rest undone
    size_t capacity_;
};

} // namespace aethrian
