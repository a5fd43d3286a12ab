#include "records/tableedit.h"

namespace aethrian {

namespace {

std::vector<size_t> inverse(const std::vector<size_t>& order) {
    std::vector<size_t> inv(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        inv[order[i]] = i;
    return inv;
}

} // namespace

void applyEdit(Table& table, const TableEdit& edit) {
    if (!edit.order.empty())
        table.permuteRows(edit.order);
    for (const auto& c : edit.cells)
        table.setCell(c.row, c.col, c.after);
    for (const auto& row : edit.appended)
        table.appendRow(row);
}

void revertEdit(Table& table, const TableEdit& edit) {
    for (size_t i = 0; i < edit.appended.size(); ++i)
        table.removeLastRow();
    for (auto it = edit.cells.rbegin(); it != edit.cells.rend(); ++it)
        table.setCell(it->row, it->col, it->before);
    if (!edit.order.empty())
        table.permuteRows(inverse(edit.order));
}

void UndoStack::push(TableEdit edit) {
    if (edit.empty())
        return;
    if (clean_ != kNever && clean_ > position_)
        clean_ = kNever; // the redo side it stood on is dropped
    edits_.erase(edits_.begin() + static_cast<long>(position_), edits_.end());
    edits_.push_back(std::move(edit));
    if (edits_.size() > capacity_) {
        edits_.pop_front();
        if (clean_ != kNever)
            clean_ = clean_ == 0 ? kNever : clean_ - 1;
    }
    position_ = edits_.size();
}

const TableEdit* UndoStack::undo(Table& table) {
    if (!canUndo())
        return nullptr;
    const TableEdit& edit = edits_[--position_];
    revertEdit(table, edit);
    return &edit;
}

const TableEdit* UndoStack::redo(Table& table) {
    if (!canRedo())
        return nullptr;
    const TableEdit& edit = edits_[position_++];
    applyEdit(table, edit);
    return &edit;
}

void UndoStack::clear() {
    edits_.clear();
    position_ = 0;
    clean_ = 0;
}

} // namespace aethrian
