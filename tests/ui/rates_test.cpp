#include "uifixture.h"

#include "ui/pages/checkerpage.h"
#include "ui/pages/comparepage.h"
#include "ui/widgets/pathbox.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace aethrian;
using namespace aethrian::ui;

TEST_F(WindowTest, CheckerShowsOneXRatesOfTheExample) {
    find<PathBox>(QStringLiteral("Edit16"))->setText(QString::fromStdString(examplePath("npcdata.txt")));
    auto* check = find<QPushButton>(QStringLiteral("Button1"));
    check->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    for (int i = 17; i <= 31; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("Edit%1").arg(i))->text(), "1") << i;
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Edit17"))->toolTip(), "4,2");
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Edit3"))->toolTip(), "small_shield");
    EXPECT_EQ(check->text(), "Check");
    EXPECT_TRUE(check->isEnabled());

    find<PathBox>(QStringLiteral("Edit16"))->setText(QStringLiteral("/nonexistent"));
    check->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Error: file doesn't exists!")});
}

TEST_F(WindowTest, CompareShowsRatesHighlightsDifferencesAndHandsOff) {
    auto* run = find<QPushButton>(QStringLiteral("compBTN"));
    EXPECT_EQ(run->text(), "Watch");
    find<PathBox>(QStringLiteral("Edit33"))->setText(QString::fromStdString(examplePath("npcdata_2x.txt")));
    auto* second = find<PathBox>(QStringLiteral("Edit34"));
    QTest::keyClicks(second, QString::fromStdString(examplePath("npcdata.txt")));
    EXPECT_EQ(run->text(), "Compare");
    find<QCheckBox>(QStringLiteral("CheckBox3"))->setChecked(true);
    run->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(run->text(), "Compare");

    const Table& grid = window->workspace().npcCompare;
    ASSERT_EQ(grid.rowCount(), 7u); // header, five records, blank last row
    EXPECT_EQ(grid.cell(5, 1), "orc_grunt");
    EXPECT_EQ(grid.cell(5, 5), "2x");
    EXPECT_EQ(grid.cell(5, 0), "<>");
    EXPECT_TRUE(grid.row(6) == Table::Row(grid.colCount()));
    EXPECT_EQ(find<QListWidget>(QStringLiteral("ListBox2"))->count(), 0); // cave_bat is only in the 2nd

    // The duplicate blue_wolf records differ in their ID: F8 walks every differing cell, then stops.
    TableModel& model = window->workspace().npcCompareModel;
    auto* page = window->findChild<ComparePage*>(QStringLiteral("NPCDataComparePage"));
    ASSERT_NE(page, nullptr);
    int found = 0;
    while (page->nextDifference()) {
        const QModelIndex at = page->view()->currentIndex();
        EXPECT_TRUE(model.data(at, TableModel::DifferenceRole).toBool());
        ++found;
        ASSERT_LT(found, 100);
    }
    int expected = 0;
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            expected += model.isDifference(r, c);
    EXPECT_EQ(found, expected);
    EXPECT_GT(found, 0);
    EXPECT_TRUE(model.data(model.index(0, 1), Qt::BackgroundRole).isValid()); // a "<>" row

    // Clearing the second box turns the button back into Watch.
    second->clear();
    EXPECT_EQ(run->text(), "Watch");

    window->action(QStringLiteral("SendFirstFileDatatoRatesChanger1"))->trigger();
    EXPECT_EQ(find<PathBox>(QStringLiteral("Edit32"))->text(),
              QString::fromStdString(examplePath("npcdata_2x.txt")));
    EXPECT_EQ(window->workspace().npc.recordCount(), 5u);
}

TEST_F(WindowTest, CompareOfAMissingFirstFileShowsTheMembersMessage) {
    find<PathBox>(QStringLiteral("Edit37"))->setText(QStringLiteral("/nonexistent"));
    find<QPushButton>(QStringLiteral("ITEMcomp"))->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("ITEMData files doesn't exists...")});
    EXPECT_EQ(find<QPushButton>(QStringLiteral("ITEMcomp"))->text(), "Watch");
}

