#pragma once

#include <QObject>

class QMenu;

namespace aethrian::ui {

class FilterBar;
class MainWindow;
class TableView;

// How the data tables are shown, at the end of their pop-up menus: "Filter rows" on the editor
// tables' menus and "Freeze Name, Type and ID" on the editor and comparison tables' menus. A menu
// shared by several tables acts on the table it was opened on and shows that table's state.
class ViewCommands : public QObject {
    Q_OBJECT
  public:
    explicit ViewCommands(MainWindow* window);

  private:
    static TableView* source(const QMenu* menu);
    FilterBar* filterBarOf(const TableView* view) const;

    MainWindow* window_;
};

} // namespace aethrian::ui
