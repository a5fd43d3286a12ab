#include "ui/tablestatus.h"

#include "app/numbers.h"
#include "editing/findreplace.h"
#include "ui/mainwindow.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

#include <cmath>

namespace aethrian::ui {

namespace {

QLabel* statusLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setContentsMargins(4, 0, 8, 0); // the bar itself leaves almost no room between its parts
    return l;
}

QString numberText(long double value, int digits) {
    if (!std::isfinite(value))
        return QStringLiteral("-");
    return QString::fromStdString(formatGeneral(value, digits, '.'));
}

} // namespace

NumberSummary summarizeSelection(const QTableView* view, const TableModel& model) {
    NumberSummary s;
    const QItemSelectionModel* selection = view->selectionModel();
    if (!selection)
        return s;
    const Table& table = model.table();
    const QAbstractItemModel* shown = view->model();
    for (const QItemSelectionRange& range : selection->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            // Rows map through a filter as whole rows: one mapping per row.
            const QModelIndex source = sourceIndexOf(view, shown->index(r, range.left()));
            if (!source.isValid())
                continue;
            const size_t row = static_cast<size_t>(source.row()) + 1;
            for (int c = range.left(); c <= range.right(); ++c) {
                ++s.cells;
                if (const auto v = tryReadCellNumber(table.text(row, static_cast<size_t>(c)))) {
                    ++s.numbers;
                    s.sum += *v;
                }
            }
        }
    }
    return s;
}

TableStatus::TableStatus(MainWindow* window)
    : QObject(window), window_(window), targets_(tableTargets(window)) {
    QStatusBar* bar = window->statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    file_ = statusLabel(QStringLiteral("StatusFile"), bar);
    records_ = statusLabel(QStringLiteral("StatusRecords"), bar);
    cell_ = statusLabel(QStringLiteral("StatusCell"), bar);
    selection_ = statusLabel(QStringLiteral("StatusSelection"), bar);
    modified_ = statusLabel(QStringLiteral("StatusModified"), bar);
    QFont bold = modified_->font();
    bold.setBold(true);
    modified_->setFont(bold);
    bar->addWidget(file_);
    bar->addWidget(records_);
    bar->addWidget(cell_, 1);
    bar->addPermanentWidget(selection_);
    bar->addPermanentWidget(modified_);

    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &TableStatus::refresh);
    for (const TableTarget& t : targets_) {
        TableModel* m = t.model;
        connect(m, &TableModel::modifiedChanged, this, &TableStatus::schedule);
        connect(m, &QAbstractItemModel::modelReset, this, &TableStatus::schedule);
        connect(m, &QAbstractItemModel::rowsInserted, this, &TableStatus::schedule);
        connect(m, &QAbstractItemModel::rowsRemoved, this, &TableStatus::schedule);
        connect(m, &QAbstractItemModel::dataChanged, this, &TableStatus::schedule);
    }
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
        connect(tabs, &QTabWidget::currentChanged, this, &TableStatus::schedule);
    schedule();
}

// Follows the selection model of the table on screen; a view gets a new one when its model is
// replaced, so this is checked at every update.
void TableStatus::watchSelection(const TableTarget* target) {
    QItemSelectionModel* now = target ? target->view->selectionModel() : nullptr;
    if (now == watched_)
        return;
    if (watched_)
        disconnect(watched_, nullptr, this, nullptr);
    watched_ = now;
    if (now) {
        connect(now, &QItemSelectionModel::currentChanged, this, &TableStatus::schedule);
        connect(now, &QItemSelectionModel::selectionChanged, this, &TableStatus::schedule);
    }
}

QString TableStatus::cellText(const TableTarget& t) const {
    const QModelIndex at = sourceIndexOf(t.view, t.view->currentIndex());
    if (!at.isValid())
        return {};
    const Table& table = t.model->table();
    const size_t row = static_cast<size_t>(at.row()) + 1;
    const QString name = QString::fromUtf8(table.text(row, 1));
    const size_t idCol = idColumn(table);
    const QString id =
        idCol == Table::npos ? QString() : QString::fromUtf8(table.text(row, idCol)).trimmed();
    const QString key =
        QString::fromUtf8(table.text(0, static_cast<size_t>(at.column()))).trimmed();
    QString text = name.isEmpty() ? QStringLiteral("Record %1").arg(row)
                                  : QStringLiteral("Record %1").arg(name);
    if (!id.isEmpty())
        text += QStringLiteral(", ID %1").arg(id);
    if (!key.isEmpty())
        text += QStringLiteral(", field %1").arg(key);
    return text;
}

void TableStatus::refresh() {
    const TableTarget* t = currentTarget(targets_);
    watchSelection(t);
    for (QLabel* l : {file_, records_, cell_, selection_, modified_})
        l->setVisible(t != nullptr);
    if (!t)
        return;
    const QString path = t->filePath();
    file_->setText(path.isEmpty() ? QStringLiteral("(no file)") : QFileInfo(path).fileName());
    file_->setToolTip(path);
    const size_t records = t->model->table().recordCount();
    records_->setText(records == 1 ? QStringLiteral("1 record")
                                   : QStringLiteral("%1 records").arg(records));
    cell_->setText(cellText(*t));
    modified_->setText(t->model->modified() ? QStringLiteral("Modified") : QString());
    const NumberSummary s = summarizeSelection(t->view, *t->model);
    if (s.cells > 1 && s.numbers > 0)
        selection_->setText(QStringLiteral("Count %1  Sum %2  Average %3")
                                .arg(s.numbers)
                                .arg(numberText(s.sum, 15),
                                     numberText(s.sum / static_cast<long double>(s.numbers), 10)));
    else
        selection_->clear();
}

} // namespace aethrian::ui
