#include "uifixture.h"

#include "ui/models/findingsmodel.h"
#include "ui/pages/checkpage.h"
#include "ui/widgets/loglist.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

using namespace aethrian;
using namespace aethrian::ui;

namespace {

const std::string kExamples = std::string(AETHRIAN_SOURCE_DIR) + "/examples";

} // namespace

TEST_F(WindowTest, ServerFolderFillsTheBoxesThenCheckEverythingFindsAndShowsTheExamplesFaults) {
    QStringList asked;
    seams().folderDialog = [&](const QString& title) {
        asked << title;
        return QString::fromStdString(kExamples);
    };
    find<QPushButton>(QStringLiteral("OpenServerFolder"))->click();
    ASSERT_EQ(asked.size(), 1);
    // Every box of a file the folder holds, and nothing loaded by itself.
    for (const auto& [box, file] :
         std::initializer_list<std::pair<const char*, const char*>>{{"Edit32", "npcdata.txt"},
                                                                    {"Edit48", "npcpos.txt"},
                                                                    {"Edit43", "item_pch.txt"},
                                                                    {"Edit44", "weapongrp.txt"},
                                                                    {"Edit47", "itemname.txt"},
                                                                    {"Edit51", "skilldata.txt"},
                                                                    {"Edit54", "skillgrp.txt"}})
        EXPECT_EQ(find<QLineEdit>(QString::fromLatin1(box))->text().toStdString(),
                  kExamples + "/" + file)
            << box;
    EXPECT_EQ(window->workspace().npc.text(1, 1), ""); // the empty start row: nothing loaded
    const QStringList log = find<LogList>(QStringLiteral("ListBox1"))->lines();
    EXPECT_TRUE(log.filter(QStringLiteral("Edit48 (npcpos): ")).size() == 1)
        << log.join('\n').toStdString();
    EXPECT_TRUE(log.filter(QStringLiteral("npc_pch")).size() == 1);

    // The shortcut asks too; a cancelled choice changes nothing.
    seams().folderDialog = [&](const QString&) { return QString(); };
    find<QShortcut>(QStringLiteral("OpenServerFolderShortcut"))->activated();
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Edit32"))->text().toStdString(),
              kExamples + "/npcdata.txt");

    find<QPushButton>(QStringLiteral("CheckEverythingRun"))->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    auto* view = find<QTableView>(QStringLiteral("CheckEverythingResults"));
    auto* model = qobject_cast<FindingsModel*>(view->model());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->rowCount(), 27);
    EXPECT_EQ(find<QPushButton>(QStringLiteral("CheckEverythingRun"))->text(),
              QStringLiteral("Check everything"));
    const QString counts = find<QLabel>(QStringLiteral("CheckEverythingCounts"))->text();
    EXPECT_TRUE(counts.contains(QStringLiteral("npcgrp 1"))) << counts.toStdString();
    EXPECT_TRUE(counts.contains(QStringLiteral("items-not-dropped 3"))) << counts.toStdString();

    int karik = -1;
    for (int r = 0; r < model->rowCount(); ++r) {
        if (r > 0) { // sorted by file, then line
            const Finding& a = model->findings()[static_cast<size_t>(r - 1)];
            const Finding& b = model->findings()[static_cast<size_t>(r)];
            EXPECT_TRUE(a.file < b.file || (a.file == b.file && a.line <= b.line));
        }
        if (model->index(r, 0).data().toString() == QStringLiteral("npcgrp"))
            karik = r;
    }
    ASSERT_GE(karik, 0);
    EXPECT_EQ(model->index(karik, 2).data().toInt(), 4);
    EXPECT_EQ(model->index(karik, 3).data().toString(), QStringLiteral("karik"));
    EXPECT_EQ(model->index(karik, 4).data().toString(),
              QStringLiteral("NPC [karik] (20003) not found."));

    // Not loaded yet: a double-click selects nothing. Loaded: it selects the record's row.
    auto* npcView = find<QTableView>(QStringLiteral("JvStringGrid1"));
    emit view->doubleClicked(model->index(karik, 4));
    EXPECT_FALSE(npcView->selectionModel() && npcView->selectionModel()->hasSelection());
    find<QPushButton>(QStringLiteral("Loadbtn"))->click();
    ASSERT_EQ(window->workspace().npc.recordCount(), 6u);
    emit view->doubleClicked(model->index(karik, 4));
    const QModelIndexList rows = npcView->selectionModel()->selectedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(window->workspace().npc.cell(static_cast<size_t>(rows[0].row()) + 1, 1), "karik");
}

TEST_F(WindowTest, CheckEverythingWithoutFilesSaysSo) {
    find<QPushButton>(QStringLiteral("CheckEverythingRun"))->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("No server file is named")));
}
