#include "uifixture.h"

#include "editing/findreplace.h"
#include "ui/dialogs/findreplacedialog.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/petpage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/celltipdelegate.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <filesystem>

using namespace aethrian;
using namespace aethrian::ui;

// The NPC editor on a copy of the example npcdata: orc_grunt, porta, karik, blue_wolf, cave_bat,
// blue_wolf with the levels 5, 12, 24, 18, 7, 18 in grid column 4.
class FindStatusTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        file = path("npcdata.txt");
        std::filesystem::copy_file(examplePath("npcdata.txt"), file);
        page()->pathBox()->setText(QString::fromStdString(file));
        page()->loadButton()->click();
        window->showPage(page());
        seams().prompt = [this](const QString&, const QString&, const QString&) {
            return promptAnswer;
        };
    }
    TablePage* page() const { return window->npcEditor(); }
    TableModel& npc() { return window->workspace().npcModel; }
    const Table& table() { return window->workspace().npc; }
    QTableView* view() const { return page()->view(); }
    void settle() { QCoreApplication::processEvents(); }
    QString status(const char* name) {
        settle();
        return find<QLabel>(QString::fromLatin1(name))->text();
    }
    void setCurrent(int row, int col) { view()->setCurrentIndex(npc().index(row, col)); }

    // Opens Find and replace as Ctrl+H does and fills it in.
    FindReplaceDialog* openDialog(const QString& what, const QString& with, bool wholeCell = false,
                                  bool matchCase = false, bool currentColumn = false) {
        find<QAction>(QStringLiteral("FindReplaceAction"))->trigger();
        auto* dialog = find<FindReplaceDialog>(QStringLiteral("FindReplaceDialog"));
        EXPECT_TRUE(dialog->isVisible());
        find<QLineEdit>(QStringLiteral("FindText"))->setText(what);
        find<QLineEdit>(QStringLiteral("ReplaceText"))->setText(with);
        find<QCheckBox>(QStringLiteral("FindWholeCell"))->setChecked(wholeCell);
        find<QCheckBox>(QStringLiteral("FindMatchCase"))->setChecked(matchCase);
        find<QRadioButton>(currentColumn ? QStringLiteral("FindInColumn")
                                         : QStringLiteral("FindInEveryColumn"))
            ->setChecked(true);
        return dialog;
    }
    void click(const char* name) { find<QPushButton>(QString::fromLatin1(name))->click(); }
    std::vector<std::string> column(size_t c) {
        std::vector<std::string> out;
        for (size_t r = 1; r < table().rowCount(); ++r)
            out.push_back(table().cell(r, c));
        return out;
    }

    std::string file;
    std::optional<QString> promptAnswer;
};

TEST_F(FindStatusTest, ReplaceAllIsOneUndoStepLogsTheCountAndRefusesBreaks) {
    const std::string before = dumpTable(table());
    openDialog(QStringLiteral("blue_wolf"), QStringLiteral("grey_wolf"));
    click("ReplaceAllButton");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(column(1), (std::vector<std::string>{"orc_grunt", "porta", "karik", "grey_wolf",
                                                   "cave_bat", "grey_wolf"}));
    const QStringList log = find<LogList>(QStringLiteral("ListBox1"))->lines();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.last().endsWith(QStringLiteral(": 2 cell(s) changed")))
        << log.last().toStdString();
    EXPECT_TRUE(npc().modified());
    ASSERT_TRUE(npc().undo());
    EXPECT_EQ(dumpTable(table()), before);
    EXPECT_FALSE(npc().canUndo()); // the whole replacement was one step

    // A replacement with a TAB or a line break is refused with a message; nothing changes.
    for (const QString& bad : {QStringLiteral("a\tb"), QStringLiteral("a\nb")}) {
        messages.clear();
        find<QLineEdit>(QStringLiteral("ReplaceText"))->setText(bad);
        click("ReplaceAllButton");
        EXPECT_EQ(messages, QStringList{QString::fromLatin1(kReplaceBreakMessage)});
        EXPECT_EQ(dumpTable(table()), before);
        EXPECT_FALSE(npc().canUndo());
    }
}

