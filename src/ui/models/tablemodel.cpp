#include "ui/models/tablemodel.h"

#include "ui/messages.h"

#include <QColor>

namespace aethrian::ui {

TableModel::TableModel(Table& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int TableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || table_.rowCount() == 0)
        return 0;
    return static_cast<int>(table_.rowCount() - 1);
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.colCount());
}

bool TableModel::isDifference(int row, int column) const {
    if (column <= 0)
        return false;
    const size_t r = static_cast<size_t>(row) + 1;
    const size_t c = static_cast<size_t>(column);
    if (r < differing_.size() && c < differing_[r].size() && differing_[r][c])
        return true;
    const std::string& text = table_.cell(r, c);
    return text.size() > 5 && text.front() == '(' && text.back() == ')' &&
           text.find(" <> ") != std::string::npos;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (highlight_ && (role == Qt::BackgroundRole || role == DifferenceRole)) {
        const bool differs = isDifference(index.row(), index.column());
        if (role == DifferenceRole)
            return differs;
        if (differs)
            return QColor(255, 214, 102);
        const std::string& marker = table_.cell(static_cast<size_t>(index.row()) + 1, 0);
        if (marker == "<>")
            return QColor(255, 243, 214);
        if (marker == "N/A")
            return QColor(222, 226, 236);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    const std::string& text =
        table_.cell(static_cast<size_t>(index.row()) + 1, static_cast<size_t>(index.column()));
    // The full text as tooltip; the views show it only for a cell too narrow for it.
    if (role == Qt::ToolTipRole && text.empty())
        return {};
    return QString::fromUtf8(text);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (table_.rowCount() == 0 || section < 0 || static_cast<size_t>(section) >= table_.colCount())
        return {};
    const QString key = QString::fromUtf8(table_.cell(0, static_cast<size_t>(section)));
    // The field key in full, with its position, which the operations and the checks' logs use.
    if (role == Qt::ToolTipRole && key.trimmed().isEmpty())
        return {};
    if (role == Qt::ToolTipRole)
        return QStringLiteral("%1 (column %2)").arg(key.trimmed()).arg(section);
    return key;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !editable_)
        return false;
    const size_t row = static_cast<size_t>(index.row()) + 1;
    const size_t col = static_cast<size_t>(index.column());
    std::string text = value.toString().toStdString();
    if (table_.cell(row, col) == text)
        return true;
    if (!fitsInCell(text)) {
        showMessage(nullptr, QString::fromLatin1(kCellBreakMessage));
        return false;
    }
    TableEdit edit;
    edit.label = "Edit cell";
    edit.cells.push_back({row, col, table_.cell(row, col), std::move(text)});
    apply(std::move(edit));
    return true;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return editable_ ? base | Qt::ItemIsEditable : base;
}

void TableModel::reload(const std::function<void(Table&)>& fill) {
    beginResetModel();
    struct EndReset {
        TableModel* model;
        ~EndReset() { model->endResetModel(); }
    } guard{this};
    fill(table_);
    history_.clear();
    emit modifiedChanged();
}

void TableModel::markSaved() {
    history_.setClean();
    emit modifiedChanged();
}

void TableModel::apply(TableEdit edit) {
    if (edit.empty())
        return;
    carryOut(edit, false, [&] { applyEdit(table_, edit); });
    history_.push(std::move(edit));
    emit modifiedChanged();
}

bool TableModel::undo() {
    const TableEdit* edit = history_.nextUndo();
    if (!edit)
        return false;
    carryOut(*edit, true, [&] { history_.undo(table_); });
    emit modifiedChanged();
    return true;
}

bool TableModel::redo() {
    const TableEdit* edit = history_.nextRedo();
    if (!edit)
        return false;
    carryOut(*edit, false, [&] { history_.redo(table_); });
    emit modifiedChanged();
    return true;
}

// Announces `edit`, lets `run` apply it (forwards) or revert it (back), and ends the
// announcement, so every signal a view receives finds the table consistent.
void TableModel::carryOut(const TableEdit& edit, bool back, const std::function<void()>& run) {
    if (!edit.order.empty()) {
        beginResetModel();
        run();
        endResetModel();
        return;
    }
    if (!edit.appended.empty()) {
        const int first = back ? rowCount() - static_cast<int>(edit.appended.size()) : rowCount();
        const int last = first + static_cast<int>(edit.appended.size()) - 1;
        back ? beginRemoveRows({}, first, last) : beginInsertRows({}, first, last);
        run();
        back ? endRemoveRows() : endInsertRows();
    } else {
        run();
    }
    announceCells(edit);
}

// One dataChanged over the rectangle of the edit's cells, which already hold their new texts.
void TableModel::announceCells(const TableEdit& edit) {
    size_t top = table_.rowCount(), bottom = 0, left = table_.colCount(), right = 0;
    for (const CellChange& c : edit.cells) {
        top = std::min(top, c.row);
        bottom = std::max(bottom, c.row);
        left = std::min(left, c.col);
        right = std::max(right, c.col);
    }
    if (top > bottom || top == 0)
        return;
    emit dataChanged(index(static_cast<int>(top) - 1, static_cast<int>(left)),
                     index(static_cast<int>(bottom) - 1, static_cast<int>(right)));
}

} // namespace aethrian::ui
