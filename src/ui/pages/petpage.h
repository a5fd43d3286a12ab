#pragma once

#include <QWidget>

class QPushButton;
class QTabWidget;
class QTableView;

namespace aethrian::ui {

class FilterBar;
class PathBox;
class TableModel;

// PetData: path box, Load and save over the pet table in its own tab control.
class PetPage : public QWidget {
    Q_OBJECT
  public:
    PetPage(TableModel* model, QWidget* parent, const char* divider);
    QTabWidget* tabs() const { return tabs_; }
    QTableView* view() const { return view_; }
    PathBox* pathBox() const { return pathBox_; }
    FilterBar* filterBar() const { return filterBar_; }
    const QString& filePath() const { return filePath_; }
    void loadClick();
    bool saveClick(); // "save": asks for a file, as Save as on the editor pages
    bool save();      // Ctrl+S: back to filePath(), or as saveClick() when there is none
    bool mayDropEdits();

  private:
    bool writeTo(const QString& file);

    TableModel* model_;
    QString filePath_;
    size_t otherLines_ = 0; // lines of the loaded file that are not records, until a save
    const char* divider_;   // the Settings page's, as the editors save with it
    PathBox* pathBox_;
    QPushButton* loadBtn_;
    QPushButton* saveBtn_;
    QTabWidget* tabs_;
    QTableView* view_;
    FilterBar* filterBar_;
};

} // namespace aethrian::ui
