#pragma once

#include <QLineEdit>

class QAction;
class QMenu;
class QStringListModel;

namespace aethrian::ui {

// A one-line box holding a file path. A click on the empty box or a double-click opens the
// open-file dialog; a confirmed file replaces the text. Dropping a file on it puts its path there
// and announces it, so the page can load it. Enter in the box asks the page to load (or run) too.
// The box remembers the last files the page read through it, between runs: the arrow at its end
// (or Alt+Down) lists them, and typing completes from them.
class PathBox : public QLineEdit {
    Q_OBJECT
  public:
    // `accessibleName` is what screen readers announce: the box shows a path, not what it is for.
    PathBox(const QString& objectName, const QString& accessibleName, QWidget* parent = nullptr,
            const QString& filter = QStringLiteral("*.txt|*.txt|*.*|*.*"),
            const QString& defaultSuffix = {}); // the open dialog's extension for a typed name

    std::string path() const { return text().toStdString(); }
    // The path as the page reads its file now: an existing file is also remembered as recent.
    std::string usePath();
    void remember(); // puts the box's path first among the recent ones
    QStringList recent() const;
    void reloadRecent(); // after "Forget recent files"
    void showRecent();   // the list of recent paths, below the box
    bool browse();       // opens the dialog; true when a file was chosen
    // Asks the page to act on the box's file: its Load (Check, Watch) as Enter does.
    void requestLoad() { emit loadRequested(); }

  signals:
    void fileDropped(const QString& path);
    void loadRequested();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QStringListModel* recent_;
    QAction* recentAction_;
    QString filter_;
    QString suffix_;
};

} // namespace aethrian::ui
