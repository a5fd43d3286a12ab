#pragma once

#include "lint/lint.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace aethrian::ui {

class FindingsModel;
class MainWindow;
class ServerFolder;

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
