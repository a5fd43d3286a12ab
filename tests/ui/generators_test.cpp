#include "uifixture.h"

#include "ui/dialogs/exportwindow.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace aethrian;
using namespace aethrian::ui;

TEST_F(WindowTest, ClientDumpLoadsIntoItsTableAndExportsAsPhp) {
    find<PathBox>(QStringLiteral("Edit46"))
        ->setText(QString::fromStdString(examplePath("etcitemgrp.txt")));
    find<QPushButton>(QStringLiteral("Button10"))->click();
    EXPECT_EQ(window->workspace().etcItemGrp.recordCount(), 5u);
    EXPECT_EQ(window->workspace().etcItemGrp.cell(0, 1), "object_id");

    aethrian::ui::seams().prompt = [](const QString& title, const QString& label, const QString&) {
        EXPECT_EQ(title, "PHP rs ID to begin:");
        EXPECT_EQ(label, "ID:");
        return std::optional<QString>(QStringLiteral("100"));
    };
    window->action(QStringLiteral("ExportasPHP1"))->trigger();
    ExportWindow* exported = window->exportWindow();
    EXPECT_TRUE(exported->isVisible());
    EXPECT_TRUE(exported->text()->toPlainText().startsWith(
        QStringLiteral("    $rs[100] = array(\"nose01\" => \"2\"")));
    EXPECT_EQ(exported->text()->toPlainText().count('\n'), 4);

    // Cancelling the ID question leaves the window as it was.
    const QString before = exported->text()->toPlainText();
    aethrian::ui::seams().prompt = [](const QString&, const QString&, const QString&) {
        return std::nullopt;
    };
    window->action(QStringLiteral("ExportasPHP1"))->trigger();
    EXPECT_EQ(exported->text()->toPlainText(), before);

    // A first ID whose five rows would pass the largest 64-bit number: the message, the window
    // kept.
    aethrian::ui::seams().prompt = [](const QString&, const QString&, const QString&) {
        return std::optional<QString>(QStringLiteral("9223372036854775804"));
    };
    window->action(QStringLiteral("ExportasPHP1"))->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "The first ID 9223372036854775804 is too large: the IDs of "
                            "the 5 rows would run past 9223372036854775807")});
    EXPECT_EQ(exported->text()->toPlainText(), before);
    messages.clear();

    find<PathBox>(QStringLiteral("Edit44"))->setText(QStringLiteral("/nonexistent"));
    find<QPushButton>(QStringLiteral("Button8"))->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("File doesn't exists...")});
}

TEST_F(WindowTest, DualFromTwoExampleWeaponsIsTheLastRowAndSaves) {
    find<PathBox>(QStringLiteral("Edit35"))
        ->setText(QString::fromStdString(examplePath("itemdata.txt")));
    find<QPushButton>(QStringLiteral("Load2BTN"))->click();
    window->action(QStringLiteral("Duals1"))->trigger();
    auto* duals = window->findChild<QDialog*>(QStringLiteral("TForm5"));
    ASSERT_TRUE(duals->isVisible());
    auto* view = find<QTableView>(QStringLiteral("JvStringGrid3"));
    view->setCurrentIndex(view->model()->index(9, 1)); // sword_a
    duals->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(duals->findChild<QLabel*>(QStringLiteral("Label4"))->text(), "sword_a*");
    view->setCurrentIndex(view->model()->index(10, 1)); // sword_b
    duals->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    EXPECT_EQ(duals->findChild<QLabel*>(QStringLiteral("Label4"))->text(), "sword_a*sword_b");
    EXPECT_EQ(duals->findChild<QLineEdit*>(QStringLiteral("Edit4"))->text(), "c");
    EXPECT_EQ(duals->findChild<QLineEdit*>(QStringLiteral("Edit16"))->text(), "3");
    // A Name edited after the picks does not rename the dual the dialog shows.
    view->model()->setData(view->model()->index(10, 1), QStringLiteral("renamed"));
    duals->findChild<QLineEdit*>(QStringLiteral("Edit3"))->setText(QStringLiteral("5000"));
    duals->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    const Table& items = window->workspace().item;
    EXPECT_EQ(items.cell(items.rowCount() - 1, 1), "sword_a*sword_b");
    EXPECT_EQ(find<LogList>(QStringLiteral("Listbox3"))->lines().last(), "Dual weapon added");

    nextFile = QString::fromStdString(path("with_dual.txt"));
    find<QPushButton>(QStringLiteral("SaveITEMbtn"))->click();
    find<PathBox>(QStringLiteral("Edit35"))->setText(nextFile);
    find<QPushButton>(QStringLiteral("Load2BTN"))->click();
    EXPECT_EQ(items.cell(items.rowCount() - 1, 1), "sword_a*sword_b");
}
