#include "uifixture.h"

#include "records/table.h"
#include "records/textfile.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/petpage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/pathbox.h"

#include <QAction>
#include <QCloseEvent>
#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <filesystem>

using namespace aethrian;
using namespace aethrian::ui;

namespace {

// The text of a saved file, decoded (tables are saved as UTF-16).
std::string readAll(const std::string& path) {
    return readPaneFile(path);
}

} // namespace

class SavingTest : public WindowTest {
  protected:
    // Loads a copy of the example npcdata into the NPC editor.
    std::string loadNpcCopy(const std::string& name = "npcdata.txt") {
        const std::string file = path(name);
        std::filesystem::copy_file(examplePath("npcdata.txt"), file,
                                   std::filesystem::copy_options::overwrite_existing);
        window->npcEditor()->pathBox()->setText(QString::fromStdString(file));
        window->npcEditor()->loadButton()->click();
        return file;
    }
    TableModel& npc() { return window->workspace().npcModel; }
};

TEST_F(SavingTest, SaveWritesTheLoadedFileAndSaveAsMovesTheTableToTheNewFile) {
    const std::string file = loadNpcCopy();
    ASSERT_GT(npc().rowCount(), 2);
    EXPECT_EQ(window->npcEditor()->filePath(), QString::fromStdString(file));
    ASSERT_TRUE(npc().setData(npc().index(0, 4), QStringLiteral("77"), Qt::EditRole));

    // Ctrl+S on the page writes back in place, without a dialog, in Save as's format.
    window->npcEditor()->view()->setFocus();
    find<QAction>(QStringLiteral("JvStringGrid1SaveAction"))->trigger();
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_FALSE(npc().modified());
    nextFile = QString::fromStdString(path("as.txt"));
    find<QPushButton>(QStringLiteral("saveBTN"))->click();
    EXPECT_EQ(readAll(file), readAll(path("as.txt")));

    // Save as opened in the loaded file's folder with its name, and the page now holds the new
    // file.
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].suggestedPath, QString::fromStdString(file));
    EXPECT_EQ(window->npcEditor()->pathBox()->text(), nextFile);
    npc().setData(npc().index(1, 4), QStringLiteral("88"), Qt::EditRole);
    find<QPushButton>(QStringLiteral("JvStringGrid1Save"))->click();
    EXPECT_NE(readAll(file), readAll(path("as.txt")));
    EXPECT_NE(readAll(path("as.txt")).find("88"), std::string::npos);
}

TEST_F(SavingTest, SaveWithoutAFileAsksLikeSaveAsAndFieldOrderStillAsksFirst) {
    npc().reload([](Table& t) {
        t.resetHeaderOnly();
        t.setColCount(5);
        t.setCell(0, 4, "level");
        t.appendRow({"npc_begin", "a", "warrior", "1", "1"});
    });
    npc().setData(npc().index(0, 4), QStringLiteral("2"), Qt::EditRole);
    nextFile.clear(); // cancelled: nothing written, still modified
    find<QPushButton>(QStringLiteral("JvStringGrid1Save"))->click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(npc().modified());
    nextFile = QString::fromStdString(path("new.txt"));
    find<QPushButton>(QStringLiteral("JvStringGrid1Save"))->click();
    EXPECT_FALSE(npc().modified());
    EXPECT_EQ(window->npcEditor()->filePath(), nextFile);

    // A file whose records disagree on field order: Save asks before writing, "No" writes nothing.
    const std::string odd = path("odd.txt");
    writeFileAtomic(odd, "npc_begin\twarrior\t1\t[a]\tlevel=1\texp=2\tnpc_end\n"
                         "npc_begin\twarrior\t2\t[b]\tlevel=1\tsp=2\tnpc_end\n");
    window->npcEditor()->pathBox()->setText(QString::fromStdString(odd));
    window->npcEditor()->loadButton()->click();
    const std::string before = readAll(odd);
    npc().setData(npc().index(0, 4), QStringLiteral("5"), Qt::EditRole);
    answer = false;
    questions.clear();
    find<QPushButton>(QStringLiteral("JvStringGrid1Save"))->click();
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(readAll(odd), before);
}

