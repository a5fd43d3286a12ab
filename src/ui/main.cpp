#include "app/memorytuning.h"
#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    aethrian::preferHugePages(argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Aethrian Script Editor");
    aethrian::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
