#include "app/memorytuning.h"
#include "app/version.h"
#include "records/textfile.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// help2man builds the manual page from these texts at build time, on machines without a display,
// so they are answered before QApplication would look for one.
bool printedInformation(int argc, char** argv) {
    if (argc < 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("aethrian-editor %s\n", aethrian::kVersion);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::printf(
            "Usage: aethrian-editor [--help] [--version] [FILE...]\n"
            "\n"
            "Opens the Aethrian Script Editor window: a desktop editor and checker for the text\n"
            "data files that drive an online role-playing game's server (npcdata, itemdata,\n"
            "skilldata, PCH index files, npcpos, client text dumps, AI.obj). It edits records\n"
            "as tables with undo, changes rates and drop lists column by column, compares two\n"
            "files record by record and checks the files against one another. The command-line\n"
            "companion aethrian-cli runs the same operations without the window.\n"
            "\n"
            "Each FILE is loaded into the page its name selects (npcdata, itemdata, skilldata,\n"
            "npc_pch, npcpos, weapongrp, ... as in \"Open server folder...\"); files whose kind\n"
            "the name does not tell are listed in a message and not opened.\n"
            "\n"
            "Options:\n"
            "  --help       this text\n"
            "  --version    the program's version\n");
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (printedInformation(argc, argv))
        return 0;
    aethrian::preferHugePages(argv);
    // Saves share the writer with the CLI: a file-size limit gives the message box instead of
    // ending the editor, and an interrupted save removes its temporary file.
    aethrian::protectSavesFromSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Aethrian Script Editor");
    QApplication::setApplicationVersion(QString::fromUtf8(aethrian::kVersion));
    QApplication::setOrganizationName("Aethrian");
    QApplication::setOrganizationDomain("aethrian.github.io");
    QGuiApplication::setDesktopFileName(QString::fromUtf8(aethrian::kApplicationId));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromUtf8(aethrian::kApplicationId)));
    aethrian::ui::MainWindow window;
    window.show();
    QStringList files = QApplication::arguments(); // Qt has taken its own options out
    files.removeFirst();
    if (!files.isEmpty()) // once the window is on screen, so the loads show their progress
        QTimer::singleShot(0, &window, [&window, files] { window.openFiles(files); });
    return QApplication::exec();
}
