#pragma once

#include "ui/workspace.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QDialog;
class QMenu;
class QTabWidget;

namespace aethrian::ui {

class AiObjPage;
class Navigator;
class ClientItemPage;
class ExportWindow;
class NpcPchPage;
class PanePage;
class PetPage;
class ServerFolder;
class SettingsPage;
class TablePage;

// The main window (`TForm1`): assembles the page tree, the pop-up menus and the dialogs, and holds
// no operation of its own. Features reach pages through its typed members and the workspace's
// panes, and menu commands by their component names, kept when the menus are built.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    Workspace& workspace() { return workspace_; }
    TablePage* npcEditor() const { return npcEditor_; }
    TablePage* itemEditor() const { return itemEditor_; }
    TablePage* skillEditor() const { return skillEditor_; }
    PetPage* petPage() const { return petPage_; }
    ExportWindow* exportWindow() const { return exportWindow_; }
    // The jumps between records and the way back (Alt+Left, Alt+Right).
    Navigator* navigator() const { return navigator_; }
    QMenu* popupMenu(const QString& name) const;
    // A pop-up menu command by its component name ("Adddrop1").
    QAction* action(const QString& name) const;
    // Brings a page of the tree to the front, with every page control above it.
    void showPage(QWidget* page);
    // The files named on the command line (or by a desktop's "Open with"), each into the page its
    // name selects.
    void openFiles(const QStringList& paths);
    // Clears what the window remembers of files between runs: recent paths and dialog folders.
    void forgetRecentFiles();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTabWidget* pageControl(const QString& name, QWidget* parent);
    QWidget* emptyPage(const QString& name);
    void buildNpcPages(QTabWidget* tabs);
    void buildItemPages(QTabWidget* tabs);
    void buildSkillPages(QTabWidget* tabs);

    Workspace workspace_;
    TablePage* npcEditor_ = nullptr;
    TablePage* itemEditor_ = nullptr;
    TablePage* skillEditor_ = nullptr;
    PetPage* petPage_ = nullptr;
    ExportWindow* exportWindow_ = nullptr;
    ServerFolder* serverFolder_ = nullptr;
    Navigator* navigator_ = nullptr;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QAction*> actions_;
};

} // namespace aethrian::ui
