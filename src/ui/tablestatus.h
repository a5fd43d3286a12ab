#pragma once

#include "ui/tabletarget.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QItemSelectionModel;
class QLabel;

namespace aethrian::ui {

class MainWindow;

// The sum, count and average of the numbers among a set of cells.
struct NumberSummary {
    size_t cells = 0;   // cells looked at
    size_t numbers = 0; // of them, the ones holding a number
    long double sum = 0;
};

// The numeric cells of a view's selection, read straight from the core table: one pass over the
// selected cells, nothing allocated per cell.
NumberSummary summarizeSelection(const QTableView* view, const TableModel& model);

// The main window's status bar for the editable tables: the page's file name, its record count,
// the current cell (record name, ID, field key), a modified mark, and for a selection of several
// cells the count, sum and average of its numbers. Nothing is shown for other pages. Updates are
// gathered and made once the events of the moment are handled, so dragging a selection over a
// whole column costs one pass per repaint, not one per signal.
class TableStatus : public QObject {
    Q_OBJECT
  public:
    explicit TableStatus(MainWindow* window);

    // Brings the labels up to date now (the deferred update calls it).
    void refresh();

  private:
    void schedule() { timer_.start(); }
    void watchSelection(const TableTarget* target);
    QString cellText(const TableTarget& target) const;

    MainWindow* window_;
    std::vector<TableTarget> targets_;
    QTimer timer_;
    QPointer<QItemSelectionModel> watched_;
    QLabel* file_;
    QLabel* records_;
    QLabel* cell_;
    QLabel* selection_;
    QLabel* modified_;
};

} // namespace aethrian::ui
