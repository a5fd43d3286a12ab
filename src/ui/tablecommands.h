#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QTableView;

namespace aethrian::ui {

class LogList;
class MainWindow;
class TableModel;

// The table-wide commands of the NPC and ITEM pop-up menus: search, find next, sort and the
// clean-up commands. The ITEM menu is shared with the SKILLData Editor and Pet1 tables: search and
// sort act on the table the menu was opened on (with the NPC table's comparisons there); its other
// commands belong to the ITEM table and are disabled elsewhere.
class TableCommands : public QObject {
    Q_OBJECT
  public:
    explicit TableCommands(MainWindow* window);

    struct Target {
        TableModel* model = nullptr;
        QTableView* view = nullptr;
        LogList* log = nullptr;
        bool itemRules = false;
        QString* searchText = nullptr;
    };

  private:
    Target npcTarget();
    Target menuTarget(QMenu* menu);
    void newSearch(const Target& t);
    void findNext(const Target& t);
    void sortByColumn(const Target& t);
    void select(const Target& t, size_t row);
    size_t selectedColumn(const Target& t) const;

    MainWindow* window_;
    QString npcSearch_, itemSearch_, skillSearch_, petSearch_;
};

} // namespace aethrian::ui