TEST_F(SavingTest, LoadingOverEditsOffersSaveDiscardAndCancel) {
    const std::string file = loadNpcCopy();
    const std::string original = readAll(file);
    auto* load = window->npcEditor()->loadButton();
    npc().setData(npc().index(0, 4), QStringLiteral("77"), Qt::EditRole);

    saveAnswer = SaveChoice::Cancel;
    load->click();
    EXPECT_EQ(questions, QStringList{QStringLiteral("Discard unsaved changes?")});
    EXPECT_EQ(window->workspace().npc.cell(1, 4), "77");

    saveAnswer = SaveChoice::Save; // saved to the file, then the file is read again
    load->click();
    EXPECT_NE(readAll(file), original);
    EXPECT_EQ(window->workspace().npc.cell(1, 4), "77");
    EXPECT_FALSE(npc().modified());

    npc().setData(npc().index(0, 4), QStringLiteral("99"), Qt::EditRole);
    saveAnswer = SaveChoice::Discard;
    load->click();
    EXPECT_EQ(window->workspace().npc.cell(1, 4), "77");
    // The three choices, and before the Save the example's comment line that is not written back.
    EXPECT_EQ(questions.size(), 4);
}

TEST_F(SavingTest, ClosingOffersEveryEditedTableAndCancelKeepsTheWindow) {
    const std::string file = loadNpcCopy();
    npc().setData(npc().index(0, 4), QStringLiteral("77"), Qt::EditRole);
    std::filesystem::copy_file(examplePath("petdata.txt"), path("pet.txt"));
    window->petPage()->pathBox()->setText(QString::fromStdString(path("pet.txt")));
    window->petPage()->loadClick();
    TableModel& pet = window->workspace().petModel;
    ASSERT_GT(pet.rowCount(), 0);
    pet.setData(pet.index(0, 1), QStringLiteral("renamed"), Qt::EditRole);

    saveAnswer = SaveChoice::Cancel;
    QCloseEvent cancelled;
    QApplication::sendEvent(window.get(), &cancelled);
    EXPECT_FALSE(cancelled.isAccepted());
    EXPECT_EQ(questions.size(), 1); // Cancel stops at the first table

    // Save writes each table back to its own file.
    questions.clear();
    saveAnswer = SaveChoice::Save;
    QCloseEvent saved;
    QApplication::sendEvent(window.get(), &saved);
    EXPECT_TRUE(saved.isAccepted());
    EXPECT_EQ(questions.size(), 4); // each table's choice and its file's comment line
    EXPECT_NE(readAll(file).find("77"), std::string::npos);
    EXPECT_NE(readAll(path("pet.txt")).find("renamed"), std::string::npos);
    EXPECT_TRUE(requests.empty());
}

TEST_F(WindowTest, FilesFromTheCommandLineLoadIntoThePagesTheirNamesSelect) {
    const std::string unknown = path("notes.txt");
    writeFileAtomic(unknown, "x");
    window->openFiles({QString::fromStdString(examplePath("npcdata.txt")),
                       QString::fromStdString(examplePath("skilldata.txt")),
                       QString::fromStdString(examplePath("npcpos.txt")),
                       QString::fromStdString(unknown),
                       QString::fromStdString(examplePath("weapongrp.txt"))});
    EXPECT_GT(window->workspace().npcModel.rowCount(), 2);
    EXPECT_GT(window->workspace().skillModel.rowCount(), 0);
    EXPECT_EQ(window->skillEditor()->filePath(),
              QString::fromStdString(examplePath("skilldata.txt")));
    // The Skilldata pane's box names the file as "Open server folder..." would; only the editor
    // loads.
    EXPECT_EQ(window->workspace().panes.skilldata->pathBox()->text(),
              QString::fromStdString(examplePath("skilldata.txt")));
    EXPECT_TRUE(window->workspace().panes.skilldata->pane()->toPlainText().isEmpty());
    EXPECT_FALSE(window->workspace().panes.npcpos->pane()->toPlainText().isEmpty());
    EXPECT_GT(window->workspace().weaponGrpModel.rowCount(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(unknown))) << messages[0].toStdString();
    EXPECT_FALSE(messages[0].contains(QStringLiteral("npcpos")));
}

