#include "ui/tablecommands.h"

#include "editing/cleanup.h"
#include "records/tablesort.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/petpage.h"

#include "ui/pages/tablepage.h"
#include "ui/widgets/loglist.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTableView>
#include <QTimer>

namespace aethrian::ui {

TableCommands::TableCommands(MainWindow* window) : QObject(window), window_(window) {
    const auto on = [this](const char* name, auto fn) {
        connect(window_->action(QString::fromLatin1(name)), &QAction::triggered, this, fn);
    };
    QMenu* itemMenu = window_->popupMenu(QStringLiteral("PopupMenu3"));
    on("Search1", [this] { newSearch(npcTarget()); });
    on("Findnext1", [this] { findNext(npcTarget()); });
    on("SortbyID1", [this] { sortByColumn(npcTarget()); });
    on("NewSearch1", [this, itemMenu] { newSearch(menuTarget(itemMenu)); });
    on("Findnext2", [this, itemMenu] { findNext(menuTarget(itemMenu)); });
    on("SortbyID2", [this, itemMenu] { sortByColumn(menuTarget(itemMenu)); });

    on("FindDuplicates2", [this] {
        const Target t = npcTarget();
        runGuarded(window_, [&] {
            LogListSink log(t.log, &t.model->table());
            t.model->apply(findDuplicates(t.model->table(), window_->workspace().divider, log));
        });
    });
    on("Findduplicates1", [this] {
        TablePage* page = window_->itemEditor();
        runGuarded(window_, [&] {
            LogListSink log(page->log(), &page->model()->table());
            page->model()->apply(
                findDuplicates(page->model()->table(), window_->workspace().divider, log));
        });
    });
    on("CheckifallIAexsists1", [this] {
        const Target t = npcTarget();
        runGuarded(window_, [&] {
            LogListSink log(t.log, &t.model->table());
            findDropNumberErrors(t.model->table(), window_->workspace().divider, log);
        });
    });
    on("Correctlistdrops1", [] {}); // the correction leaves every list as it is
    on("RoundcolumntoINTEGER1", [this] {
        const Target t = npcTarget();
        runGuarded(window_, [&] {
            LogListSink log(t.log);
            t.model->apply(roundColumn(t.model->table(), selectedColumn(t),
                                       window_->workspace().divider, log,
                                       window_->npcEditor()->shownRows()));
        });
    });
    on("Fillwith1", [this] {
        const Target t = npcTarget();
        runGuarded(window_, [&] {
            const std::optional<QString> text =
                askText(window_, QStringLiteral("Fill with:"), QStringLiteral("String:"), {});
            LogListSink log(t.log);
            if (text)
                t.model->apply(fillColumn(t.model->table(), selectedColumn(t), text->toStdString(),
                                          window_->npcEditor()->shownRows(), log));
        });
    });
}

TableCommands::Target TableCommands::npcTarget() {
    TablePage* page = window_->npcEditor();
    return {page->model(), page->view(), page->log(), false, &npcSearch_};
}

TableCommands::Target TableCommands::menuTarget(QMenu* menu) {
    // Opened by a right click: the table it was opened on; by a shortcut: the table with the focus.
    auto* source = qobject_cast<QTableView*>(menu->property("sourceWidget").value<QObject*>());
    if (auto* focused = qobject_cast<QTableView*>(QApplication::focusWidget()))
        if (!menu->isVisible() && focused->actions().contains(menu->actions().first()))
            source = focused;
    TablePage* skill = window_->skillEditor();
    if (source && source == skill->view())
        return {skill->model(), skill->view(), skill->log(), false, &skillSearch_};
    if (source && source == window_->petPage()->view())
        return {&window_->workspace().petModel, source, nullptr, false, &petSearch_};
    TablePage* item = window_->itemEditor();
    return {item->model(), item->view(), item->log(), true, &itemSearch_};
}

size_t TableCommands::selectedColumn(const Target& t) const {
    int col = -1;
    for (const QModelIndex& i : t.view->selectionModel()->selectedIndexes())
        if (col < 0 || i.column() < col)
            col = i.column();
    if (col < 0)
        col = t.view->currentIndex().isValid() ? t.view->currentIndex().column() : 0;
    return static_cast<size_t>(col);
}

void TableCommands::select(const Target& t, size_t row) {
    const QModelIndex at = t.model->index(static_cast<int>(row) - 1, 1);
    t.view->setCurrentIndex(at);
    t.view->scrollTo(at);
    // Opened for editing once the handler has returned, so the menu is gone.
    QTimer::singleShot(0, t.view, [view = t.view, at] { view->edit(at); });
}

void TableCommands::newSearch(const Target& t) {
    const std::optional<QString> text = askText(window_, QStringLiteral("Search for a name:"),
                                                QStringLiteral("Name:"), *t.searchText);
    if (!text)
        return;
    *t.searchText = *text;
    if (text->isEmpty()) {
        showMessage(window_, QStringLiteral("You must insert a name to search"));
        return;
    }
    if (const size_t row = findName(t.model->table(), text->toStdString()))
        select(t, row);
}

void TableCommands::findNext(const Target& t) {
    if (t.searchText->isEmpty()) {
        showMessage(window_, QStringLiteral("You must first search something..."));
        return;
    }
    int top = -1;
    for (const QModelIndex& i : t.view->selectionModel()->selectedIndexes())
        if (top < 0 || i.row() < top)
            top = i.row();
    if (top < 0)
        top = t.view->currentIndex().isValid() ? t.view->currentIndex().row() : 0;
    // View row `top` is grid row top + 1; the search starts after it.
    if (const size_t row =
            findName(t.model->table(), t.searchText->toStdString(), static_cast<size_t>(top) + 2))
        select(t, row);
}

void TableCommands::sortByColumn(const Target& t) {
    runGuarded(window_, [&] {
        const size_t column = selectedColumn(t);
        const SortRule rule = t.itemRules ? itemSortRule(column) : npcSortRule(column);
        t.model->apply(sortTable(t.model->table(), column, rule, window_->workspace().divider));
    });
}

} // namespace aethrian::ui
