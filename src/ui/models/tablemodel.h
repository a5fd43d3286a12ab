#pragma once

#include "records/table.h"
#include "records/tableedit.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

namespace aethrian::ui {

// Qt view of a core Table. Row 0 of the table is the view's horizontal header; view row r is table
// row r + 1. Nothing is stored per cell: data() converts only the cell asked for. Every change made
// through the model is one undo step; a reload starts a fresh history.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TableModel(Table& table, QObject* parent = nullptr);

    // True for a cell of a comparison that holds two differing values.
    static constexpr int DifferenceRole = Qt::UserRole + 1;

    void setEditable(bool editable) { editable_ = editable; }
    // Comparison results: differing cells and marked rows get their own background.
    void setHighlightDifferences(bool on) { highlight_ = on; }
    // Which cells of a comparison differ, by grid row and column, as the comparison found them: an
    // x-rate cell shows a ratio instead of both values, so its text cannot tell.
    void setDifferingCells(std::vector<std::vector<bool>> cells) { differing_ = std::move(cells); }
    bool isDifference(int row, int column) const;

    Table& table() { return table_; }
    const Table& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces the whole content: `fill` rewrites the table between the model's reset signals.
    void reload(const std::function<void(Table&)>& fill);
    // Carries out a planned edit as one undo step: the views are told first (a reset for a new row
    // order, an insertion for appended rows), the table changes, and one dataChanged covers the
    // changed cells once they hold their new texts.
    void apply(TableEdit edit);
    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }

    // Modified while the history stands away from where the table matched its file.
    bool modified() const { return !history_.isClean(); }
    // The table now matches its file (it was just saved).
    void markSaved();

  signals:
    // The modified state, or what can be undone or redone, may have changed.
    void modifiedChanged();

  private:
    void carryOut(const TableEdit& edit, bool back, const std::function<void()>& run);
    void announceCells(const TableEdit& edit);

    Table& table_;
    UndoStack history_;
    bool editable_ = true;
    bool highlight_ = false;
    std::vector<std::vector<bool>> differing_;
};

} // namespace aethrian::ui
