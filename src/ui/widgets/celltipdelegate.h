#pragma once

#include <QStyledItemDelegate>

namespace aethrian::ui {

// The tables' item delegate: a cell's tooltip (its full text, from the model) shows only while the
// cell is too narrow for the text, so hovering a table that shows everything stays quiet.
class CellTipDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // True when the text of `index` is wider than the room `option` gives it.
    bool isCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace aethrian::ui
