#include "uifixture.h"

#include "ui/models/tablemodel.h"
#include "ui/pages/comparepage.h"
#include "ui/pages/rateschart.h"
#include "ui/widgets/pathbox.h"

#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>

#include <set>
#include <utility>

using namespace aethrian;
using namespace aethrian::ui;

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

TEST_F(WindowTest, RatesByLevelChartsTheRatiosOfATwoXComparison) {
    auto* page = window->findChild<ComparePage*>(QStringLiteral("NPCDataComparePage"));
    ASSERT_NE(page, nullptr);
    QPushButton* rates = page->ratesButton();
    ASSERT_NE(rates, nullptr);
    EXPECT_FALSE(rates->isEnabled()); // no results yet
    find<PathBox>(QStringLiteral("Edit33"))
        ->setText(QString::fromStdString(examplePath("npcdata_2x.txt")));
    auto* run = find<QPushButton>(QStringLiteral("compBTN"));
    find<QCheckBox>(QStringLiteral("CheckBox3"))->setChecked(true);
    run->click(); // Watch: nothing to divide by
    EXPECT_FALSE(rates->isEnabled());
    find<PathBox>(QStringLiteral("Edit34"))
        ->setText(QString::fromStdString(examplePath("npcdata.txt")));
    run->click();
    ASSERT_TRUE(rates->isEnabled());
    rates->click();
    RatesChart* chart = page->ratesChart();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());

    // Every paired monster of the 2x file has doubled experience, skill points and adena.
    const Table& grid = window->workspace().npcCompare;
    const size_t levelCol = grid.findColumn("level");
    for (int i = 0; i < 3; ++i) {
        const QList<QPointF> points = chart->series(i)->points();
        EXPECT_EQ(points.size(), 5) << i; // the five records both files hold
        for (const QPointF& p : points) {
            EXPECT_EQ(p.y(), 2.0) << chart->series(i)->name().toStdString();
            const LevelRates* r = chart->at(i, p);
            ASSERT_NE(r, nullptr);
            EXPECT_EQ(grid.cell(r->row, levelCol), QString::number(p.x()).toStdString());
        }
    }
    EXPECT_EQ(chart->series(0)->name(), "Experience");

    // Hovering names the NPC; clicking selects its row of the results.
    const QPointF orc = chart->series(1)->points().at(0);
    const LevelRates* r = chart->at(1, orc);
    ASSERT_NE(r, nullptr);
    emit chart->series(1)->hovered(orc, true);
    EXPECT_TRUE(chart->view()->toolTip().startsWith(QString::fromStdString(r->name)))
        << chart->view()->toolTip().toStdString();
    emit chart->series(1)->clicked(orc);
    EXPECT_EQ(page->view()->currentIndex().row(), static_cast<int>(r->row) - 1);
    EXPECT_EQ(page->view()->currentIndex().data().toString().toStdString(), r->name);
}