TEST_F(FindStatusTest, WholeCellPartOfCellCaseAndTheCurrentColumn) {
    setCurrent(0, 4); // the level column
    openDialog(QStringLiteral("18"), QStringLiteral("19"), true, false, true);
    EXPECT_EQ(find<QRadioButton>(QStringLiteral("FindInColumn"))->text(),
              QStringLiteral("Current column (level)"));
    click("ReplaceAllButton");
    EXPECT_EQ(column(4), (std::vector<std::string>{"5", "12", "24", "19", "7", "19"}));
    // Part of a cell, still in the level column only: the other columns keep their 1s.
    const std::vector<std::string> sp = column(6);
    openDialog(QStringLiteral("1"), QStringLiteral("x"), false, false, true);
    click("ReplaceAllButton");
    EXPECT_EQ(column(4), (std::vector<std::string>{"5", "x2", "24", "x9", "7", "x9"}));
    EXPECT_EQ(column(6), sp);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    // Case: a matched case finds nothing, an ignored case finds the record.
    setCurrent(0, 1);
    openDialog(QStringLiteral("BLUE_WOLF"), {}, false, true);
    click("FindNextButton");
    EXPECT_EQ(messages, QStringList{QStringLiteral("Cannot find \"BLUE_WOLF\"")});
    find<QCheckBox>(QStringLiteral("FindMatchCase"))->setChecked(false);
    click("FindNextButton");
    EXPECT_EQ(view()->currentIndex(), npc().index(3, 1));
    click("FindNextButton");
    EXPECT_EQ(view()->currentIndex(), npc().index(5, 1));
    click("FindNextButton"); // wraps round
    EXPECT_EQ(view()->currentIndex(), npc().index(3, 1));

    // Replace changes the current match only and moves on to the next.
    find<QLineEdit>(QStringLiteral("ReplaceText"))->setText(QStringLiteral("wolf"));
    click("ReplaceButton");
    EXPECT_EQ(table().cell(4, 1), "wolf");
    EXPECT_EQ(table().cell(6, 1), "blue_wolf");
    EXPECT_EQ(view()->currentIndex(), npc().index(5, 1));
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(FindStatusTest, GoToIdSelectsTheRecordOrSaysThereIsNone) {
    setCurrent(0, 4);
    promptAnswer = QStringLiteral(" 20005 ");
    find<QAction>(QStringLiteral("GoToIdAction"))->trigger();
    EXPECT_EQ(view()->currentIndex(), npc().index(4, 4)); // same column, the record's row
    EXPECT_TRUE(view()->selectionModel()->isSelected(npc().index(4, 4)));
    EXPECT_TRUE(messages.isEmpty());
    promptAnswer = QStringLiteral("99999");
    find<QAction>(QStringLiteral("GoToIdAction"))->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral("No record has the ID 99999")});
    EXPECT_EQ(view()->currentIndex(), npc().index(4, 4));
    promptAnswer.reset(); // cancelled
    find<QAction>(QStringLiteral("GoToIdAction"))->trigger();
    EXPECT_EQ(messages.size(), 1);
    // The page's method that the other commands reuse: the row, in the current column.
    EXPECT_TRUE(page()->selectRow(1));
    EXPECT_EQ(view()->currentIndex(), npc().index(1, 4));
}

TEST_F(FindStatusTest, StatusBarShowsFileRecordsCellModifiedAndSelectionSums) {
    EXPECT_EQ(status("StatusFile"), QStringLiteral("npcdata.txt"));
    EXPECT_EQ(status("StatusRecords"), QStringLiteral("6 records"));
    setCurrent(1, 4);
    EXPECT_EQ(status("StatusCell"), QStringLiteral("Record porta, ID 20002, field level"));
    EXPECT_EQ(status("StatusModified"), QString());

    ASSERT_TRUE(npc().setData(npc().index(1, 4), QStringLiteral("13"), Qt::EditRole));
    EXPECT_EQ(status("StatusModified"), QStringLiteral("Modified"));
    find<QAction>(QStringLiteral("JvStringGrid1SaveAction"))->trigger();
    EXPECT_EQ(status("StatusModified"), QString());

    // The level column: 5, 13, 24, 18, 7, 18; a name among the cells is counted out.
    view()->selectionModel()->select(QItemSelection(npc().index(0, 4), npc().index(5, 4)),
                                     QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(status("StatusSelection"), QStringLiteral("Count 6  Sum 85  Average 14.16666667"));
    view()->selectionModel()->select(QItemSelection(npc().index(0, 3), npc().index(1, 4)),
                                     QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(status("StatusSelection"), QStringLiteral("Count 4  Sum 40021  Average 10005.25"));
    view()->selectionModel()->select(QItemSelection(npc().index(0, 1), npc().index(1, 1)),
                                     QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(status("StatusSelection"), QString());

    // Another page: nothing about a table.
    window->showPage(window->petPage());
    settle();
    EXPECT_FALSE(find<QLabel>(QStringLiteral("StatusFile"))->isVisibleTo(window.get()));
}

TEST_F(FindStatusTest, ColumnsFitTheirTextsAndTooltipsNameTheFieldKey) {
    EXPECT_EQ(npc().headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString(),
              QStringLiteral("level (column 4)"));
    EXPECT_EQ(npc().data(npc().index(0, 1), Qt::ToolTipRole).toString(),
              QStringLiteral("orc_grunt"));

    // Widths fitted from the texts: the narrow level column is narrower than the name column,
    // a long drop list is wider but stops at the cap, and the name fits its column.
    const size_t drop = table().findColumn("corpse_make_list");
    ASSERT_NE(drop, Table::npos);
    EXPECT_LT(view()->columnWidth(4), view()->columnWidth(1));
    EXPECT_GT(view()->columnWidth(static_cast<int>(drop)), view()->columnWidth(1));
    npc().setData(npc().index(2, static_cast<int>(drop)), QString(400, QLatin1Char('x')),
                  Qt::EditRole);
    fitColumnWidths(view());
    EXPECT_EQ(view()->columnWidth(static_cast<int>(drop)), 320);
    const QFontMetrics metrics(view()->font());
    EXPECT_GT(view()->columnWidth(1), metrics.horizontalAdvance(QStringLiteral("blue_wolf")));
    EXPECT_EQ(view()->columnWidth(0), 35);

    // A cell's tooltip is offered only while its text is cut.
    auto* delegate = qobject_cast<CellTipDelegate*>(view()->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    QStyleOptionViewItem option;
    option.initFrom(view());
    option.rect = QRect(0, 0, view()->columnWidth(1), 20);
    EXPECT_FALSE(delegate->isCut(option, npc().index(0, 1)));
    option.rect.setWidth(10);
    EXPECT_TRUE(delegate->isCut(option, npc().index(0, 1)));

    // The row height follows the font, also when the font grows.
    EXPECT_EQ(view()->verticalHeader()->defaultSectionSize(), tableRowHeight(view()->font()));
    QFont big = view()->font();
    big.setPointSize(big.pointSize() * 2);
    view()->setFont(big);
    EXPECT_EQ(view()->verticalHeader()->defaultSectionSize(), tableRowHeight(big));
    EXPECT_GT(tableRowHeight(big), 18);
}
