#include "uifixture.h"

#include "ui/models/rowfilter.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"
#include "ui/widgets/tableview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace aethrian;
using namespace aethrian::ui;

// The example npcdata: view rows 0 to 5 are orc_grunt (level 5, warrior), porta (12, warrior),
// karik (24, boss), blue_wolf (18, warrior), cave_bat (7, warrior) and blue_wolf again (18).
class FilterTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        find<PathBox>(QStringLiteral("Edit32"))
            ->setText(QString::fromStdString(examplePath("npcdata.txt")));
        find<QPushButton>(QStringLiteral("Loadbtn"))->click();
        view = find<QTableView>(QStringLiteral("JvStringGrid1"));
        frozen = find<QTableView>(QStringLiteral("JvStringGrid1Frozen"));
    }

    QWidget* bar() { return find<QWidget>(QStringLiteral("JvStringGrid1Filter")); }
    void openBar() {
        if (bar()->isHidden())
            find<QAction>(QStringLiteral("JvStringGrid1FilterAction"))->trigger();
        ASSERT_FALSE(bar()->isHidden());
    }
    template <class T> T* part(const char* name, int condition = -1) {
        QString n = QStringLiteral("JvStringGrid1Filter") + QString::fromLatin1(name);
        if (condition >= 0)
            n += QString::number(condition);
        return find<T>(n);
    }
    // Sets condition `i` and applies it as Enter in its box does.
    void condition(int i, int column, const char* test, const QString& text,
                   const QString& upTo = {}) {
        auto* columns = part<QComboBox>("Column", i);
        columns->setCurrentIndex(columns->findData(column));
        auto* tests = part<QComboBox>("Test", i);
        tests->setCurrentIndex(tests->findText(QString::fromLatin1(test)));
        part<QLineEdit>("UpTo", i)->setText(upTo);
        auto* box = part<QLineEdit>("Text", i);
        box->setText(text);
        emit box->returnPressed();
    }
    std::string count() { return part<QLabel>("Count")->text().toStdString(); }
    // The names of the records shown, in view order; the frozen view must show the same rows.
    std::string shown() { return shownNames().join(',').toStdString(); }
    QStringList shownNames() {
        QStringList names;
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            EXPECT_EQ(view->isRowHidden(r), frozen->isRowHidden(r)) << r;
            if (!view->isRowHidden(r))
                names << view->model()->index(r, 1).data().toString();
        }
        return names;
    }
    void select(int viewRow, int column) {
        view->setCurrentIndex(view->model()->index(viewRow, column));
    }
    QStringList log() { return find<LogList>(QStringLiteral("ListBox1"))->lines(); }
    const Table& npc() { return window->workspace().npc; }

    QTableView* view = nullptr;
    QTableView* frozen = nullptr;
};

TEST_F(FilterTest, HiddenUntilUsedAndClosingShowsEveryRecordAgain) {
    EXPECT_TRUE(bar()->isHidden());
    openBar();
    EXPECT_EQ(count(), "6 of 6 records");
    condition(0, 4, ">", QStringLiteral("10"));
    EXPECT_EQ(count(), "4 of 6 records");
    part<QToolButton>("Close")->click();
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_EQ(shownNames().size(), 6);
    // Opened again, the conditions are still there and in force.
    openBar();
    EXPECT_EQ(count(), "4 of 6 records");
    find<QAction>(QStringLiteral("JvStringGrid1FilterAction"))->trigger();
    EXPECT_TRUE(bar()->isHidden());
}

TEST_F(FilterTest, FilteredMultiplyChangesOnlyTheRowsShownInOneUndoStep) {
    openBar();
    condition(0, 4, ">", QStringLiteral("10")); // level above 10
    EXPECT_EQ(shown(), "porta,karik,blue_wolf,blue_wolf");
    select(1, 5); // acquire_exp_rate
    window->action(QStringLiteral("Changevalue1"))->trigger();
    auto* changes = window->findChild<QDialog*>(QStringLiteral("TForm2"));
    changes->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("2"));
    changes->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    std::vector<std::string> exp;
    for (size_t r = 1; r <= 6; ++r)
        exp.push_back(npc().cell(r, 5));
    EXPECT_EQ(exp, (std::vector<std::string>{"4.2", "4.46", "2.4", "7", "1.8", "7"}));
    EXPECT_EQ(log().mid(log().size() - 2),
              (QStringList{"Column acquire_exp_rate :: MULTIPLY by 2",
                           "applied to 4 of 6 records shown by the filter"}));
    window->workspace().npcModel.undo();
    EXPECT_EQ(npc().cell(2, 5), "2.23");
    EXPECT_EQ(npc().cell(4, 5), "3.5");
    EXPECT_FALSE(window->workspace().npcModel.canUndo());
}