TEST_F(WindowTest, EnterInAPathBoxRunsThePagesLoadOrWatch) {
    auto* box = find<PathBox>(QStringLiteral("Edit35"));
    box->setText(QString::fromStdString(examplePath("itemdata.txt")));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_GT(window->workspace().itemModel.rowCount(), 0);

    auto* first = find<PathBox>(QStringLiteral("Edit33"));
    first->setText(QString::fromStdString(examplePath("npcdata.txt")));
    QTest::keyClick(first, Qt::Key_Enter);
    EXPECT_GT(window->workspace().npcCompareModel.rowCount(), 0);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(WindowTest, RecentPathsPagesAndDialogFoldersSurviveARestartUntilForgotten) {
    auto* box = find<PathBox>(QStringLiteral("Edit32"));
    EXPECT_TRUE(box->recent().isEmpty());
    const std::string second = path("npcdata.txt");
    std::filesystem::copy_file(examplePath("npcdata.txt"), second);
    for (const std::string& file : {examplePath("npcdata.txt"), second, path("missing.txt")}) {
        box->setText(QString::fromStdString(file));
        QTest::keyClick(box, Qt::Key_Return);
    }
    messages.clear(); // the missing file's message; a missing file is not remembered
    const QStringList expected{QString::fromStdString(second),
                               QString::fromStdString(examplePath("npcdata.txt"))};
    EXPECT_EQ(box->recent(), expected);
    EXPECT_EQ(box->completer()->model()->rowCount(), 2); // typing completes from the same list

    // A box keeps ten, newest first, each once.
    auto* pane = find<PathBox>(QStringLiteral("Edit48"));
    for (int i = 0; i < 12; ++i) {
        pane->setText(QStringLiteral("/srv/%1/npcpos.txt").arg(i % 11));
        pane->remember();
    }
    ASSERT_EQ(pane->recent().size(), 10);
    EXPECT_EQ(pane->recent().front(), QStringLiteral("/srv/0/npcpos.txt"));
    EXPECT_EQ(pane->recent()[1], QStringLiteral("/srv/10/npcpos.txt"));
    EXPECT_EQ(pane->recent().back(), QStringLiteral("/srv/2/npcpos.txt"));

    // Each file dialog opens where it last found a file.
    nextFile = QString::fromStdString(path("itemdata.txt"));
    find<PathBox>(QStringLiteral("Edit35"))->browse();
    find<PathBox>(QStringLiteral("Edit35"))->browse();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].suggestedPath.isEmpty());
    EXPECT_EQ(requests[1].suggestedPath, QString::fromStdString(dir.string()));

    window->showPage(window->skillEditor());
    window->resize(900, 700);
    find<QLineEdit>(QStringLiteral("divid"))->setText(QStringLiteral("."));
    QCloseEvent close;
    QApplication::sendEvent(window.get(), &close);
    ASSERT_TRUE(close.isAccepted());
    window = std::make_unique<MainWindow>();

    EXPECT_EQ(find<PathBox>(QStringLiteral("Edit32"))->recent(), expected);
    EXPECT_EQ(find<PathBox>(QStringLiteral("Edit48"))->recent().size(), 10);
    EXPECT_TRUE(
        find<PathBox>(QStringLiteral("Edit32"))->text().isEmpty()); // offered, not filled in
    auto* top = find<QTabWidget>(QStringLiteral("JvPageControl1"));
    EXPECT_EQ(top->tabText(top->currentIndex()), QStringLiteral("SKILLData"));
    auto* skill = find<QTabWidget>(QStringLiteral("JvPageControl4"));
    EXPECT_EQ(skill->currentWidget(), window->skillEditor());
    EXPECT_EQ(window->size(), QSize(900, 700));
    EXPECT_EQ(window->workspace().divider, ','); // the Float divider lives only for the run

    find<QPushButton>(QStringLiteral("ForgetRecentFiles"))->click();
    EXPECT_TRUE(find<PathBox>(QStringLiteral("Edit32"))->recent().isEmpty());
    window = std::make_unique<MainWindow>();
    EXPECT_TRUE(find<PathBox>(QStringLiteral("Edit32"))->recent().isEmpty());
    EXPECT_TRUE(find<PathBox>(QStringLiteral("Edit48"))->recent().isEmpty());
    find<PathBox>(QStringLiteral("Edit35"))->browse();
    EXPECT_TRUE(requests.back().suggestedPath.isEmpty());
}
