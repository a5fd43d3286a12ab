#include "uifixture.h"

#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAbstractButton>
#include <QAction>
#include <QPushButton>

#include <filesystem>
#include <fstream>

using namespace aethrian;
using namespace aethrian::ui;

namespace {

void load(MainWindow* w, const char* box, const char* button, const std::string& file) {
    w->findChild<PathBox*>(QString::fromLatin1(box))->setText(QString::fromStdString(file));
    w->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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

TEST_F(WindowTest, LinesThatAreNotRecordsAreLoggedAndSaveAsksBeforeDroppingThem) {
    {
        std::ofstream out(path("npc.txt"), std::ios::binary);
        out << "// two NPCs\r\n\r\nnpc_begin\twarrior\t1\t[a]\tlevel=1\tnpc_end\r\n"
               "// end\r\nnpc_begin\twarrior\t2\t[b]\tlevel=2\tnpc_end\r\n";
    }
    load(window.get(), "Edit32", "Loadbtn", path("npc.txt"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(find<LogList>(QStringLiteral("ListBox1"))->lines(),
              QStringList{"3 lines of the file are not records (comments or blank lines); Save as "
                          "does not write them"});

    // No: nothing is written and the file dialog does not open.
    const std::string original = readAll(path("npc.txt"));
    answer = false;
    nextFile = QString::fromStdString(path("saved.txt"));
    find<QPushButton>(QStringLiteral("saveBTN"))->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("3 lines of the file are not records")));
    EXPECT_TRUE(requests.empty());
    EXPECT_FALSE(std::filesystem::exists(path("saved.txt")));
    window->findChild<QAction*>(QStringLiteral("JvStringGrid1SaveAction"))->trigger(); // Ctrl+S
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(readAll(path("npc.txt")), original);

    // Yes: the records are written; the question is not asked again.
    answer = true;
    find<QPushButton>(QStringLiteral("saveBTN"))->click();
    EXPECT_EQ(questions.size(), 3);
    ASSERT_TRUE(std::filesystem::exists(path("saved.txt")));
    load(window.get(), "Edit32", "Loadbtn", path("saved.txt"));
    EXPECT_EQ(window->workspace().npc.recordCount(), 2u);
    EXPECT_TRUE(find<LogList>(QStringLiteral("ListBox1"))->lines().isEmpty());
    window->findChild<QAction*>(QStringLiteral("JvStringGrid1SaveAction"))->trigger();
    EXPECT_EQ(questions.size(), 3);
}