TEST_F(FilterTest, NumbersRangesRegularExpressionsAndConditionsTogether) {
    openBar();
    condition(0, 4, "<=", QStringLiteral("12"));
    EXPECT_EQ(shown(), "orc_grunt,porta,cave_bat");
    condition(0, 4, "=", QStringLiteral("24.0"));
    EXPECT_EQ(shown(), "karik");
    // A range holds both ends and reads either way round; a comma reads as a decimal point.
    condition(0, 4, "between", QStringLiteral("7"), QStringLiteral("18"));
    EXPECT_EQ(count(), "4 of 6 records");
    condition(0, 4, "between", QStringLiteral("18"), QStringLiteral("6,5"));
    EXPECT_EQ(shown(), "porta,blue_wolf,cave_bat,blue_wolf");
    // A number that cannot be read keeps nobody out and says why.
    condition(0, 4, ">", QStringLiteral("ten"));
    EXPECT_EQ(count(), "6 of 6 records");
    EXPECT_EQ(part<QLineEdit>("Text", 0)->toolTip(), "Not a number");

    condition(0, 1, "regular expression", QStringLiteral("^blue_|BAT$"));
    EXPECT_EQ(shown(), "blue_wolf,cave_bat,blue_wolf");
    part<QCheckBox>("IgnoreCase")->setChecked(false);
    EXPECT_EQ(shown(), "blue_wolf,blue_wolf");
    part<QCheckBox>("IgnoreCase")->setChecked(true);
    condition(0, 1, "regular expression", QStringLiteral("(blue"));
    EXPECT_EQ(count(), "6 of 6 records");
    EXPECT_TRUE(part<QLineEdit>("Text", 0)->toolTip().startsWith("Not a regular expression"));

    // Conditions combine with AND; all columns means any of them (none of them for "does not
    // contain").
    condition(0, 4, ">", QStringLiteral("10"));
    part<QToolButton>("Add")->click();
    condition(1, 2, "equals", QStringLiteral("WARRIOR"));
    EXPECT_EQ(shown(), "porta,blue_wolf,blue_wolf");
    condition(1, -1, "does not contain", QStringLiteral("wolf"));
    EXPECT_EQ(shown(), "porta,karik");
    part<QToolButton>("Remove", 0)->click();
    EXPECT_EQ(shown(), "orc_grunt,porta,karik,cave_bat");
    EXPECT_EQ(part<QComboBox>("Test", 0)->currentText(), "does not contain");
}

TEST_F(FilterTest, CellCommandsActOnTheSelectedRecordAndFillAndAddDropOnTheShownOnes) {
    openBar();
    condition(0, 1, "contains", QStringLiteral("blue"));
    select(5, 5); // the second blue_wolf (ID 20006)
    window->action(QStringLiteral("N1"))->trigger();
    auto* changes = window->findChild<QDialog*>(QStringLiteral("TForm2"));
    changes->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("2"));
    changes->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(npc().cell(6, 5), "7");
    EXPECT_EQ(npc().cell(4, 5), "3.5");
    EXPECT_EQ(log().last(), "NPC ID 6 :: Column acquire_exp_rate :: MULTIPLY by 2");

    seams().prompt = [](const QString&, const QString&, const QString&) {
        return std::optional<QString>(QStringLiteral("x"));
    };
    select(3, 10);
    window->action(QStringLiteral("Fillwith1"))->trigger();
    EXPECT_EQ(npc().cell(4, 10) + npc().cell(6, 10), "xx");
    EXPECT_NE(npc().cell(5, 10), "x");
    EXPECT_EQ(log().last(), "applied to 2 of 6 records shown by the filter");

    condition(0, 2, "equals", QStringLiteral("boss"));
    window->action(QStringLiteral("Adddrop1"))->trigger();
    auto* addDrop = window->findChild<QDialog*>(QStringLiteral("TForm3"));
    addDrop->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("sword_a"));
    addDrop->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    for (size_t r = 1; r <= 6; ++r)
        EXPECT_EQ(npc().cell(r, 21).find("sword_a") != std::string::npos, r == 3) << r;
    EXPECT_EQ(
        log().mid(log().size() - 4, 2),
        (QStringList{"Adding item sword_a...", "applied to 1 of 6 records shown by the filter"}));
}

