#include "ui/checkcommands.h"

#include "checks/pch.h"
#include "checks/presence.h"
#include "checks/skilltools.h"
#include "records/textfile.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/clientitempage.h"
#include "ui/pages/npcpchpage.h"
#include "ui/pages/panepage.h"

#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

namespace aethrian::ui {

namespace {

// A pane's text and its lines, alive together.
struct PaneText {
    explicit PaneText(const QPlainTextEdit* pane) : text(paneText(pane)), lines(paneLines(text)) {}
    std::string text;
    std::vector<std::string_view> lines;
};

// What a check names a pane by when it refuses it empty: the file it holds and the page it is on.
constexpr const char* kNpcPchPane = "The NPC_PCH pane (Npc_pch page)";
constexpr const char* kItemPchPane = "The ITEM_PCH pane (Item_pch page)";
constexpr const char* kNpcposPane = "The npcpos pane (Npcpos page)";
constexpr const char* kNpcgrpPane = "The npcgrp pane (Client:npcgrp page)";
constexpr const char* kNpcnamePane = "The npcname pane (Client:npcname page)";
constexpr const char* kItemnamePane = "The itemname pane (Client:itemname page, Text View)";
constexpr const char* kWeapongrpPane = "The weapongrp pane (Client:WeaponGrp page, Text View)";
constexpr const char* kArmorgrpPane = "The armorgrp pane (Client:ArmorGrp page, Text View)";
constexpr const char* kEtcitemgrpPane = "The etcitemgrp pane (Client:EtcItemGrp page, Text View)";
constexpr const char* kSkilldataPane = "The skilldata pane (Skilldata page)";

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
    const Workspace& ws = window_->workspace();
    const SidePanes& panes = ws.panes;
    const auto npc = [&ws]() -> const Table& { return ws.npc; };
    const auto items = [&ws]() -> const Table& { return ws.item; };
    // Findings about table rows keep their records, so their lines lead there.
    const auto npcLog = [this, &ws] { return LogListSink(window_->npcEditor()->log(), &ws.npc); };
    const auto itemLog = [this, &ws] {
        return LogListSink(window_->itemEditor()->log(), &ws.item);
    };
    // The npcpos checks report pane lines, not rows of the NPC table.
    const auto npcposLog = [this] { return LogListSink(window_->npcEditor()->log()); };

    const auto generate = [](PchKind kind, const Table& table, LogList* logList,
                             QPlainTextEdit* target) {
        LogListSink log(logList);
        std::vector<std::string> lines;
        try {
            generatePch(table, kind, lines, log);
        } catch (...) {
            setLines(target, lines); // the lines made before the error stay
            throw;
        }
        setLines(target, lines);
    };
    on("GenerateNPCPCH1", [=, this] {
        generate(PchKind::Npc, npc(), window_->npcEditor()->log(), panes.npcPch->pane());
    });
    on("GenerateITEMPCH1", [=, this] {
        generate(PchKind::Item, items(), window_->itemEditor()->log(), panes.itemPch->pane());
    });
    on("CheckpresenceinsideNPCPCH1", [=] {
        const PaneText pane(panes.npcPch->pane());
        auto log = npcLog();
        checkPchPresence(npc(), PchKind::Npc, pane.lines, log, kNpcPchPane);
    });
    on("CheckpresenceinsideITEMPCH1", [=] {
        const PaneText pane(panes.itemPch->pane());
        auto log = itemLog();
        checkPchPresence(items(), PchKind::Item, pane.lines, log, kItemPchPane);
    });
    on("CheckifallitemsexistsinITEMData1", [=] {
        auto log = npcLog();
        checkItemsExist(npc(), items(), log);
    });
    on("Showitemsnotused1", [=] {
        auto log = itemLog();
        checkItemsNotDropped(items(), npc(), log);
    });
    on("Checkifallmonstersexists1", [=] {
        const PaneText pane(panes.npcpos->pane());
        auto log = npcposLog();
        checkMonstersExist(pane.lines, npc(), log, kNpcposPane);
    });
    on("FindifallnpcsinsideNPCPOSexists1", [=, this] {
        const PaneText pane(panes.npcpos->pane());
        auto log = npcposLog();
        QLabel* label = window_->npcEditor()->lastReadLabel();
        RefreshClock clock;
        checkNpcposNpcs(
            pane.lines, npc(), log,
            [label, &log, &clock](size_t k, size_t m) {
                // The label is repainted now and then: painting it for every name would cost more
                // than the check.
                if ((k % 256 == 0 && clock.due()) || k == m) {
                    label->setText(QStringLiteral("%1/%2").arg(k).arg(m));
                    label->repaint();
                    log.flush();
                    pumpEvents();
                }
            },
            kNpcposPane);
    });
    on("CheckpresenceinsideNPCPOS1", [=] {
        const PaneText pane(panes.npcgrp->pane());
        auto log = npcLog();
        checkNpcgrp(npc(), pane.lines, log, kNpcgrpPane);
    });
    on("CheckpresenceinsideClientnpcname1", [=] {
        const PaneText pane(panes.npcname->pane());
        auto log = npcLog();
        checkNpcname(npc(), pane.lines, log, kNpcnamePane);
    });
    on("CheckpresenceinsideClientitemname1", [=] {
        const PaneText pane(panes.itemName->pane());
        auto log = itemLog();
        checkItemname(items(), pane.lines, log, kItemnamePane);
    });
    on("CheckpresenceinsideClient1", [=] {
        const PaneText weapon(panes.weaponGrp->pane()), armor(panes.armorGrp->pane()),
            etc(panes.etcItemGrp->pane());
        auto log = itemLog();
        checkMergedGrp(items(), weapon.lines, armor.lines, etc.lines, log, kWeapongrpPane,
                       kArmorgrpPane, kEtcitemgrpPane);
    });

    // The three finds of the Skilldata pane report on the page of the file they search.
    on("FindallinsideSkillPCH1", [=] {
        const PaneText data(panes.skilldata->pane()), pch(panes.skillPch->pane());
        findInSkillPch(data.lines, pch.lines, panes.skillPch->skillToolOutput(), kSkilldataPane,
                       "The skill_pch pane (Skill_pch page)");
    });
    on("FindallinsideSkillgrp1", [=] {
        const PaneText data(panes.skilldata->pane()), grp(panes.skillgrp->pane());
        findInSkillLines(data.lines, grp.lines, panes.skillgrp->skillToolOutput(), kSkilldataPane,
                         "The skillgrp pane (Client:Skillgrp page)");
    });
    on("FindallinsideSkillname1", [=] {
        const PaneText data(panes.skilldata->pane()), names(panes.skillname->pane());
        findInSkillLines(data.lines, names.lines, panes.skillname->skillToolOutput(),
                         kSkilldataPane, "The skillname pane (Client:Skillname page)");
    });
}

} // namespace aethrian::ui
