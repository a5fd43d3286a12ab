#include "uifixture.h"

#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace aethrian;
using namespace aethrian::ui;

class EditingTest : public WindowTest {
  protected:
    void loadExample() {
        find<PathBox>(QStringLiteral("Edit32"))
            ->setText(QString::fromStdString(examplePath("npcdata.txt")));
        find<QPushButton>(QStringLiteral("Loadbtn"))->click();
    }
    void select(int viewRow, int column) {
        auto* view = find<QTableView>(QStringLiteral("JvStringGrid1"));
        view->setCurrentIndex(view->model()->index(viewRow, column));
    }
    QDialog* changes() { return window->findChild<QDialog*>(QStringLiteral("TForm2")); }
    QLineEdit* in(QDialog* d, const char* name) {
        return d->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
};

TEST_F(EditingTest, ColumnMultiplyThroughTheChangesDialogThenCompareShowsTwoX) {
    loadExample();
    select(0, 5); // acquire_exp_rate
    window->action(QStringLiteral("Changevalue1"))->trigger();
    ASSERT_TRUE(changes()->isVisible());
    in(changes(), "Edit1")->setText(QStringLiteral("2"));
    changes()->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_FALSE(changes()->isVisible());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(window->workspace().npc.cell(1, 5), "8.4");
    EXPECT_EQ(find<LogList>(QStringLiteral("ListBox1"))->lines().last(),
              QStringLiteral("Column acquire_exp_rate :: MULTIPLY by 2"));

    nextFile = QString::fromStdString(path("doubled.txt"));
    find<QPushButton>(QStringLiteral("saveBTN"))->click();
    find<PathBox>(QStringLiteral("Edit33"))->setText(nextFile);
    find<PathBox>(QStringLiteral("Edit34"))
        ->setText(QString::fromStdString(examplePath("npcdata.txt")));
    find<QCheckBox>(QStringLiteral("CheckBox3"))->setChecked(true);
    find<QPushButton>(QStringLiteral("compBTN"))->click();
    EXPECT_EQ(window->workspace().npcCompare.cell(1, 5), "2x");

    // One user action, one undo step.
    window->workspace().npcModel.undo();
    EXPECT_EQ(window->workspace().npc.cell(1, 5), "4.2");
}

TEST_F(EditingTest, ZeroFactorClosesTheDialogWithItsMessage) {
    loadExample();
    select(0, 5);
    window->action(QStringLiteral("N1"))->trigger();
    auto* warp = changes()->findChildren<QRadioButton*>().at(4);
    warp->click();
    EXPECT_TRUE(changes()->findChild<QWidget*>(QStringLiteral("Panel3"))->isVisibleTo(changes()));
    in(changes(), "Edit12")->setText(QStringLiteral("0"));
    const std::string before = dumpTable(window->workspace().npc);
    changes()->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("I can't multiply or divide by zero!")});
    EXPECT_EQ(in(changes(), "Edit1")->text(), "0");
    EXPECT_FALSE(changes()->isVisible());
    EXPECT_EQ(dumpTable(window->workspace().npc), before);
}

TEST_F(EditingTest, AddDropTestItAndOnlyThisCell) {
    loadExample();
    window->action(QStringLiteral("Adddrop1"))->trigger();
    auto* dialog = window->findChild<QDialog*>(QStringLiteral("TForm3"));
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(in(dialog, "Edit9")->text(), "1");
    EXPECT_EQ(in(dialog, "Edit10")->text(), "1");
    EXPECT_EQ(in(dialog, "Edit11")->text(), "0,06625");

    in(dialog, "Edit1")->setText(QStringLiteral("sword_a"));
    select(4, 1); // cave_bat, whose grouped list is empty
    dialog->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    EXPECT_EQ(window->workspace().npc.cell(5, 21), "{{{{[sword_a];1;1;100}};0.02225}}");
    EXPECT_EQ(find<LogList>(QStringLiteral("ListBox1"))->lines().last(), "Item added");
}

