#pragma once

#include "checks/lint.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace aethrian::ui {

class MainWindow;
class PathBox;

// The findings of the whole-server check as rows: check, file, line, record, message.
class FindingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    void setFindings(std::vector<Finding> findings);
    const std::vector<Finding>& findings() const { return findings_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<Finding> findings_;
};

// The path boxes of the server files, by kind, and what "Open server folder..." found last: the
// checks read the files the boxes name, and the folder's files for kinds without a box (NPC_PCH).
class ServerFolder : public QObject {
    Q_OBJECT
  public:
    explicit ServerFolder(MainWindow* window);
    // Asks for a folder and fills every box whose file the lint search finds there; lists what it
    // filled in the NPCData Editor's log. Opens nothing, as path boxes never do.
    void open();
    void fill(const std::string& dir);
    // The files to check: each box's text where it has one, else the folder's file of that kind.
    ServerFiles files() const;
    // "Open with": each file into the boxes its name selects, the first of them loaded (an editor's
    // where there is one); one message lists the files whose kind cannot be told.
    void openFiles(const QStringList& paths);

  private:
    MainWindow* window_;
    std::vector<std::pair<std::string, PathBox*>> boxes_;
    ServerFiles found_;
};

// "Check everything": runs every check whose files are named, lists the findings sorted by file and
// line with a count per check above them; a double-click on a finding of a loaded editor file
// selects its record there.
class CheckEverythingPage : public QWidget {
    Q_OBJECT
  public:
    CheckEverythingPage(MainWindow* window, ServerFolder* folder, QWidget* parent);
    void run();
    void showFinding(const QModelIndex& index);
    FindingsModel* model() const { return model_; }

  private:
    MainWindow* window_;
    ServerFolder* folder_;
    QPushButton* runBtn_;
    QPushButton* haltBtn_;
    QLabel* counts_;
    QTableView* view_;
    FindingsModel* model_;
    bool halt_ = false;
};

} // namespace aethrian::ui
