// Renders the main window for the README and writes a PNG. Runs offscreen:
//   aethrian-screenshot OUT.png NPCDATA            the NPCData Editor with the file loaded
//   aethrian-screenshot OUT.png FIRST SECOND       NPCData Compare of the two files, x-rate on
//   aethrian-screenshot --filtered OUT.png NPCDATA the editor filtered to levels above 10,
//                                                  scrolled sideways past the frozen columns
//   aethrian-screenshot OUT.png FIRST SECOND rates the "Rates by level" chart of that comparison
#include "ui/mainwindow.h"
#include "ui/pages/comparepage.h"
#include "ui/pages/rateschart.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/filterbar.h"
#include "ui/widgets/pathbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The NPC table filtered to levels above 10, scrolled to the rates with Name, Type and ID in place.
int filteredShot(aethrian::ui::MainWindow& window, const char* out, const char* npcdata) {
    using namespace aethrian::ui;
    window.npcEditor()->pathBox()->setText(QString::fromLocal8Bit(npcdata));
    window.npcEditor()->loadButton()->click();
    QTableView* view = window.npcEditor()->view();
    view->setCurrentIndex(view->model()->index(1, 4));
    window.npcEditor()->filterBar()->setOpen(true);
    auto* test = window.findChild<QComboBox*>(QStringLiteral("JvStringGrid1FilterTest0"));
    test->setCurrentIndex(test->findText(QStringLiteral(">")));
    window.findChild<QLineEdit*>(QStringLiteral("JvStringGrid1FilterText0"))
        ->setText(QStringLiteral("10"));
    window.npcEditor()->filterBar()->applyNow();
    QApplication::processEvents();
    view->horizontalScrollBar()->setValue(480);
    view->setCurrentIndex(view->model()->index(2, 8));
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(out)) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--filtered") {
        QApplication app(argc, argv);
        aethrian::ui::MainWindow window;
        window.show();
        window.findChild<QTabWidget*>(QStringLiteral("JvPageControl1"))->setCurrentIndex(0);
        return filteredShot(window, argv[2], argv[3]);
    }
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
