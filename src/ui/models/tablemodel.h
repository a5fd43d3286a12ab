#pragma once

#include "app/tableedit.h"
#include "records/table.h"

#include <QAbstractTableModel>

#include <functional>

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
    // Records an action that already changed the table, as one undo step, and repaints.
    void commit(TableEdit edit);
    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }

    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

signals:
    void modifiedChanged();

private:
    bool step(bool back);
    void refreshAfter(const TableEdit& edit);

    Table& table_;
    UndoStack history_;
    bool modified_ = false;
    bool editable_ = true;
    bool highlight_ = false;
};

} // namespace aethrian::ui