TEST_F(FilterTest, SortSearchAndEditsWorkOnTheWholeTable) {
    openBar();
    condition(0, 4, ">", QStringLiteral("10"));
    // Sorting moves every record; the filter still shows exactly the ones that pass.
    select(1, 1); // porta: a record the filter shows
    window->action(QStringLiteral("SortbyID1"))->trigger();
    EXPECT_EQ(shown(), "blue_wolf,blue_wolf,karik,porta");
    EXPECT_EQ(count(), "4 of 6 records");
    // An edit that makes a record pass shows it; undoing hides it again.
    const int bat = 2; // cave_bat after the sort by name
    ASSERT_EQ(view->model()->index(bat, 1).data().toString(), "cave_bat");
    view->model()->setData(view->model()->index(bat, 4), QStringLiteral("70"));
    EXPECT_EQ(count(), "5 of 6 records");
    window->workspace().npcModel.undo();
    EXPECT_EQ(count(), "4 of 6 records");
    // A search finds a record the filter hides: the filter gives way so it can be seen.
    seams().prompt = [](const QString&, const QString&, const QString&) {
        return std::optional<QString>(QStringLiteral("orc"));
    };
    window->action(QStringLiteral("Search1"))->trigger();
    EXPECT_EQ(view->currentIndex().data().toString(), "orc_grunt");
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_EQ(shownNames().size(), 6);
}

TEST_F(FilterTest, FrozenColumnsFollowTheTableAndTheMenuTogglesThem) {
    auto* npcView = qobject_cast<TableView*>(view);
    ASSERT_NE(npcView, nullptr);
    EXPECT_FALSE(frozen->isHidden());
    EXPECT_EQ(npcView->frozenColumnCount(), 4);
    for (int c = 0; c < view->model()->columnCount(); ++c)
        EXPECT_EQ(frozen->isColumnHidden(c), c >= 4) << c;
    EXPECT_EQ(frozen->model(), view->model());
    EXPECT_EQ(frozen->selectionModel(), view->selectionModel());
    view->setColumnWidth(1, 210);
    EXPECT_EQ(frozen->columnWidth(1), 210);
    EXPECT_EQ(frozen->width(),
              view->columnWidth(0) + 210 + view->columnWidth(2) + view->columnWidth(3) + 2);

    QMenu* menu = window->popupMenu(QStringLiteral("PopupMenu1"));
    menu->setProperty("sourceWidget", QVariant::fromValue<QObject*>(view));
    auto* freeze = find<QAction>(QStringLiteral("FreezeColumns1"));
    emit menu->aboutToShow();
    EXPECT_TRUE(freeze->isChecked());
    freeze->trigger();
    EXPECT_TRUE(frozen->isHidden());
    EXPECT_FALSE(npcView->freezeEnabled());
    freeze->trigger();
    EXPECT_FALSE(frozen->isHidden());

    // The comparison tables freeze too; a skill table has only Name to freeze.
    EXPECT_FALSE(find<QTableView>(QStringLiteral("JvStringGrid2Frozen"))->isHidden());
    find<PathBox>(QStringLiteral("Edit41"))
        ->setText(QString::fromStdString(examplePath("skilldata.txt")));
    find<QPushButton>(QStringLiteral("JvMultilineButton11"))->click();
    auto* skill = qobject_cast<TableView*>(find<QTableView>(QStringLiteral("JvStringGrid6")));
    EXPECT_EQ(skill->frozenColumnCount(), 2);
    // The pet table's menu is the ITEM menu: its toggle acts on the table it was opened over.
    QMenu* itemMenu = window->popupMenu(QStringLiteral("PopupMenu3"));
    itemMenu->setProperty("sourceWidget", QVariant::fromValue<QObject*>(skill));
    emit itemMenu->aboutToShow();
    find<QAction>(QStringLiteral("FreezeColumns2"))->trigger();
    EXPECT_FALSE(skill->freezeEnabled());
    EXPECT_TRUE(qobject_cast<TableView*>(find<QTableView>(QStringLiteral("JvStringGrid3")))
                    ->freezeEnabled());
    find<QAction>(QStringLiteral("FilterRows2"))->trigger();
    EXPECT_FALSE(find<QWidget>(QStringLiteral("JvStringGrid6Filter"))->isHidden());
}

