#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace aethrian::ui {

class LogList;
class PathBox;

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

} // namespace aethrian::ui
