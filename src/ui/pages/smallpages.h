#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace aethrian::ui {

class PathBox;
class LogList;
class TableModel;
class Workspace;

// PetData: path box, Load and save over the pet table in its own tab control.
class PetPage : public QWidget {
    Q_OBJECT
public:
    PetPage(TableModel* model, QWidget* parent, const char* divider);
    QTabWidget* tabs() const { return tabs_; }
    QTableView* view() const { return view_; }
    PathBox* pathBox() const { return pathBox_; }
    const QString& filePath() const { return filePath_; }
    void loadClick();
    bool saveClick(); // "save": asks for a file, as Save as on the editor pages
    bool save();      // Ctrl+S: back to filePath(), or as saveClick() when there is none
    bool mayDropEdits();

private:
    bool writeTo(const QString& file);

    TableModel* model_;
    QString filePath_;
    const char* divider_; // the Settings page's, as the editors save with it
    PathBox* pathBox_;
    QPushButton* loadBtn_;
    QPushButton* saveBtn_;
    QTabWidget* tabs_;
    QTableView* view_;
};

// AI.obj Editor: the AI file as plain text, with its own *.obj dialogs.
class AiObjPage : public QWidget {
    Q_OBJECT
public:
    explicit AiObjPage(QWidget* parent);
    void loadClick();
    void saveClick();

private:
    PathBox* pathBox_;
    QPushButton* loadBtn_;
    QPushButton* saveBtn_;
    QPlainTextEdit* pane_;
};

// Settings and Info: the decimal divider box and the information panel.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(Workspace* workspace, QWidget* parent);

signals:
    // "Open server folder...": the window knows the path boxes it fills.
    void openServerFolderRequested();
    // "Forget recent files": the window knows every path box.
    void forgetRecentFilesRequested();

private:
    void dividerEdited(const QString& text);
    void dividerFinished();

    Workspace* workspace_;
    QLineEdit* divid_;
};

// The Npc_pch page: the NPC_PCH pane, the second pane to compare with, "<>", "=?" and the log.
class NpcPchPage : public QWidget {
    Q_OBJECT
public:
    explicit NpcPchPage(QWidget* parent);
    PathBox* pathBox() const { return path_; }
    QPlainTextEdit* pane() const { return first_; } // the NPC_PCH the checks read
    QPlainTextEdit* secondPane() const { return second_; }
    LogList* log() const { return log_; }
    void switchPanes();  // "<>"
    void comparePanes(); // "=?"

private:
    QPlainTextEdit* first_;
    QPlainTextEdit* second_;
    PathBox* path_;
    LogList* log_;
};

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
