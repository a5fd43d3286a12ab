#include "uifixture.h"

#include "records/textfile.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace aethrian::ui;

namespace {

class LogJumps : public WindowTest {
  protected:
    void load(const char* box, const char* button, const std::string& file) {
        find<PathBox>(QString::fromLatin1(box))->setText(QString::fromStdString(examplePath(file)));
        find<QPushButton>(QString::fromLatin1(button))->click();
    }
    void loadTables() {
        load("Edit32", "Loadbtn", "npcdata.txt");
        load("Edit35", "Load2BTN", "itemdata.txt");
    }
    void trigger(const char* name) { find<QAction>(QString::fromLatin1(name))->trigger(); }
    // The page each page control shows: the page a jump went to is the front one.
    bool inFront(QWidget* page) const {
        auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
        return tabs && tabs->currentWidget() == page;
    }
    // The current cell of an editor table as "view row, column".
    static std::pair<int, int> current(TablePage* page) {
        const QModelIndex at = page->view()->currentIndex();
        return {at.row(), at.column()};
    }
    int lineOf(LogList* log, const QString& text) const {
        const int line = static_cast<int>(log->lines().indexOf(text));
        EXPECT_GE(line, 0) << text.toStdString();
        return line;
    }
    bool goToOffered(LogList* log, int line) {
        log->setCurrentRow(line);
        emit log->contextMenu()->aboutToShow();
        const bool offered = find<QAction>(log->objectName() + "GoToRecord")->isEnabled();
        emit log->contextMenu()->aboutToHide();
        return offered;
    }
};

} // namespace

TEST_F(LogJumps, CheckLinesLeadToTheirRecordsByMenuAndByEnter) {
    loadTables();
    load("Edit49", "Button18", "npcgrp.txt");
    window->action(QStringLiteral("CheckifallitemsexistsinITEMData1"))->trigger();
    window->action(QStringLiteral("CheckpresenceinsideNPCPOS1"))->trigger();
    TablePage* npc = window->npcEditor();
    LogList* log = npc->log();
    npc->selectRow(0, 1);

    // The menu's "Go to record": cave_bat (view row 4) drops the missing ghost_blade.
    log->setCurrentRow(lineOf(log, "  item ghost_blade not found"));
    trigger("ListBox1GoToRecord");
    EXPECT_EQ(current(npc), std::make_pair(4, 1));
    // Enter on another finding: karik, view row 2.
    log->setCurrentRow(lineOf(log, "NPC [karik] (20003) not found."));
    QTest::keyClick(log, Qt::Key_Return);
    EXPECT_EQ(current(npc), std::make_pair(2, 1));
    EXPECT_TRUE(inFront(npc));

    // A finding made before a sort still finds its record, which moved.
    window->workspace().npcModel.apply([&] {
        aethrian::TableEdit reverse;
        reverse.order = {5, 4, 3, 2, 1, 0};
        return reverse;
    }());
    log->setCurrentRow(lineOf(log, "NPC [karik] (20003) not found."));
    QTest::keyClick(log, Qt::Key_Enter);
    EXPECT_EQ(current(npc), std::make_pair(3, 1));

    // A line without an attached row leads by the name and ID its words give; start and closing
    // lines lead nowhere, and the log texts stay as they were.
    log->append(QStringLiteral("NPC [porta] (20002) not found."));
    EXPECT_TRUE(goToOffered(log, log->count() - 1));
    QTest::keyClick(log, Qt::Key_Return);
    EXPECT_EQ(current(npc), std::make_pair(4, 1));
    EXPECT_FALSE(goToOffered(log, lineOf(log, "Check DONE")));
    EXPECT_FALSE(goToOffered(log, lineOf(log, "Searching ITEMs...")));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(LogJumps, CopySaveClearAndTheLineCountInTheCaption) {
    LogList* log = window->itemEditor()->log();
    auto* group = qobject_cast<QGroupBox*>(log->parentWidget());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "Log");
    QStringList many;
    for (int i = 0; i < 2738; ++i)
        many << QStringLiteral("line %1").arg(i);
    log->appendLines(many);
    EXPECT_EQ(group->title(), "Log (2,738)");
    // Adding still selects the last line alone.
    EXPECT_EQ(log->selectedItems().size(), 1);
    EXPECT_EQ(log->currentRow(), 2737);

    log->clearSelection();
    log->item(3)->setSelected(true);
    log->item(1)->setSelected(true);
    trigger("Listbox3Copy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "line 1\nline 3");

    log->clear();
    EXPECT_EQ(group->title(), "Log");
    log->append(QStringLiteral("Searching ITEMs..."));
    log->append(QString::fromUtf8("[s_power] non è stato trovato"));
    EXPECT_EQ(group->title(), "Log (2)");
    trigger("Listbox3CopyAll");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("Searching ITEMs...\n[s_power] non è stato trovato"));

    nextFile = QString::fromStdString(path("log.txt"));
    trigger("Listbox3SaveAs");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(aethrian::readFileBytes(path("log.txt")),
              "Searching ITEMs...\n[s_power] non \xC3\xA8 stato trovato\n");
    nextFile.clear(); // cancelled: nothing is written
    trigger("Listbox3SaveAs");

    trigger("Listbox3Clear");
    EXPECT_EQ(log->count(), 0);
    EXPECT_EQ(group->title(), "Log");
    // The other logs count too, and a double-click still empties only its own list.
    LogList* pchLog = find<LogList>(QStringLiteral("JvListBox2"));
    pchLog->append(QStringLiteral("Check DONE"));
    EXPECT_EQ(qobject_cast<QGroupBox*>(pchLog->parentWidget())->title(), "Log (1)");
    log->append(QStringLiteral("kept"));
    QTest::mouseDClick(pchLog->viewport(), Qt::LeftButton);
    EXPECT_EQ(pchLog->count(), 0);
    EXPECT_EQ(log->count(), 1);
}

