#pragma once

#include <QWidget>

class QPushButton;
class QTabWidget;
class QTableView;

namespace aethrian::ui {

class PathBox;
class TableModel;

// PetData: path box, Load and save over the pet table in its own tab control.
class PetPage : public QWidget {
    Q_OBJECT
  public:
    PetPage(TableModel* model, QWidget* parent, const char* divider);
    QTabWidget* tabs() const { return tabs_; }
    QTableView* view() const { return view_; }
    void loadClick();
    void saveClick();

  private:
    TableModel* model_;
    const char* divider_; // the Settings page's, as the editors save with it
    PathBox* pathBox_;
    QPushButton* loadBtn_;
    QPushButton* saveBtn_;
    QTabWidget* tabs_;
    QTableView* view_;
};

} // namespace aethrian::ui
