#pragma once

#include <QMainWindow>

namespace aethrian::ui {

// The editor's main window (a placeholder until the page tree lands).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace aethrian::ui