TEST_F(LogJumps, ConversionErrorKeepsItsMessageAndSelectsTheFailingCell) {
    loadTables();
    TablePage* items = window->itemEditor();
    TableModel& itemModel = window->workspace().itemModel;
    itemModel.setData(itemModel.index(5, 3), QStringLiteral("abc"), Qt::EditRole);
    items->view()->setCurrentIndex(itemModel.index(0, 3));
    window->showPage(window->npcEditor());
    trigger("SortbyID2");
    EXPECT_EQ(messages, QStringList{"'abc' is not a valid floating point value"});
    EXPECT_EQ(current(items), std::make_pair(5, 3));
    EXPECT_TRUE(items->view()->selectionModel()->isSelected(itemModel.index(5, 3)));
    EXPECT_TRUE(inFront(items));

    // A drop list on the NPC page: its cell, not the first of the row.
    TablePage* npc = window->npcEditor();
    TableModel& npcModel = window->workspace().npcModel;
    npcModel.setData(npcModel.index(2, 19), QStringLiteral("{{[bone];a;1;5}}"), Qt::EditRole);
    messages.clear();
    trigger("CheckifallIAexsists1");
    EXPECT_EQ(messages, QStringList{"'a' is not a valid floating point value"});
    EXPECT_EQ(current(npc), std::make_pair(2, 19));
    EXPECT_TRUE(inFront(npc));
}

TEST_F(LogJumps, GoToItemWhereDroppedAndBackAndForward) {
    loadTables();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    TablePage* npc = window->npcEditor();
    TablePage* items = window->itemEditor();
    TableModel& npcModel = window->workspace().npcModel;

    // orc_grunt's grouped list names adena and small_shield: the chooser offers both.
    QStringList offered;
    aethrian::ui::seams().choice = [&](const QString&, const QStringList& names) {
        offered = names;
        return std::optional<int>(1);
    };
    window->showPage(npc);
    npc->view()->setCurrentIndex(npcModel.index(0, 21));
    trigger("GoToItem1");
    EXPECT_EQ(offered, (QStringList{"adena", "small_shield"}));
    EXPECT_EQ(current(items), std::make_pair(1, 1));
    EXPECT_TRUE(inFront(items));

    // Where it is dropped, in the ITEM log; its NPC line leads to the NPC page.
    trigger("WhereDropped1");
    LogList* log = items->log();
    EXPECT_EQ(log->lines().mid(log->count() - 2),
              (QStringList{"Item [small_shield] (ID:20) is named in 1 NPC drop list:",
                           "  NPC [orc_grunt] (20001) in additional_make_multi_list"}));
    npc->selectRow(5, 1);
    log->setCurrentRow(log->count() - 1);
    QTest::keyClick(log, Qt::Key_Return);
    EXPECT_EQ(current(npc), std::make_pair(0, 1));
    EXPECT_TRUE(inFront(npc));

    // Back to the item the line was read on, back to the list the item was chosen from, then
    // forward again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(inFront(items));
    EXPECT_EQ(current(items), std::make_pair(1, 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(inFront(npc));
    EXPECT_EQ(current(npc).first, 0);
    EXPECT_FALSE(find<QAction>(QStringLiteral("NavigateBack"))->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_TRUE(inFront(items));
    EXPECT_EQ(current(items), std::make_pair(1, 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_TRUE(inFront(npc));
    EXPECT_FALSE(find<QAction>(QStringLiteral("NavigateForward"))->isEnabled());

    // An edit of the NPC table is seen by the next question: porta now drops it too.
    npcModel.setData(npcModel.index(1, 19), QStringLiteral("{{[small_shield];1;1;5}}"),
                     Qt::EditRole);
    items->selectRow(1, 1);
    trigger("WhereDropped1");
    EXPECT_EQ(log->lines().mid(log->count() - 3),
              (QStringList{"Item [small_shield] (ID:20) is named in 2 NPC drop lists:",
                           "  NPC [orc_grunt] (20001) in additional_make_multi_list",
                           "  NPC [porta] (20002) in corpse_make_list"}));

    // A list naming one item goes straight there; a cell naming none says so.
    offered.clear();
    npc->view()->setCurrentIndex(npcModel.index(2, 19));
    trigger("GoToItem1");
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_EQ(items->model()->table().cell(static_cast<size_t>(current(items).first) + 1, 1),
              "blue_wolve's_breastplate_part");
    npc->view()->setCurrentIndex(npcModel.index(2, 4));
    trigger("GoToItem1");
    EXPECT_EQ(messages.last(), "The selected cell names no item.");
}
