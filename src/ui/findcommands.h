#pragma once

#include "ui/tabletarget.h"

#include <QObject>

class QAction;

namespace aethrian::ui {

class FindReplaceDialog;
class MainWindow;

// Find and replace (Ctrl+H) and Go to ID (Ctrl+G) on the editable tables: shortcuts while the
// focus is on an editor page or the pet page (the pop-up menus keep their commands as they are).
// Both act on the table whose page is on screen.
class FindCommands : public QObject {
    Q_OBJECT
  public:
    explicit FindCommands(MainWindow* window);

    FindReplaceDialog* dialog() const { return dialog_; }
    void findReplace();
    void goToId();

  private:
    QAction* addCommand(const QString& name, const QString& caption, const QKeySequence& key);

    MainWindow* window_;
    std::vector<TableTarget> targets_;
    FindReplaceDialog* dialog_;
    QString lastId_;
};

} // namespace aethrian::ui
