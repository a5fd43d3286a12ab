#pragma once

#include "records/tableio.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTableView;

namespace aethrian::ui {

class TablePage;

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
QTableView* makeTableView(const QString& objectName, const QString& accessibleName,
                          TableModel* model, QWidget* parent);
void setFirstColumnWidths(QTableView* view, std::initializer_list<int> widths);

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
