#include "ui/pages/tablepage.h"

#include "app/errors.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/celltipdelegate.h"
#include "ui/widgets/filterbar.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/named.h"
#include "ui/widgets/pathbox.h"
#include "ui/widgets/tableview.h"

#include <QAbstractProxyModel>
#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace aethrian::ui {

namespace {

// Keeps a view's fixed row height in step with its font.
class RowHeightKeeper : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FontChange)
            if (auto* view = qobject_cast<QTableView*>(watched))
                view->verticalHeader()->setDefaultSectionSize(tableRowHeight(view->font()));
        return QObject::eventFilter(watched, event);
    }
};

// The proxies between a view and its TableModel, outermost first.
std::vector<const QAbstractProxyModel*> proxyChain(const QTableView* view,
                                                   const QAbstractItemModel** source) {
    std::vector<const QAbstractProxyModel*> chain;
    const QAbstractItemModel* model = view->model();
    while (auto* proxy = qobject_cast<const QAbstractProxyModel*>(model)) {
        chain.push_back(proxy);
        model = proxy->sourceModel();
    }
    *source = model;
    return chain;
}

} // namespace

TableView* makeTableView(const QString& objectName, const QString& accessibleName,
                         TableModel* model, QWidget* parent) {
    auto* view = withAccessibleName(new TableView(parent), accessibleName);
    view->setObjectName(objectName);
    view->setModel(model);
    view->verticalHeader()->hide();
    // Fixed row height: never measure rows, so 20,000 rows cost nothing to lay out.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(tableRowHeight(view->font()));
    view->installEventFilter(new RowHeightKeeper(view));
    view->setItemDelegate(new CellTipDelegate(view));
    view->horizontalHeader()->setDefaultSectionSize(100);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setTabKeyNavigation(true);
    view->setWordWrap(false);
    return view;
}

void setFirstColumnWidths(QTableView* view, std::initializer_list<int> widths) {
    int col = 0;
    for (int w : widths)
        view->setColumnWidth(col++, w);
}

int tableRowHeight(const QFont& font) {
    return QFontMetrics(font).height() + 6;
}

