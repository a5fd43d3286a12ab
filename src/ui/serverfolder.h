#pragma once

#include "lint/lint.h"

#include <QObject>
#include <QStringList>

#include <vector>

namespace aethrian::ui {

class MainWindow;
class PathBox;

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

} // namespace aethrian::ui