TEST_F(EditingTest, AddDropRefusesListSyntaxInTheNameAndRoundsTheExactValue) {
    loadExample();
    window->action(QStringLiteral("Adddrop1"))->trigger();
    auto* dialog = window->findChild<QDialog*>(QStringLiteral("TForm3"));
    in(dialog, "Edit12")->setText(QStringLiteral("50"));
    dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(in(dialog, "Edit10")->text(), "4"); // 1 + 0,001 x 2500 = 3,5 exactly
    EXPECT_EQ(in(dialog, "Edit11")->text(), "0,635");

    const std::string before = dumpTable(window->workspace().npc);
    const QStringList logBefore = find<LogList>(QStringLiteral("ListBox1"))->lines();
    in(dialog, "Edit1")->setText(QStringLiteral("sword];1;1;100}};5}"));
    select(4, 1);
    dialog->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    dialog->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    EXPECT_EQ(messages, QStringList(2, QStringLiteral("An item name cannot hold [ ] { } or ;")));
    EXPECT_EQ(dumpTable(window->workspace().npc), before);
    EXPECT_EQ(find<LogList>(QStringLiteral("ListBox1"))->lines(), logBefore);
}

TEST_F(EditingTest, SearchFindNextSortAndCleanUpCommands) {
    loadExample();
    QString answerText = QStringLiteral("blue");
    aethrian::ui::seams().prompt = [&](const QString& title, const QString& label, const QString&) {
        questions << title + "|" + label;
        return std::optional<QString>(answerText);
    };
    window->action(QStringLiteral("Search1"))->trigger();
    auto* view = find<QTableView>(QStringLiteral("JvStringGrid1"));
    EXPECT_EQ(questions.last(), "Search for a name:|Name:");
    EXPECT_EQ(view->currentIndex().row(), 3);
    EXPECT_EQ(view->currentIndex().column(), 1);
    view->selectionModel()->clearSelection();
    window->action(QStringLiteral("Findnext1"))->trigger();
    EXPECT_EQ(view->currentIndex().row(), 5);

    answerText.clear();
    window->action(QStringLiteral("Search1"))->trigger();
    EXPECT_EQ(messages.last(), "You must insert a name to search");
    window->action(QStringLiteral("Findnext1"))->trigger();
    EXPECT_EQ(messages.last(), "You must first search something...");

    select(0, 3); // ID column
    view->selectionModel()->select(view->currentIndex(), QItemSelectionModel::ClearAndSelect);
    window->action(QStringLiteral("FindDuplicates2"))->trigger();
    EXPECT_EQ(find<LogList>(QStringLiteral("ListBox1"))->lines().last(), "Found 1 duplicates");

    answerText = QStringLiteral("x");
    select(0, 10);
    view->selectionModel()->select(view->currentIndex(), QItemSelectionModel::ClearAndSelect);
    window->action(QStringLiteral("Fillwith1"))->trigger();
    EXPECT_EQ(window->workspace().npc.cell(6, 10), "x");
    window->workspace().npcModel.undo();
    EXPECT_NE(window->workspace().npc.cell(6, 10), "x");

    // Opened over another table that shares it, the ITEM menu's Find duplicates still acts on
    // the ITEM table and logs into its list.
    find<PathBox>(QStringLiteral("Edit35"))
        ->setText(QString::fromStdString(examplePath("itemdata.txt")));
    find<QPushButton>(QStringLiteral("Load2BTN"))->click();
    QMenu* itemMenu = window->popupMenu(QStringLiteral("PopupMenu3"));
    itemMenu->setProperty("sourceWidget", QVariant::fromValue<QObject*>(
                                              find<QTableView>(QStringLiteral("JvPetGrid1"))));
    emit itemMenu->aboutToShow();
    QAction* duplicates = window->action(QStringLiteral("Findduplicates1"));
    EXPECT_TRUE(duplicates->isEnabled());
    duplicates->trigger();
    const QStringList itemLog = find<LogList>(QStringLiteral("Listbox3"))->lines();
    ASSERT_GE(itemLog.size(), 2) << messages.join(QChar(10)).toStdString();
    EXPECT_EQ(itemLog.mid(itemLog.size() - 2),
              (QStringList{"wolf_pelt (ID:73) is a duplicate of wolf_pelt(ID:1867)",
                           "Found 1 duplicates"}));
}
