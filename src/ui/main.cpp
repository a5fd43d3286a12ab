#include "app/memorytuning.h"
#include "records/textfile.h"
#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    aethrian::preferHugePages(argv);
    // Saves share the writer with the CLI: a file-size limit gives the message box instead of
    // ending the editor, and an interrupted save removes its temporary file.
    aethrian::protectSavesFromSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Aethrian Script Editor");
    aethrian::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
