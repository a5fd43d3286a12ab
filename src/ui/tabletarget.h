#pragma once

#include <QString>

#include <functional>
#include <vector>

class QTableView;
class QWidget;

namespace aethrian::ui {

class LogList;
class MainWindow;
class TableModel;

// One of the editable tables the window's table tools (find and replace, go to ID, the status bar)
// act on: the NPC, ITEM and SKILL editors and the pet table.
struct TableTarget {
    QWidget* page = nullptr;
    TableModel* model = nullptr;
    QTableView* view = nullptr;
    LogList* log = nullptr; // the pet page has none
    QString name;           // "NPC table"
    std::function<QString()> filePath;
};

std::vector<TableTarget> tableTargets(MainWindow* window);

// True when `page` is on screen in the page tree: the current page of every tab control above it.
bool isCurrentPage(const QWidget* page);

// The target whose page is current, or null when the window shows another page.
const TableTarget* currentTarget(const std::vector<TableTarget>& targets);

} // namespace aethrian::ui
