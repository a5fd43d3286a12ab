#include "ui/pages/npcpchpage.h"

#include "app/errors.h"
#include "app/version.h"
#include "checks/pch.h"
#include "generators/clientdump.h"
#include "records/recordkind.h"
#include "records/tableio.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/named.h"
#include "ui/widgets/pathbox.h"
#include "ui/workspace.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace aethrian::ui {

NpcPchPage::NpcPchPage(QWidget* parent) : QWidget(parent) {
    auto* path = path_ =
        new PathBox(QStringLiteral("Edit42"), QStringLiteral("Npc_pch file"), this);
    auto* load = button(QStringLiteral("Button4"), QStringLiteral("Load"), this);
    auto* save = button(QStringLiteral("Button7"), QStringLiteral("Save"), this);
    auto* first = first_ =
        makePane(QStringLiteral("TntMemo1"), QStringLiteral("Npc_pch text"), this);
    auto* second = second_ =
        makePane(QStringLiteral("TntMemo15"), QStringLiteral("Npc_pch second text"), this);
    auto* switchBtn = new QToolButton(this);
    switchBtn->setObjectName(QStringLiteral("SpeedButton1"));
    switchBtn->setText(QStringLiteral("<>"));
    switchBtn->setToolTip(QStringLiteral("Switch"));
    switchBtn->setAccessibleName(QStringLiteral("Switch")); // its caption is a symbol
    auto* compareBtn = new QToolButton(this);
    compareBtn->setObjectName(QStringLiteral("SpeedButton2"));
    compareBtn->setText(QStringLiteral("=?"));
    compareBtn->setToolTip(QStringLiteral("Compare"));
    compareBtn->setAccessibleName(QStringLiteral("Compare"));
    auto* logGroup = new QGroupBox(QStringLiteral("Log"), this);
    log_ = new LogList(QStringLiteral("JvListBox2"), QStringLiteral("Npc_pch log"), logGroup);
    auto* logLayout = new QVBoxLayout(logGroup);
    logLayout->addWidget(log_);

    auto* bar = new QHBoxLayout;
    bar->addWidget(path, 1);
    bar->addWidget(load);
    bar->addWidget(save);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(switchBtn);
    middle->addWidget(compareBtn);
    middle->addStretch(1);
    auto* panes = new QHBoxLayout;
    panes->addWidget(first, 1);
    panes->addLayout(middle);
    panes->addWidget(second, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(panes, 3);
    layout->addWidget(logGroup, 1);

    connect(load, &QPushButton::clicked, this, [this, first, path] {
        runGuarded(this, [&] { loadPaneFile(first, path->usePath()); });
    });
    connect(path, &PathBox::fileDropped, load, &QPushButton::click);
    connect(path, &PathBox::loadRequested, load, &QPushButton::click);
    connect(save, &QPushButton::clicked, this, [this, first] {
        runGuarded(this,
                   [&] { savePaneToChosenFile(this, first, kTextFilter, QStringLiteral("txt")); });
    });
    connect(switchBtn, &QAbstractButton::clicked, this, &NpcPchPage::switchPanes);
    connect(compareBtn, &QAbstractButton::clicked, this, &NpcPchPage::comparePanes);
}

void NpcPchPage::switchPanes() {
    const std::string left = paneText(first_);
    setPaneText(first_, paneText(second_));
    setPaneText(second_, left);
}

void NpcPchPage::comparePanes() {
    runGuarded(this, [this] {
        const std::string a = paneText(first_), b = paneText(second_);
        LogListSink log(log_);
        comparePch(paneLines(a), paneLines(b), log, "The left NPC_PCH pane (Npc_pch page)",
                   "The right NPC_PCH pane (Npc_pch page)");
    });
}

} // namespace aethrian::ui
