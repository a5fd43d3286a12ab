#pragma once

#include <QObject>

namespace aethrian::ui {

class MainWindow;

// The PCH and presence checks of the NPC, ITEM and Npcpos menus and the Npc_pch page's "<>" and
// "=?" buttons: they read the tables and the panes on screen and write to the log lists.
class CheckCommands : public QObject {
    Q_OBJECT
  public:
    explicit CheckCommands(MainWindow* window);

  private:
    MainWindow* window_;
};

} // namespace aethrian::ui
