// Renders the main window for the README and writes a PNG. Runs offscreen:
//   aethrian-screenshot OUT.png NPCDATA            the NPCData Editor with the file loaded
//   aethrian-screenshot OUT.png FIRST SECOND       NPCData Compare of the two files, x-rate on
//   aethrian-screenshot OUT.png FIRST SECOND rates the "Rates by level" chart of that comparison
#include "ui/mainwindow.h"
#include "ui/pages/comparepage.h"
#include "ui/pages/rateschart.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/pathbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    const bool rates = argc == 5 && std::string_view(argv[4]) == "rates";
    if (argc != 3 && argc != 4 && !rates) {
        std::fprintf(stderr, "usage: aethrian-screenshot OUT.png NPCDATA [SECOND [rates]]\n");
        return 1;
    }
    QApplication app(argc, argv);
    aethrian::ui::MainWindow window;
    window.show();
    window.findChild<QTabWidget*>(QStringLiteral("JvPageControl1"))->setCurrentIndex(0);
    if (argc == 3) {
        window.npcEditor()->pathBox()->setText(QString::fromLocal8Bit(argv[2]));
        window.npcEditor()->loadButton()->click();
    } else {
        window.findChild<QTabWidget*>(QStringLiteral("JvPageControl2"))->setCurrentIndex(1);
        window.findChild<aethrian::ui::PathBox*>(QStringLiteral("Edit33"))
            ->setText(QString::fromLocal8Bit(argv[2]));
        window.findChild<aethrian::ui::PathBox*>(QStringLiteral("Edit34"))
            ->setText(QString::fromLocal8Bit(argv[3]));
        window.findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->setChecked(true);
        window.findChild<QPushButton*>(QStringLiteral("compBTN"))->click();
    }
    QApplication::processEvents();
    if (rates) {
        auto* page =
            window.findChild<aethrian::ui::ComparePage*>(QStringLiteral("NPCDataComparePage"));
        page->ratesButton()->click();
        QApplication::processEvents();
        return page->ratesChart()->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    }
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
