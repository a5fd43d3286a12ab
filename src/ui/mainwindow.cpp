#include "ui/mainwindow.h"

namespace aethrian::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TForm1");
    setWindowTitle("Aethrian - Kestrune - Script Editor - v.0.000000001 ultraalpha");
    resize(851, 646);
}

} // namespace aethrian::ui
