#pragma once

#include "records/rowsubset.h"
#include "records/tableio.h"
#include "ui/widgets/tableview.h"

#include <QWidget>

#include <functional>

class QFont;
class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;

namespace aethrian::ui {

class TablePage;

class FilterBar;
class LogList;
class PathBox;
class TableModel;
class Workspace;

// Object names of one editor page's parts.
struct TablePageNames {
    QString group, pathBox, load, halt, sizeLabel, grid, lastRead, save, log;
    QString subject, table; // accessible names: "<subject> file", "<subject> log" and the table's
};

// How a page reads and writes its table.
struct TableFormat {
    std::function<LoadReport(const std::string& path, Table& table, LoadObserver* observer)> load;
    std::function<void(const Table& table, const std::string& path, Progress* progress)> save;
    std::string missingFileMessage;
    bool pumpAfterLoad = false;
};

// A table view over a model with the editor's fixed row height and the given first column widths.
TableView* makeTableView(const QString& objectName, const QString& accessibleName,
                         TableModel* model, QWidget* parent);
void setFirstColumnWidths(QTableView* view, std::initializer_list<int> widths);
// The fixed row height of the tables for a font: its line height with room for the cell editor.
int tableRowHeight(const QFont& font);
// Fits the widths of the columns from `firstColumn` on to their header and a sample of rows spread
// over the table, each within a cap, so a long drop list does not push everything else away. Done
// once after a load; the user's resizing stays until the next.
void fitColumnWidths(QTableView* view, int firstColumn = 1);

// Rows of the TableModel ("source rows", grid row - 1) and the view's rows differ once a proxy
// (a filter) stands between them. The view index of a source cell: invalid when the view does not
// show that row.
QModelIndex viewIndexOf(const QTableView* view, int sourceRow, int column);
// The TableModel index behind an index of the view's model.
QModelIndex sourceIndexOf(const QTableView* view, const QModelIndex& viewIndex);
// Makes a source cell the view's current and only selected cell and scrolls it into view; false
// when the view does not show its row.
bool selectSourceCell(QTableView* view, int sourceRow, int column);

// Before a table's unsaved edits would be dropped (closing, loading over them): asks Save, Discard
// or Cancel. True when the caller may go on: nothing was unsaved, Discard, or `save` succeeded.
bool mayDropEdits(QWidget* parent, const TableModel& model, const QString& file,
                  const std::function<bool()>& save);

// Save as for a page's table: the dialog opens at `filePath` (or the box's text); `write` saves
// to the chosen file. Afterwards `filePath` and the box name that file. False when cancelled or
// when the write failed.
bool saveTableAs(QWidget* parent, QString& filePath, PathBox* box,
                 const std::function<bool(const QString&)>& write);

// Before a save writes a table whose file held `count` lines that are not records (none: no
// question): asks whether to write the file without them. True when the save may go on.
bool confirmDroppingOtherLines(QWidget* parent, size_t count);

// The top-left cell of a table page's selection (grid coordinates), or {0, 0} when none.
std::pair<size_t, size_t> selectedCell(const TablePage* page);

// An editor page: path box, Load and X, the table, the "Last Read:" bar with Save as, and the log.
class TablePage : public QWidget {
    Q_OBJECT
  public:
    TablePage(const TablePageNames& names, TableFormat format, TableModel* model, QWidget* parent);

    PathBox* pathBox() const { return pathBox_; }
    LogList* log() const { return log_; }
    QTableView* view() const { return view_; }
    QPushButton* loadButton() const { return loadBtn_; }
    QLabel* lastReadLabel() const { return lastRead_; }
    TableModel* model() const { return model_; }
    bool haltRequested() const { return halt_; }
    FilterBar* filterBar() const { return filterBar_; }
    // The records the whole-column commands act on: those the filter shows, or every record.
    RowSubset shownRows() const;

    // The file the table was loaded from or last saved as; "" before any.
    const QString& filePath() const { return filePath_; }

    void LoadbtnClick();
    // "Save as": asks for a file, opening in the table's folder with its name suggested.
    bool saveClick();
    // Ctrl+S: writes the table back to filePath(), or asks for a file as Save as does when there
    // is none. True when the table was written.
    bool save();
    // Save, Discard or Cancel over unsaved edits; true when they may be dropped.
    bool mayDropEdits();
    // Selects the record in TableModel row `sourceRow` (grid row - 1) in `column`, or in the
    // current column when it is -1, and scrolls to it; false when the view does not show the row.
    bool selectRow(int sourceRow, int column = -1);
    // Makes cell (row, column) of the model the current, selected cell and scrolls it into view.
    void selectCell(int row, int column);

  signals:
    void loadStarted();
    void loadFinished();

  private:
    TableFormat format_;
    TableModel* model_;
    PathBox* pathBox_;
    QLabel* sizeLabel_;
    QPushButton* loadBtn_;
    QPushButton* haltBtn_;
    QTableView* view_;
    FilterBar* filterBar_;
    QLabel* lastRead_;
    QPushButton* saveBtn_;
    LogList* log_;
    bool halt_ = false;
    bool fieldOrderWarning_ = false;
    QString filePath_;
    // Lines of the loaded file that are not records; asked about until a save was accepted.
    size_t otherLines_ = 0;

    bool confirmFieldOrder();
    bool writeTo(const QString& file);
};

} // namespace aethrian::ui