// Conditions over every column run in blocks of records on several threads: every record, the
// ones at the block edges too, is tested once, whatever the number of threads.
TEST(RowFilterBlocks, EveryRecordTestedOnAnyNumberOfThreads) {
    Table table;
    table.setColCount(6);
    table.setRowCount(1);
    for (int r = 1; r <= 3001; ++r) {
        const std::string n = std::to_string(r);
        table.appendRow({"", "n" + n, r % 7 ? "warrior" : "Mage", n, std::to_string(r % 97),
                         r % 1023 == 0 ? "rare_" + n : "{}"});
    }
    const auto rows = [](const std::vector<char>& flags) {
        std::vector<int> out;
        for (size_t r = 0; r < flags.size(); ++r)
            if (flags[r])
                out.push_back(static_cast<int>(r));
        return out;
    };
    std::vector<int> notMage, highWarriors;
    for (int r = 1; r <= 3001; ++r) {
        if (r % 7)
            notMage.push_back(r);
        if (r > 2990 && r % 7)
            highWarriors.push_back(r);
    }
    using T = FilterCondition::Test;
    const auto any = FilterCondition::kAnyColumn;
    for (const char* threads : {"1", "2", "3"}) {
        ::setenv("AETHRIAN_THREADS", threads, 1);
        RowFilter filter(table);
        EXPECT_EQ(
            rows(filter.match({{any, T::Regex, QStringLiteral("^rare|^n30[0-9]$"), {}}}, true)),
            (std::vector<int>{300, 301, 302, 303, 304, 305, 306, 307, 308, 309, 1023, 2046}))
            << threads;
        EXPECT_EQ(rows(filter.match({{any, T::NotContains, QStringLiteral("mage"), {}}}, true)),
                  notMage)
            << threads;
        EXPECT_EQ(rows(filter.match({{any, T::Greater, QStringLiteral("2990"), {}},
                                     {2, T::Contains, QStringLiteral("warrior"), {}}},
                                    true)),
                  highWarriors)
            << threads;
    }
    ::unsetenv("AETHRIAN_THREADS");
}

// Regular expressions run on ASCII cells through the 8-bit library and on every other cell through
// QRegularExpression: whichever way a cell goes, the answer is QRegularExpression's.
TEST(RowFilterRegex, AgreesWithQRegularExpressionOnEveryCell) {
    const std::vector<std::string> pieces = {"a",
                                             "B",
                                             "k",
                                             "K",
                                             "sword_",
                                             "12",
                                             " ",
                                             "x",
                                             "y",
                                             "$",
                                             "\\",
                                             "ss",
                                             "\xC3\xA9",
                                             "\xC3\x89",
                                             "\xC3\x9F",
                                             "\xE2\x84\xAA",
                                             "\xF0\x9F\x97\xA1",
                                             "cat",
                                             "_",
                                             "0"};
    Table table;
    table.setColCount(4);
    table.setRowCount(1);
    unsigned seed = 7;
    const auto next = [&seed] { return seed = seed * 1103515245U + 12345U; };
    for (int r = 1; r <= 600; ++r) {
        Table::Row row;
        for (int c = 0; c < 4; ++c) {
            std::string cell;
            for (unsigned n = (next() >> 8) % 7; n > 0; --n)
                cell += pieces[(next() >> 8) % pieces.size()];
            row.push_back(cell);
        }
        table.appendRow(row);
    }
    const char* patterns[] = {
        "sword_?[0-9]+", "^a",           "b$",       "^$",       ".",
        "\\d{2}",        "\\w+\xC3\xA9", "\xC3\xA9", "\xC3\x89", "\\bcat\\b",
        "a(?=b)",        "(?<=x)y",      "(a|ss)+k", "\\x{e9}",  "[[:alpha:]]{4}",
        "\\C\\C\\C",     "^.{5}$",       "\\s",      "(.)\\1",   "a*",
        "\\p{Lu}",       "\xC3\x9F",     "k",        "\\$\\\\",  "^(?:[^\\d]*)$",
        "\\N{3}y"};
    RowFilter filter(table);
    for (const char* pattern : patterns) {
        for (bool ignoreCase : {false, true}) {
            const QString text = QString::fromUtf8(pattern);
            const QRegularExpression re(text, ignoreCase ? QRegularExpression::CaseInsensitiveOption
                                                         : QRegularExpression::NoPatternOption);
            ASSERT_TRUE(re.isValid()) << pattern;
            for (int column : {FilterCondition::kAnyColumn, 2}) {
                const std::vector<char> shown =
                    filter.match({{column, FilterCondition::Test::Regex, text, {}}}, ignoreCase);
                for (size_t r = 1; r < table.rowCount(); ++r) {
                    bool expected = false;
                    for (size_t c = 0; c < 4; ++c)
                        if (column == FilterCondition::kAnyColumn || static_cast<int>(c) == column)
                            expected =
                                expected ||
                                re.match(QString::fromStdString(table.cell(r, c))).hasMatch();
                    ASSERT_EQ(shown[r] != 0, expected) << pattern << " ignoreCase " << ignoreCase
                                                       << " column " << column << " row " << r;
                }
            }
        }
    }
}
