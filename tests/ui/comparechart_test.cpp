#include "uifixture.h"

#include "ui/models/tablemodel.h"
#include "ui/pages/comparepage.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <set>
#include <utility>

using namespace aethrian;
using namespace aethrian::ui;

namespace {

void load(MainWindow* w, const char* box, const char* button, const std::string& file) {
    w->findChild<PathBox*>(QString::fromLatin1(box))->setText(QString::fromStdString(file));
    w->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

} // namespace

TEST_F(WindowTest, ACheckAgainstAnEmptyPaneIsRefusedNamingThePane) {
    load(window.get(), "Edit35", "Load2BTN", examplePath("itemdata.txt"));
    load(window.get(), "Edit32", "Loadbtn", examplePath("npcdata.txt"));
    auto* itemLog = find<LogList>(QStringLiteral("Listbox3"));
    const QStringList before = itemLog->lines();
    window->action(QStringLiteral("CheckpresenceinsideITEMPCH1"))->trigger();
    EXPECT_EQ(messages, QStringList{"The ITEM_PCH pane (Item_pch page) is empty, so the check was "
                                    "not run."});
    EXPECT_EQ(itemLog->lines(), before); // not one "unregistered" line

    // The merged check reads its three panes as one: only all three empty stop it.
    messages.clear();
    window->action(QStringLiteral("CheckpresenceinsideClient1"))->trigger();
    EXPECT_EQ(
        messages,
        QStringList{"The weapongrp pane (Client:WeaponGrp page, Text View), the armorgrp pane "
                    "(Client:ArmorGrp page, Text View) and the etcitemgrp pane "
                    "(Client:EtcItemGrp page, Text View) are empty, so the check was not "
                    "run."});

    // The NPC_PCH comparison with nothing switched to the right pane.
    messages.clear();
    load(window.get(), "Edit42", "Button4", examplePath("npc_pch.txt"));
    find<QAbstractButton>(QStringLiteral("SpeedButton2"))->click();
    EXPECT_EQ(messages, QStringList{"The right NPC_PCH pane (Npc_pch page) is empty, so the check "
                                    "was not run."});
    EXPECT_TRUE(find<LogList>(QStringLiteral("JvListBox2"))->lines().isEmpty());

    // Once loaded, the check runs and finds the planted faults.
    messages.clear();
    load(window.get(), "Edit43", "Button5", examplePath("item_pch.txt"));
    window->action(QStringLiteral("CheckpresenceinsideITEMPCH1"))->trigger();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_TRUE(itemLog->lines().contains(
        QStringLiteral("ITEM [iron_dagger] (72) is unregistered inside ITEM_PCH")));
}

namespace {

// The cells F8 visits from the top, as (view row, column).
std::set<std::pair<int, int>> walkDifferences(ComparePage* page) {
    page->view()->setCurrentIndex({});
    auto* next = page->findChild<QAction*>(QStringLiteral("JvStringGrid2NextDifference"));
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < 200; ++i) {
        const QModelIndex before = page->view()->currentIndex();
        next->trigger();
        const QModelIndex at = page->view()->currentIndex();
        if (at == before)
            break;
        seen.insert({at.row(), at.column()});
    }
    return seen;
}

} // namespace

TEST_F(WindowTest, XRateComparisonKeepsItsHighlightsAndF8) {
    find<PathBox>(QStringLiteral("Edit33"))
        ->setText(QString::fromStdString(examplePath("npcdata_2x.txt")));
    find<PathBox>(QStringLiteral("Edit34"))
        ->setText(QString::fromStdString(examplePath("npcdata.txt")));
    auto* page = window->findChild<ComparePage*>(QStringLiteral("NPCDataComparePage"));
    ASSERT_NE(page, nullptr);
    auto* run = find<QPushButton>(QStringLiteral("compBTN"));
    run->click();
    const std::set<std::pair<int, int>> plain = walkDifferences(page);
    ASSERT_FALSE(plain.empty());

    find<QCheckBox>(QStringLiteral("CheckBox3"))->setChecked(true);
    run->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    const TableModel& model = window->workspace().npcCompareModel;
    const Table& grid = window->workspace().npcCompare;
    const size_t exp = grid.findColumn("acquire_exp_rate");
    ASSERT_NE(exp, Table::npos);
    // orc_grunt: a ratio of 2 is highlighted; the level, equal in both files, is not.
    ASSERT_EQ(grid.cell(5, 1), "orc_grunt");
    EXPECT_EQ(grid.cell(5, exp), "2x");
    const int orc = 4, expCol = static_cast<int>(exp);
    EXPECT_TRUE(model.data(model.index(orc, expCol), TableModel::DifferenceRole).toBool());
    EXPECT_FALSE(model
                     .data(model.index(orc, static_cast<int>(grid.findColumn("level"))),
                           TableModel::DifferenceRole)
                     .toBool());
    // The ratios stand where the values differed, so F8 stops at the same cells as without x-rate.
    const std::set<std::pair<int, int>> xRate = walkDifferences(page);
    EXPECT_EQ(xRate, plain);
    EXPECT_TRUE(xRate.count({orc, expCol}));
}
