#include "ui/navigation.h"

#include "checks/dropindex.h"
#include "checks/presence.h"
#include "records/recordplace.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/loglist.h"

#include <QAction>
#include <QTableView>

#include <algorithm>

namespace aethrian::ui {

Navigator::Navigator(MainWindow* window) : QObject(window), window_(window) {
    const auto makeAction = [window](const QString& name, const QString& caption, Qt::Key key) {
        auto* a = new QAction(caption, window);
        a->setObjectName(name);
        a->setShortcut(QKeySequence(Qt::ALT | key));
        window->addAction(a);
        return a;
    };
    backAction_ = makeAction(QStringLiteral("NavigateBack"), QStringLiteral("Back"), Qt::Key_Left);
    forwardAction_ =
        makeAction(QStringLiteral("NavigateForward"), QStringLiteral("Forward"), Qt::Key_Right);
    connect(backAction_, &QAction::triggered, this, &Navigator::back);
    connect(forwardAction_, &QAction::triggered, this, &Navigator::forward);
    updateActions();

    // Each editor log leads to the records its lines are about, on its own page or another.
    for (TablePage* page : {window->npcEditor(), window->itemEditor(), window->skillEditor()})
        page->log()->setLocator([this, page](const RecordPlace& place, bool go) {
            TablePage* to = place.table ? pageOf(place.table) : page;
            const size_t row = to ? findRecordRow(to->model()->table(), place) : 0;
            if (row == 0)
                return false;
            if (go)
                jump(page, to, static_cast<int>(row) - 1);
            return true;
        });

    setCellErrorHandler([this](const CellPlace& cell) {
        if (TablePage* page = pageOf(cell.table)) {
            window_->showPage(page);
            page->selectCell(static_cast<int>(cell.row) - 1, static_cast<int>(cell.column));
            page->view()->setFocus();
        }
    });

    // The drop index describes the NPC table as it was: any change drops it.
    TableModel* npc = window->npcEditor()->model();
    const auto stale = [this] { dropIndex_.reset(); };
    connect(npc, &QAbstractItemModel::dataChanged, this, stale);
    connect(npc, &QAbstractItemModel::modelReset, this, stale);
    connect(npc, &QAbstractItemModel::rowsInserted, this, stale);
    connect(npc, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(npc, &QAbstractItemModel::columnsInserted, this, stale);
    connect(npc, &QAbstractItemModel::layoutChanged, this, stale);
}

Navigator::~Navigator() {
    setCellErrorHandler({});
}

TablePage* Navigator::pageOf(const void* table) const {
    for (TablePage* page : {window_->npcEditor(), window_->itemEditor(), window_->skillEditor()})
        if (&page->model()->table() == table)
            return page;
    return nullptr;
}

NavPlace Navigator::here(TablePage* page) const {
    return {page, page ? page->view()->currentIndex().row() : -1};
}

void Navigator::jump(TablePage* from, TablePage* to, int row) {
    back_.push_back(here(from));
    forward_.clear();
    show({to, row});
}

void Navigator::back() {
    if (back_.empty())
        return;
    forward_.push_back(here(current_));
    const NavPlace to = back_.back();
    back_.pop_back();
    show(to);
}

void Navigator::forward() {
    if (forward_.empty())
        return;
    back_.push_back(here(current_));
    const NavPlace to = forward_.back();
    forward_.pop_back();
    show(to);
}

void Navigator::show(const NavPlace& place) {
    current_ = place.page;
    window_->showPage(place.page);
    // A row that no longer exists (the table was reloaded shorter) leaves the selection alone.
    if (place.row >= 0 && place.row < place.page->model()->rowCount())
        place.page->selectRow(place.row, 1);
    place.page->view()->setFocus();
    updateActions();
}

void Navigator::updateActions() {
    backAction_->setEnabled(!back_.empty());
    forwardAction_->setEnabled(!forward_.empty());
}

const DropIndex& Navigator::dropIndex() {
    if (!dropIndex_)
        dropIndex_ = std::make_unique<DropIndex>(window_->npcEditor()->model()->table());
    return *dropIndex_;
}

void Navigator::goToItem() {
    TablePage* npcPage = window_->npcEditor();
    TablePage* itemPage = window_->itemEditor();
    const auto [row, column] = selectedCell(npcPage);
    const Table& npc = npcPage->model()->table();
    std::vector<std::string_view> found;
    if (row > 0)
        appendDropNames(npc.text(row, column), found);
    QStringList names;
    for (std::string_view name : found)
        if (!names.contains(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))))
            names << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (names.isEmpty()) {
        showMessage(window_, QStringLiteral("The selected cell names no item."));
        return;
    }
    int chosen = 0;
    if (names.size() > 1) {
        const std::optional<int> choice = chooseItem(window_, QStringLiteral("Go to item:"), names);
        if (!choice || *choice < 0 || *choice >= names.size())
            return;
        chosen = *choice;
    }
    const std::string name = names[chosen].toStdString();
    const Table& items = itemPage->model()->table();
    for (size_t r = 1; r < items.rowCount(); ++r)
        if (items.cell(r, 1) == name) {
            jump(npcPage, itemPage, static_cast<int>(r) - 1);
            return;
        }
    showMessage(window_,
                QStringLiteral("Item %1 is not in the ITEMData table.").arg(names[chosen]));
}

void Navigator::whereDropped() {
    TablePage* itemPage = window_->itemEditor();
    const Table& items = itemPage->model()->table();
    const size_t row = selectedCell(itemPage).first;
    if (row == 0 || row >= items.rowCount() || items.cell(row, 1).empty()) {
        showMessage(window_, QStringLiteral("Select an item of the ITEMData table first."));
        return;
    }
    const Table& npc = window_->npcEditor()->model()->table();
    std::vector<size_t> rows;
    const std::vector<std::string> lines = whereDroppedLines(items, row, npc, dropIndex(), &rows);
    QStringList text;
    std::vector<RecordPlace> places;
    for (size_t k = 0; k < lines.size(); ++k) {
        text << QString::fromStdString(lines[k]);
        places.push_back(rows[k] ? recordPlace(npc, rows[k]) : recordPlace(items, row));
    }
    itemPage->log()->appendLines(text, places);
}

} // namespace aethrian::ui
