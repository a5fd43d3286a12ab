// Renders the main window with an npcdata file loaded into the NPCData Editor and writes a PNG,
// for the README. Runs offscreen: aethrian-screenshot OUT.png NPCDATA
#include "ui/mainwindow.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/pathbox.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: aethrian-screenshot OUT.png NPCDATA\n");
        return 1;
    }
    QApplication app(argc, argv);
    aethrian::ui::MainWindow window;
    window.show();
    auto* top = window.findChild<QTabWidget*>(QStringLiteral("JvPageControl1"));
    top->setCurrentIndex(0);
    window.npcEditor()->pathBox()->setText(QString::fromLocal8Bit(argv[2]));
    window.npcEditor()->loadButton()->click();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
