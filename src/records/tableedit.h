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
    std::string label;                // "Change values", "Sort", ...
    std::vector<CellChange> cells;    // applied in order; undone in reverse
    std::vector<size_t> order;        // when not empty: new data row i was old data row order[i]
    std::vector<Table::Row> appended; // rows added at the end by the action

    bool empty() const { return cells.empty() && order.empty() && appended.empty(); }
};

// The one place an edit is carried out: table operations only plan. Apply runs the row order,
// then the cells (in the new places), then appends; revert runs them backwards. Redo of an edit
// that appended rows appends them again.
void applyEdit(Table& table, const TableEdit& edit);
void revertEdit(Table& table, const TableEdit& edit);

// Undo history of one table: one entry per user action, at most `capacity` entries; a new
// action clears the redo side. A load starts a fresh history (clear()). The clean point is the
// place in the history where the table matched its file (loaded or last saved): the table is
// modified whenever the history stands elsewhere, so undoing every edit makes it clean again.
// A clean point that falls off the bounded history, or onto a dropped redo side, is never
// reached again.
class UndoStack {
  public:
    explicit UndoStack(size_t capacity = 100) : capacity_(capacity) {}

    // Records an edit already applied to the table.
    void push(TableEdit edit);
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < edits_.size(); }
    // The edit the next undo or redo would carry out, or null.
    const TableEdit* nextUndo() const { return canUndo() ? &edits_[position_ - 1] : nullptr; }
    const TableEdit* nextRedo() const { return canRedo() ? &edits_[position_] : nullptr; }
    // Reverts the last action; returns it (so the caller knows what to repaint).
    const TableEdit* undo(Table& table);
    const TableEdit* redo(Table& table);
    // Empties the history; the table as it is now is clean.
    void clear();
    void setClean() { clean_ = position_; }
    bool isClean() const { return clean_ == position_; }
    size_t size() const { return edits_.size(); }

  private:
    static constexpr size_t kNever = static_cast<size_t>(-1);

    std::deque<TableEdit> edits_;
    size_t position_ = 0; // edits_[0, position_) are done, the rest undone
    size_t clean_ = 0;    // the position that matches the file, or kNever
    size_t capacity_;
};

} // namespace aethrian