void fitColumnWidths(QTableView* view, int firstColumn) {
    constexpr int kSampleRows = 100;
    constexpr int kMaxWidth = 320;
    constexpr int kMinWidth = 36;
    const QAbstractItemModel* model = view->model();
    const int rows = model->rowCount();
    const int step = std::max(1, rows / kSampleRows);
    const QFontMetrics cellMetrics(view->font());
    const QFontMetrics headerMetrics(view->horizontalHeader()->font());
    // Room for the cell's text margins and the header's sort indicator and frame.
    const int padding = cellMetrics.averageCharWidth() * 2 + 4;
    for (int c = firstColumn; c < model->columnCount(); ++c) {
        int width = headerMetrics.horizontalAdvance(
            model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        for (int r = 0; r < rows && width < kMaxWidth; r += step)
            width = std::max(width, cellMetrics.horizontalAdvance(
                                        model->index(r, c).data(Qt::DisplayRole).toString()));
        view->setColumnWidth(c, std::clamp(width + padding, kMinWidth, kMaxWidth));
    }
}

QModelIndex viewIndexOf(const QTableView* view, int sourceRow, int column) {
    const QAbstractItemModel* source = nullptr;
    const std::vector<const QAbstractProxyModel*> chain = proxyChain(view, &source);
    QModelIndex index = source->index(sourceRow, column);
    for (auto proxy = chain.rbegin(); proxy != chain.rend() && index.isValid(); ++proxy)
        index = (*proxy)->mapFromSource(index);
    return index;
}

QModelIndex sourceIndexOf(const QTableView* view, const QModelIndex& viewIndex) {
    const QAbstractItemModel* source = nullptr;
    QModelIndex index = viewIndex;
    for (const QAbstractProxyModel* proxy : proxyChain(view, &source))
        index = proxy->mapToSource(index);
    return index;
}

bool selectSourceCell(QTableView* view, int sourceRow, int column) {
    const QModelIndex at = viewIndexOf(view, sourceRow, column);
    if (!at.isValid())
        return false;
    view->setCurrentIndex(at);
    view->selectionModel()->select(at, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(at);
    return true;
}

bool mayDropEdits(QWidget* parent, const TableModel& model, const QString& file,
                  const std::function<bool()>& save) {
    if (!model.modified())
        return true;
    const QString detail = file.isEmpty()
                               ? QStringLiteral("The table was not loaded from a file.")
                               : QStringLiteral("The table holds edits to %1.").arg(file);
    switch (askSaveDiscardCancel(parent, QStringLiteral("Discard unsaved changes?"), detail)) {
    case SaveChoice::Save:
        return save();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

bool saveTableAs(QWidget* parent, QString& filePath, PathBox* box,
                 const std::function<bool(const QString&)>& write) {
    FileRequest request{true, kTextFilter, QStringLiteral("txt")};
    request.suggestedPath = filePath.isEmpty() ? box->text() : filePath;
    const QString file = chooseFile(parent, request);
    if (file.isEmpty() || !write(file))
        return false;
    // Later Saves and the box name the file the table now belongs to.
    filePath = file;
    box->setText(file);
    box->remember();
    return true;
}

TablePage::TablePage(const TablePageNames& names, TableFormat format, TableModel* model,
                     QWidget* parent)
    : QWidget(parent), format_(std::move(format)), model_(model) {
    auto* group = new QGroupBox(names.group, this);
    pathBox_ = new PathBox(names.pathBox, names.subject + QStringLiteral(" file"), group);
    sizeLabel_ = label(names.sizeLabel, QStringLiteral("<bytes>"), group);
    loadBtn_ = button(names.load, QStringLiteral("Load"), group);
    haltBtn_ = button(names.halt, QStringLiteral("X"), group);
    haltBtn_->setFixedWidth(24);
    TableView* tableView = makeTableView(names.grid, names.table, model_, group);
    view_ = tableView;
    setFirstColumnWidths(view_, {35, 136, 99, 101});
    tableView->setFreezeEnabled(true);
    filterBar_ = new FilterBar(model_, tableView, this, group);

    auto* bar = new QHBoxLayout;
    bar->addWidget(pathBox_, 1);
    bar->addWidget(sizeLabel_);
    bar->addWidget(loadBtn_);
    bar->addWidget(haltBtn_);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(bar);
    groupLayout->addWidget(filterBar_);
    groupLayout->addWidget(view_, 1);

    auto* lower = new QWidget(this);
    auto* lastReadCaption = new QLabel(QStringLiteral("Last Read:"), lower);
    QFont bold = lastReadCaption->font();
    bold.setBold(true);
    lastReadCaption->setFont(bold);
    lastRead_ = label(names.lastRead, QStringLiteral("<name>"), lower);
    auto* hint = new QLabel(QStringLiteral("Right Click on the table to open the popup"), lower);
    auto* undoBtn = button(names.grid + QStringLiteral("Undo"), QStringLiteral("Undo"), lower);
    auto* redoBtn = button(names.grid + QStringLiteral("Redo"), QStringLiteral("Redo"), lower);
    auto* saveHereBtn = button(names.grid + QStringLiteral("Save"), QStringLiteral("Save"), lower);
    saveHereBtn->setToolTip(
        QStringLiteral("Writes the table back to the file it came from (Ctrl+S)"));
    saveBtn_ = button(names.save, QStringLiteral("Save as"), lower);
    auto* lastBar = new QHBoxLayout;
    lastBar->addWidget(lastReadCaption);
    lastBar->addWidget(lastRead_);
    lastBar->addStretch(1);
    lastBar->addWidget(hint);
    lastBar->addStretch(1);
    lastBar->addWidget(undoBtn);
    lastBar->addWidget(redoBtn);
    lastBar->addWidget(saveHereBtn);
    lastBar->addWidget(saveBtn_);
    auto* logGroup = new QGroupBox(QStringLiteral("Log"), lower);
    log_ = new LogList(names.log, names.subject + QStringLiteral(" log"), logGroup);
    auto* logLayout = new QVBoxLayout(logGroup);
    logLayout->addWidget(log_);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addLayout(lastBar);
    lowerLayout->addWidget(logGroup, 1);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(group);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    // Undo and redo act while the focus is anywhere on this page.
    auto* undoAction = new QAction(QStringLiteral("Undo"), this);
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* redoAction = new QAction(QStringLiteral("Redo"), this);
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* saveAction = new QAction(QStringLiteral("Save"), this);
    saveAction->setObjectName(names.grid + QStringLiteral("SaveAction"));
    saveAction->setShortcut(QKeySequence::Save);
    saveAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(undoAction);
    addAction(redoAction);
    addAction(saveAction);
    connect(saveAction, &QAction::triggered, this, &TablePage::save);
    connect(saveHereBtn, &QPushButton::clicked, this, &TablePage::save);
    connect(undoAction, &QAction::triggered, this, [this] { model_->undo(); });
    connect(redoAction, &QAction::triggered, this, [this] { model_->redo(); });
    connect(undoBtn, &QPushButton::clicked, this, [this] { model_->undo(); });
    connect(redoBtn, &QPushButton::clicked, this, [this] { model_->redo(); });
    // The buttons offer only what the history holds.
    const auto updateHistoryButtons = [this, undoBtn, redoBtn] {
        undoBtn->setEnabled(model_->canUndo());
        redoBtn->setEnabled(model_->canRedo());
    };
    connect(model_, &TableModel::modifiedChanged, this, updateHistoryButtons);
    updateHistoryButtons();

    connect(loadBtn_, &QPushButton::clicked, this, &TablePage::LoadbtnClick);
    connect(saveBtn_, &QPushButton::clicked, this, &TablePage::saveClick);
    connect(haltBtn_, &QPushButton::clicked, this, [this] { halt_ = true; });
    connect(pathBox_, &PathBox::fileDropped, this, &TablePage::LoadbtnClick);
    connect(pathBox_, &PathBox::loadRequested, this, &TablePage::LoadbtnClick);
}

void TablePage::LoadbtnClick() {
    runGuarded(this, [this] {
        const std::string path = pathBox_->usePath();
        if (!fileExists(path))
            throw ExpectedProblem(format_.missingFileMessage);
        if (!mayDropEdits())
            return;
        halt_ = false;
        emit loadStarted();
        struct Finish {
            TablePage* page;
            ~Finish() {
                emit page->loadFinished();
                if (page->format_.pumpAfterLoad)
                    pumpEvents();
            }
        } finish{this};
        BusyButton busy(loadBtn_, QStringLiteral("Load"));
        busy.setHaltFlag(&halt_);
        busy.setLastReadLabel(lastRead_);
        // The log and the size belong to this load from its start, also when the read fails.
        log_->clear();
        sizeLabel_->setText(QString::fromStdString(sizeText(fileSize(path))));
        LoadReport report;
        Table loaded;
        // Read into a fresh table first: a failed or refused load leaves the shown table as it was.
        report = format_.load(path, loaded, &busy);
        model_->reload([&](Table& t) { t = std::move(loaded); });
        filePath_ = QString::fromStdString(path);
        setFirstColumnWidths(view_, {35});
        fitColumnWidths(view_);
        if (report.records > 0) // a file without records leaves the last name shown
            lastRead_->setText(QString::fromUtf8(report.lastRead));
        fieldOrderWarning_ = !report.mismatches.empty();
        QStringList lines;
        std::vector<RecordPlace> places; // each misaligned record's line leads to it
        lines.reserve(static_cast<qsizetype>(report.mismatches.size()) + 1);
        if (report.nulLine != 0) {
            lines << QString::fromStdString(nulLineText(report.nulLine));
            places.emplace_back();
        }
        for (const FieldOrderMismatch& m : report.mismatches) {
            lines << QString::fromStdString(fieldOrderLine(m));
            places.push_back(recordPlace(model_->table(), m.row));
        }
        otherLines_ = report.otherLines;
        if (otherLines_ != 0) {
            lines << QString::fromStdString(otherLinesText(otherLines_));
            places.emplace_back();
        }
        log_->appendLines(lines, places);
    });
}

bool TablePage::mayDropEdits() {
    return ui::mayDropEdits(this, *model_, filePath_, [this] { return save(); });
}

bool TablePage::selectRow(int sourceRow, int column) {
    if (column < 0) {
        const QModelIndex current = sourceIndexOf(view_, view_->currentIndex());
        column = current.isValid() ? current.column() : 1;
    }
    return selectSourceCell(view_, sourceRow, column);
}

bool TablePage::saveClick() {
    return confirmFieldOrder() && confirmDroppingOtherLines(this, otherLines_) &&
           saveTableAs(this, filePath_, pathBox_,
                       [this](const QString& file) { return writeTo(file); });
}

bool TablePage::save() {
    if (filePath_.isEmpty())
        return saveClick();
    return confirmFieldOrder() && confirmDroppingOtherLines(this, otherLines_) &&
           writeTo(filePath_);
}

bool TablePage::confirmFieldOrder() {
    return !fieldOrderWarning_ ||
           askYesNo(this, QStringLiteral("Some records list their fields in another order than the "
                                         "first record (see the log). Saving writes their values "
                                         "under the first record's keys. Save anyway?"));
}

bool TablePage::writeTo(const QString& file) {
    bool saved = false;
    runGuarded(this, [&] {
        BusyButton busy(saveBtn_, QStringLiteral("Save as"), false, false);
        format_.save(model_->table(), file.toStdString(), &busy);
        model_->markSaved();
        saved = true;
        otherLines_ = 0; // the operator has agreed once; the next saves do not ask again
    });
    return saved;
}

RowSubset TablePage::shownRows() const {
    return filterBar_->shownRows();
}

void TablePage::selectCell(int row, int column) {
    selectSourceCell(view_, row, column);
}

bool confirmDroppingOtherLines(QWidget* parent, size_t count) {
    if (count == 0)
        return true;
    const QString lines = count == 1 ? QStringLiteral("1 line of the file is not a record (a "
                                                      "comment or a blank line)")
                                     : QStringLiteral("%1 lines of the file are not records "
                                                      "(comments or blank lines)")
                                           .arg(count);
    return askYesNo(parent, lines + QStringLiteral(" (see the log). The table cannot hold them, "
                                                   "so the saved file will not have them. Save "
                                                   "anyway?"));
}

std::pair<size_t, size_t> selectedCell(const TablePage* page) {
    const QTableView* view = page->view();
    int row = -1, col = -1;
    for (const QModelIndex& i : view->selectionModel()->selectedIndexes()) {
        if (row < 0 || i.row() < row)
            row = i.row();
        if (col < 0 || i.column() < col)
            col = i.column();
    }
    if (row < 0 && view->currentIndex().isValid()) {
        row = view->currentIndex().row();
        col = view->currentIndex().column();
    }
    if (row < 0)
        return {0, 0};
    return {static_cast<size_t>(row) + 1, static_cast<size_t>(col)};
}

} // namespace aethrian::ui
