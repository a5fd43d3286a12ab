#pragma once

#include "records/rowsubset.h"
#include "ui/models/rowfilter.h"

#include <QWidget>

#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace aethrian::ui {

class TableModel;
class TableView;

// The filter bar above a data table, hidden until used (Ctrl+Shift+F). Its conditions (a column or
// all columns, a test, a text) combine with AND; the view shows only the records that pass them and
// the bar says "N of M records". The view keeps showing only passing records while the table
// changes (edits, undo, sort, load). Closing the bar shows every record again and keeps the
// conditions for the next time; so does selecting a record the filter hides (a search, a check
// or a jump that lands there), so a selected record is never out of sight.
//
// Object names start with the table's: <table>Filter (the bar), <table>FilterColumn<i>,
// <table>FilterTest<i>, <table>FilterText<i>, <table>FilterUpTo<i>, <table>FilterRemove<i>,
// <table>FilterAdd, <table>FilterIgnoreCase, <table>FilterCount, <table>FilterClose and
// <table>FilterAction (the shortcut).
class FilterBar : public QWidget {
    Q_OBJECT
  public:
    // `shortcutOwner`: the page on which Ctrl+Shift+F opens and closes the bar.
    FilterBar(TableModel* model, TableView* view, QWidget* shortcutOwner, QWidget* parent);

    // Opens the bar with the focus in its first text, or closes it.
    void toggle();
    void setOpen(bool open);
    bool isOpen() const { return open_; }
    // True while the bar is open with a condition in force: the commands over whole columns then
    // reach only the records shown.
    bool filtering() const { return filtering_; }
    // The records the whole-column commands act on.
    RowSubset shownRows() const;
    // Applies what the boxes hold now instead of when typing pauses.
    void applyNow();

  signals:
    // The records shown may have changed.
    void filterApplied();

  private:
    struct ConditionRow {
        QWidget* box;
        QComboBox* column;
        QComboBox* test;
        QLineEdit* text;
        QLabel* andLabel;
        QLineEdit* upTo;
        QToolButton* remove;
    };

    void addCondition();
    void removeCondition(QWidget* box);
    void nameRows();
    void fillColumnChoices(QComboBox* box);
    void refreshColumns();
    std::vector<FilterCondition> conditions() const;
    void apply();
    void showProblems();

    TableModel* model_;
    TableView* view_;
    RowFilter filter_;
    QString prefix_;
    QString subject_;
    QVBoxLayout* rowsLayout_;
    std::vector<ConditionRow> rows_;
    QCheckBox* ignoreCase_;
    QLabel* count_;
    QTimer* typing_;
    bool open_ = false;
    bool filtering_ = false;
    std::vector<char> shown_; // per table row, while filtering
};

} // namespace aethrian::ui
