#include "ui/checkcommands.h"

#include "checks/pch.h"
#include "checks/presence.h"
#include "checks/skilltools.h"
#include "records/textfile.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QPlainTextEdit>

#include <memory>

namespace aethrian::ui {

namespace {

// A pane's text and its lines, alive together.
struct PaneText {
    PaneText(const MainWindow* window, const char* name)
        : text(paneText(window->findChild<QPlainTextEdit*>(QString::fromLatin1(name)))), lines(paneLines(text)) {}
    std::string text;
    std::vector<std::string_view> lines;
};

void setLines(QPlainTextEdit* pane, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    setPaneText(pane, text);
}

} // namespace

CheckCommands::CheckCommands(MainWindow* window) : QObject(window), window_(window) {
    const auto on = [this](const char* name, auto fn) {
        connect(window_->action(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, fn] { runGuarded(window_, fn); });
    };
    const auto npc = [this]() -> const Table& { return window_->workspace().npc; };
    const auto items = [this]() -> const Table& { return window_->workspace().item; };
    const auto npcLog = [this] { return LogListSink(window_->npcEditor()->log()); };
    const auto itemLog = [this] { return LogListSink(window_->itemEditor()->log()); };

    const auto generate = [this](PchKind kind, const Table& table, LogList* logList, const char* pane) {
        LogListSink log(logList);
        std::vector<std::string> lines;
        auto* target = window_->findChild<QPlainTextEdit*>(QString::fromLatin1(pane));
        try {
            generatePch(table, kind, lines, log);
        } catch (...) {
            setLines(target, lines); // the lines made before the error stay
            throw;
        }
        setLines(target, lines);
    };
    on("GenerateNPCPCH1", [=, this] { generate(PchKind::Npc, npc(), window_->npcEditor()->log(), "TntMemo1"); });
    on("GenerateITEMPCH1", [=, this] { generate(PchKind::Item, items(), window_->itemEditor()->log(), "TntMemo2"); });
    on("CheckpresenceinsideNPCPCH1", [=, this] {
        const PaneText pane(window_, "TntMemo1");
        auto log = npcLog();
        checkPchPresence(npc(), PchKind::Npc, pane.lines, log);
    });
    on("CheckpresenceinsideITEMPCH1", [=, this] {
        const PaneText pane(window_, "TntMemo2");
        auto log = itemLog();
        checkPchPresence(items(), PchKind::Item, pane.lines, log);
    });
    on("CheckifallitemsexistsinITEMData1", [=, this] {
        auto log = npcLog();
        checkItemsExist(npc(), items(), log);
    });
    on("Showitemsnotused1", [=, this] {
        auto log = itemLog();
        checkItemsNotDropped(items(), npc(), log);
    });
    on("Checkifallmonstersexists1", [=, this] {
        const PaneText pane(window_, "TntMemo7");
        auto log = npcLog();
        checkMonstersExist(pane.lines, npc(), log);
    });
    on("FindifallnpcsinsideNPCPOSexists1", [=, this] {
        const PaneText pane(window_, "TntMemo7");
        auto log = npcLog();
        auto* label = window_->findChild<QLabel*>(QStringLiteral("Label24"));
        RefreshClock clock;
        checkNpcposNpcs(pane.lines, npc(), log, [label, &log, &clock](size_t k, size_t m) {
            // The label is repainted now and then: painting it for every name would cost more than
            // the check.
            if ((k % 256 == 0 && clock.due()) || k == m) {
                label->setText(QStringLiteral("%1/%2").arg(k).arg(m));
                label->repaint();
                log.flush();
                pumpEvents();
            }
        });
    });
    on("CheckpresenceinsideNPCPOS1", [=, this] {
        const PaneText pane(window_, "TntMemo8");
        auto log = npcLog();
        checkNpcgrp(npc(), pane.lines, log);
    });
    on("CheckpresenceinsideClientnpcname1", [=, this] {
        const PaneText pane(window_, "TntMemo9");
        auto log = npcLog();
        checkNpcname(npc(), pane.lines, log);
    });
    on("CheckpresenceinsideClientitemname1", [=, this] {
        const PaneText pane(window_, "TntMemo6");
        auto log = itemLog();
        checkItemname(items(), pane.lines, log);
    });
    on("CheckpresenceinsideClient1", [=, this] {
        const PaneText weapon(window_, "TntMemo3"), armor(window_, "TntMemo4"), etc(window_, "TntMemo5");
        auto log = itemLog();
        checkMergedGrp(items(), weapon.lines, armor.lines, etc.lines, log);
    });

    // The skill tools: message boxes as they come, findings added to the page's result list.
    const auto skillOutput = [this](const char* labelName, const char* listName) {
        auto* label = window_->findChild<QLabel*>(QString::fromLatin1(labelName));
        auto* list = listName ? window_->findChild<QListWidget*>(QString::fromLatin1(listName)) : nullptr;
        return SkillToolOutput{[this](const std::string& m) { showMessage(window_, QString::fromUtf8(m)); },
                               [list](const std::string& r) {
                                   if (list)
                                       list->addItem(QString::fromUtf8(r));
                               },
                               [label, clock = std::make_shared<RefreshClock>()](size_t k, size_t m) {
                                   // The text always, so the label ends on the last step; painted
                                   // and pumped only when a refresh is due.
                                   label->setText(QStringLiteral("%1/%2").arg(k).arg(m));
                                   if (clock->due()) {
                                       label->repaint();
                                       pumpEvents();
                                   }
                               }};
    };
    const auto sortPane = [this, skillOutput](const char* button, const char* pane, const char* label, SkillPane kind) {
        connect(window_->findChild<QPushButton*>(QString::fromLatin1(button)), &QPushButton::clicked, this,
                [this, skillOutput, pane, label, kind] {
                    runGuarded(window_, [&] {
                        const PaneText text(window_, pane);
                        const auto sorted = sortSkillLines(text.lines, kind, skillOutput(label, nullptr));
                        setLines(window_->findChild<QPlainTextEdit*>(QString::fromLatin1(pane)), sorted);
                    });
                });
    };
    sortPane("Button24", "TntMemo11", "Label48", SkillPane::Skilldata);
    sortPane("Button28", "TntMemo13", "Label49", SkillPane::Skillname);
    on("FindallinsideSkillPCH1", [=, this] {
        const PaneText data(window_, "TntMemo11"), pch(window_, "TntMemo12");
        findInSkillPch(data.lines, pch.lines, skillOutput("Label50", "ListBox9"));
    });
    on("FindallinsideSkillgrp1", [=, this] {
        const PaneText data(window_, "TntMemo11"), grp(window_, "TntMemo14");
        findInSkillLines(data.lines, grp.lines, skillOutput("Label51", "ListBox11"));
    });
    on("FindallinsideSkillname1", [=, this] {
        const PaneText data(window_, "TntMemo11"), names(window_, "TntMemo13");
        findInSkillLines(data.lines, names.lines, skillOutput("Label49", "ListBox10"));
    });

    auto* first = window_->findChild<QPlainTextEdit*>(QStringLiteral("TntMemo1"));
    auto* second = window_->findChild<QPlainTextEdit*>(QStringLiteral("TntMemo15"));
    connect(window_->findChild<QAbstractButton*>(QStringLiteral("SpeedButton1")), &QAbstractButton::clicked, this,
            [first, second] {
                const std::string left = paneText(first);
                setPaneText(first, paneText(second));
                setPaneText(second, left);
            });
    connect(window_->findChild<QAbstractButton*>(QStringLiteral("SpeedButton2")), &QAbstractButton::clicked, this,
            [this] {
                runGuarded(window_, [this] {
                    const PaneText a(window_, "TntMemo1"), b(window_, "TntMemo15");
                    LogListSink log(window_->findChild<LogList*>(QStringLiteral("JvListBox2")));
                    comparePch(a.lines, b.lines, log);
                });
            });
}

} // namespace aethrian::ui
