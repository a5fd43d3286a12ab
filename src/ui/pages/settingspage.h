#pragma once

#include <QWidget>

class QLineEdit;

namespace aethrian::ui {

class Workspace;

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

} // namespace aethrian::ui
