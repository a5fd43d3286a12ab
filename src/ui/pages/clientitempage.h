#pragma once

#include <QWidget>

class QPlainTextEdit;
class QTabWidget;
class QTableView;

namespace aethrian::ui {

class PathBox;
class TableModel;

// One client item page: path box and Load over a Text View pane and a Table View grid.
class ClientItemPage : public QWidget {
    Q_OBJECT
public:
    ClientItemPage(const QString& subject, const QString& pathBox, const QString& load, const QString& pane,
                   const QString& grid, TableModel* model, bool itemNames, QWidget* parent);
    QTabWidget* tabs() const { return tabs_; }
    QTableView* view() const { return view_; }
    QPlainTextEdit* pane() const { return pane_; }
    PathBox* pathBox() const { return path_; }
    void loadClick();

private:
    QTabWidget* tabs_;
    PathBox* path_;
    QPlainTextEdit* pane_;
    QTableView* view_;
    TableModel* model_;
    bool itemNames_;
};

} // namespace aethrian::ui
