#pragma once

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class QAction;

namespace aethrian {
class DropIndex;
class Table;
} // namespace aethrian

namespace aethrian::ui {

class MainWindow;
class TablePage;

// Where a jump leads or came from: an editor page and a row of its model.
struct NavPlace {
    TablePage* page = nullptr;
    int row = -1;
};

// The editor's jumps between records and the way back. A log line's "Go to record", "Go to item"
// and a where-dropped line each jump; Alt+Left goes back to where the last jump started and
// Alt+Right forward again. It also shows the cell of a conversion error and answers "Go to item"
// and "Where is this item dropped?" (the second through a drop index kept until the NPC table
// changes).
class Navigator : public QObject {
    Q_OBJECT
  public:
    explicit Navigator(MainWindow* window);
    ~Navigator() override;

    // Leaves `from` (at its current row) for row `row` of `to`, remembering where it was.
    void jump(TablePage* from, TablePage* to, int row);
    void back();
    void forward();
    bool canGoBack() const { return !back_.empty(); }
    bool canGoForward() const { return !forward_.empty(); }
    QAction* backAction() const { return backAction_; }
    QAction* forwardAction() const { return forwardAction_; }

    // The editor page showing `table`, or null.
    TablePage* pageOf(const void* table) const;

    // "Go to item...": the items the NPC table's current cell names; one is chosen when there are
    // several, and its ITEM row is selected.
    void goToItem();
    // "Where is this item dropped?": every NPC list naming the ITEM table's current item, in the
    // ITEM log, each line leading to its NPC.
    void whereDropped();

  private:
    NavPlace here(TablePage* page) const;
    void show(const NavPlace& place);
    void updateActions();
    const DropIndex& dropIndex();

    MainWindow* window_;
    std::vector<NavPlace> back_, forward_;
    TablePage* current_ = nullptr;
    QAction* backAction_;
    QAction* forwardAction_;
    std::unique_ptr<DropIndex> dropIndex_; // null until asked for, and after the NPC table changed
};

} // namespace aethrian::ui
