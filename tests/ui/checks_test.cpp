#include "uifixture.h"

#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAbstractButton>
#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace aethrian::ui;

namespace {

void loadPane(WindowTest* t, aethrian::ui::MainWindow* w, const char* box, const char* button,
              const std::string& file) {
    (void)t;
    w->findChild<PathBox*>(QString::fromLatin1(box))
        ->setText(QString::fromStdString(examplePath(file)));
    w->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

} // namespace

TEST_F(WindowTest, ChecksOnTheExamplesFindThePlantedFaults) {
    loadPane(this, window.get(), "Edit32", "Loadbtn", "npcdata.txt");
    loadPane(this, window.get(), "Edit35", "Load2BTN", "itemdata.txt");
    loadPane(this, window.get(), "Edit48", "Button16", "npcpos.txt");
    loadPane(this, window.get(), "Edit49", "Button18", "npcgrp.txt");
    loadPane(this, window.get(), "Edit42", "Button4", "npc_pch.txt");
    for (const char* a : {"CheckifallitemsexistsinITEMData1", "Checkifallmonstersexists1",
                          "CheckpresenceinsideNPCPOS1", "CheckpresenceinsideNPCPCH1"})
        window->action(QString::fromLatin1(a))->trigger();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    const QStringList log = find<LogList>(QStringLiteral("ListBox1"))->lines();
    EXPECT_TRUE(log.contains(QStringLiteral("  item ghost_blade not found")));
    EXPECT_TRUE(log.contains(QStringLiteral("NPC ghost_wolf not found.")));
    EXPECT_TRUE(log.contains(QStringLiteral("NPC [karik] (20003) not found.")));
    EXPECT_TRUE(
        log.contains(QStringLiteral("NPC [cave_bat] (20005) is unregistered inside NPC_PCH")));

    // Generating replaces the pane; the switch and compare buttons work on the two panes.
    window->action(QStringLiteral("GenerateNPCPCH1"))->trigger();
    auto* first = find<QPlainTextEdit>(QStringLiteral("TntMemo1"));
    EXPECT_TRUE(first->toPlainText().startsWith(QStringLiteral("[orc_grunt]\t=\t1020001")));
    find<QAbstractButton>(QStringLiteral("SpeedButton1"))->click();
    EXPECT_TRUE(first->toPlainText().isEmpty());
    loadPane(this, window.get(), "Edit42", "Button4", "npc_pch.txt");
    find<QAbstractButton>(QStringLiteral("SpeedButton2"))->click();
    EXPECT_EQ(find<LogList>(QStringLiteral("JvListBox2"))->lines(),
              (QStringList{"Compare first NPC_PCH to second NPC_PCH...",
                           "NPC blue_wolf is duplicated inside second NPC_PCH", "Check DONE"}));
}

TEST_F(WindowTest, SkillToolsSortThePaneAndListFindings) {
    loadPane(this, window.get(), "Edit51", "Button22", "skilldata.txt");
    loadPane(this, window.get(), "Edit52", "Button25", "skill_pch.txt");
    find<QPushButton>(QStringLiteral("Button24"))->click();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], "DUPLICAZIONE, STESSO ID E STESSO LIVELLO!!!!!");
    EXPECT_EQ(messages.last(), "done!");
    EXPECT_TRUE(find<QPlainTextEdit>(QStringLiteral("TntMemo11"))
                    ->toPlainText()
                    .contains(QStringLiteral("skill_id = 3 \tlevel = 1")));
    window->action(QStringLiteral("FindallinsideSkillPCH1"))->trigger();
    window->action(QStringLiteral("FindallinsideSkillPCH1"))->trigger();
    auto* list = find<QListWidget>(QStringLiteral("ListBox9"));
    EXPECT_EQ(list->count(), 4); // two findings, twice: results accumulate
    EXPECT_EQ(list->item(0)->text(),
              QString::fromUtf8("[s_power_strike1_copy] non è stato trovato"));
}
