#include "ui/widgets/tableview.h"

#include <QHeaderView>
#include <QScrollBar>

namespace aethrian::ui {

namespace {

bool isFrozenHeader(const QString& header) {
    return header == QLatin1String("Name") || header == QLatin1String("Type") ||
           header == QLatin1String("ID");
}

} // namespace

TableView::TableView(QWidget* parent) : QTableView(parent), frozen_(new QTableView(this)) {
    frozen_->hide();
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->verticalHeader()->hide();
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setHorizontalScrollMode(ScrollPerPixel);
    // A line on the right edge shows where the frozen columns end.
    frozen_->setStyleSheet(QStringLiteral("QTableView { border: none; border-right: 2px solid "
                                          "palette(mid); }"));
    viewport()->stackUnder(frozen_);

    // The two views scroll vertically as one.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(frozen_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    // A width changed in either header changes it in both.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column < frozenCount_) {
                    frozen_->setColumnWidth(column, size);
                    updateFrozenGeometry();
                }
            });
    connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column < frozenCount_)
                    setColumnWidth(column, size);
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
    // The right-click menu, double-clicks and activation over the frozen columns are this view's.
    frozen_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(frozen_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        emit customContextMenuRequested(
            viewport()->mapFromGlobal(frozen_->viewport()->mapToGlobal(pos)));
    });
    connect(frozen_, &QAbstractItemView::doubleClicked, this, &QAbstractItemView::doubleClicked);
    connect(frozen_, &QAbstractItemView::activated, this, &QAbstractItemView::activated);
}

void TableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    frozen_->setObjectName(objectName() + QStringLiteral("Frozen"));
    frozen_->setAccessibleName(accessibleName() + QStringLiteral(", frozen columns"));
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    if (!model)
        return;
    // Connected after both views, so the frozen columns are counted on the new content.
    connect(model, &QAbstractItemModel::modelReset, this, &TableView::updateFrozenColumns);
    connect(model, &QAbstractItemModel::columnsInserted, this, &TableView::updateFrozenColumns);
    connect(model, &QAbstractItemModel::columnsRemoved, this, &TableView::updateFrozenColumns);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &TableView::updateFrozenColumns);
    updateFrozenColumns();
}

void TableView::setSelectionModel(QItemSelectionModel* selectionModel) {
    QTableView::setSelectionModel(selectionModel);
    // setModel() passes through here before the frozen view has the new model; it follows there.
    if (selectionModel && frozen_->model() == selectionModel->model())
        frozen_->setSelectionModel(selectionModel);
}

void TableView::setFreezeEnabled(bool on) {
    freeze_ = on;
    if (on) // whole pixels, so a column can come out from under the frozen ones
        setHorizontalScrollMode(ScrollPerPixel);
    // Settings the page gave this view after it was built.
    frozen_->setSelectionMode(selectionMode());
    frozen_->setSelectionBehavior(selectionBehavior());
    frozen_->setEditTriggers(editTriggers());
    frozen_->setWordWrap(wordWrap());
    frozen_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    updateFrozenColumns();
}

void TableView::updateFrozenColumns() {
    QAbstractItemModel* m = model();
    int count = 0;
    if (m) {
        const int columns = m->columnCount();
        for (int c = 1; c < columns && c <= 3; ++c) {
            if (!isFrozenHeader(m->headerData(c, Qt::Horizontal).toString()))
                break;
            count = c + 1; // with the margin column before them
        }
        // After a reset the frozen view shows every column again.
        for (int c = 0; c < columns; ++c)
            frozen_->setColumnHidden(c, c >= count);
        for (int c = 0; c < count; ++c)
            frozen_->setColumnWidth(c, columnWidth(c));
    }
    frozenCount_ = count;
    frozen_->setVisible(frozenShown());
    updateFrozenGeometry();
}

int TableView::frozenWidth() const {
    int width = 0;
    for (int c = 0; c < frozenCount_; ++c)
        if (!isColumnHidden(c))
            width += columnWidth(c);
    return width;
}

void TableView::updateFrozenGeometry() {
    if (!frozenShown())
        return;
    const int left = frameWidth() + (verticalHeader()->isVisible() ? verticalHeader()->width() : 0);
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    // The row height may be set after freezing was turned on (it follows the font).
    const int rowHeight = verticalHeader()->defaultSectionSize();
    if (frozen_->verticalHeader()->defaultSectionSize() != rowHeight)
        frozen_->verticalHeader()->setDefaultSectionSize(rowHeight);
    // The border on the right edge is drawn outside the columns.
    frozen_->setGeometry(left, frameWidth(), frozenWidth() + 2,
                         viewport()->height() + horizontalHeader()->height());
}

void TableView::showRows(const std::vector<char>* shown) {
    const int rows = model() ? model()->rowCount() : 0;
    // Without updates each row hides in constant time; Qt lays out and repaints once at the end.
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    for (int r = 0; r < rows; ++r) {
        const size_t at = static_cast<size_t>(r) + 1;
        const bool hide = shown && (at >= shown->size() || !(*shown)[at]);
        if (isRowHidden(r) != hide) {
            setRowHidden(r, hide);
            frozen_->setRowHidden(r, hide);
        }
    }
    setUpdatesEnabled(updates);
}

void TableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!frozenShown() || !index.isValid()) {
        QTableView::scrollTo(index, hint);
        return;
    }
    QScrollBar* bar = horizontalScrollBar();
    const int kept = bar->value();
    QTableView::scrollTo(index, hint);
    // A frozen column is always in sight: only the rows scroll to it.
    if (index.column() < frozenCount_) {
        bar->setValue(kept);
        return;
    }
    // Any other column comes out from under the frozen ones.
    const int covered = frozenWidth() - columnViewportPosition(index.column());
    if (covered > 0)
        bar->setValue(bar->value() - covered);
}

void TableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

void TableView::updateGeometries() {
    QTableView::updateGeometries();
    updateFrozenGeometry();
}

} // namespace aethrian::ui