TEST_F(WindowTest, ClosingTheWindowEndsAnItemComparison) {
    const QString items = QString::fromStdString(examplePath("itemdata.txt"));
    find<PathBox>(QStringLiteral("Edit37"))->setText(items);
    find<PathBox>(QStringLiteral("Edit36"))->setText(items);
    auto* run = find<QPushButton>(QStringLiteral("ITEMcomp"));
    const TableModel& grid = window->workspace().itemCompareModel;
    run->click();
    const int fullRun = grid.rowCount();
    ASSERT_GT(fullRun, 10);
    // The close arrives at the run's first message pump, as a click on the window's X would:
    // the loop stops before its first record, and the old rows are gone.
    QMetaObject::invokeMethod(window.get(), &QWidget::close, Qt::QueuedConnection);
    run->click();
    EXPECT_EQ(grid.rowCount(), 1); // the blank row under the header
    EXPECT_EQ(run->text(), "Compare");
}

namespace {

// `count` NPC records named n0, n1, ..., in that order or reversed.
void writeNpcRecords(const std::string& path, int count, bool reversed) {
    std::ofstream out(path, std::ios::binary);
    for (int k = 0; k < count; ++k) {
        const int i = reversed ? count - 1 - k : k;
        out << "npc_begin\twarrior\t" << i << "\t[n" << i << "]\tlevel=1\tacquire_exp_rate=" << i << "\tnpc_end\r\n";
    }
}

} // namespace

TEST_F(WindowTest, NpcComparisonShowsItsDotsAndStopsOnHalt) {
    // 300 records against the same in reverse order: the emulated front-to-back search counts
    // 300 + 299 + ... + 1 = 45,150 steps, four caption stages of 10,001. The first stage's caption
    // is painted and the window pumped at once, whatever the clock says; the halt clicked there
    // ends the run with the rows found so far.
    writeNpcRecords(path("first.txt"), 300, false);
    writeNpcRecords(path("second.txt"), 300, true);
    find<PathBox>(QStringLiteral("Edit33"))->setText(QString::fromStdString(path("first.txt")));
    find<PathBox>(QStringLiteral("Edit34"))->setText(QString::fromStdString(path("second.txt")));
    auto* run = find<QPushButton>(QStringLiteral("compBTN"));
    auto* halt = find<QPushButton>(QStringLiteral("JvMultilineButton1"));
    QString seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!run->text().startsWith('.'))
            return;
        seen = run->text();
        EXPECT_FALSE(run->isEnabled());
        halt->click();
        watch.stop();
    });
    watch.start(0);
    run->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(seen, ".Working.");
    const Table& grid = window->workspace().npcCompare;
    EXPECT_GT(grid.rowCount(), 2u);
    EXPECT_LT(grid.rowCount(), 100u); // the first stage comes after about 35 records
    EXPECT_EQ(run->text(), "Compare");
    EXPECT_TRUE(run->isEnabled());

    // Without a halt the run goes to the end: every record, header and blank last row.
    watch.disconnect();
    run->click();
    EXPECT_EQ(grid.rowCount(), 302u);
}

// Timing the window's comparison by hand: AETHRIAN_BIG_NPCDATA and AETHRIAN_BIG_NPCDATA2 name two
// files written by `aethrian-bench --generate-npcdata-pair N FIRST SECOND`; run with
// --gtest_also_run_disabled_tests --gtest_filter='*DISABLED_LargeCompare*'.
TEST_F(WindowTest, DISABLED_LargeCompareRunsAsFastAsTheCommandLine) {
    const char* first = std::getenv("AETHRIAN_BIG_NPCDATA");
    const char* second = std::getenv("AETHRIAN_BIG_NPCDATA2");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    window->show();
    find<PathBox>(QStringLiteral("Edit33"))->setText(QString::fromLocal8Bit(first));
    find<PathBox>(QStringLiteral("Edit34"))->setText(QString::fromLocal8Bit(second));
    find<QCheckBox>(QStringLiteral("CheckBox3"))->setChecked(true);
    QElapsedTimer timer;
    timer.start();
    find<QPushButton>(QStringLiteral("compBTN"))->click();
    QApplication::processEvents();
    std::printf("compare with x-rate in the window, shown: %lld ms, %zu rows\n",
                static_cast<long long>(timer.elapsed()), window->workspace().npcCompare.rowCount());
}
