#include "ui/pages/aiobjpage.h"

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
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace aethrian::ui {

AiObjPage::AiObjPage(QWidget* parent) : QWidget(parent) {
    auto* group = new QGroupBox(QStringLiteral("AI.obj"), this);
    pathBox_ = new PathBox(QStringLiteral("Edit38"), QStringLiteral("AI.obj Editor file"), group,
                           QString::fromLatin1(kObjFilter), QStringLiteral("obj"));
    auto* size = new QLabel(QStringLiteral("<bytes>"), group);
    size->setObjectName(QStringLiteral("Label34"));
    loadBtn_ = button(QStringLiteral("JvMultilineButton2"), QStringLiteral("Load"), group);
    auto* x = button(QStringLiteral("JvMultilineButton6"), QStringLiteral("X"), group);
    x->setFixedWidth(24);
    pane_ =
        makePane(QStringLiteral("TntMemo10"), QStringLiteral("AI.obj Editor text"), group, true);
    auto* bar = new QHBoxLayout;
    bar->addWidget(pathBox_, 1);
    bar->addWidget(size);
    bar->addWidget(loadBtn_);
    bar->addWidget(x);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(bar);
    groupLayout->addWidget(pane_, 1);

    auto* lower = new QWidget(this);
    saveBtn_ = button(QStringLiteral("JvMultilineButton7"), QStringLiteral("Save as"), lower);
    auto* logGroup = new QGroupBox(QStringLiteral("Log"), lower);
    auto* log =
        new LogList(QStringLiteral("ListBox6"), QStringLiteral("AI.obj Editor log"), logGroup);
    auto* logLayout = new QVBoxLayout(logGroup);
    logLayout->addWidget(log);
    auto* saveBar = new QHBoxLayout;
    saveBar->addStretch(1);
    saveBar->addWidget(saveBtn_);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addLayout(saveBar);
    lowerLayout->addWidget(logGroup, 1);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(group);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    connect(loadBtn_, &QPushButton::clicked, this, &AiObjPage::loadClick);
    connect(saveBtn_, &QPushButton::clicked, this, &AiObjPage::saveClick);
    connect(pathBox_, &PathBox::fileDropped, this, &AiObjPage::loadClick);
    connect(pathBox_, &PathBox::loadRequested, this, &AiObjPage::loadClick);
}

void AiObjPage::loadClick() {
    runGuarded(this, [this] {
        const std::string path = pathBox_->usePath();
        if (!fileExists(path))
            throw ExpectedProblem("AI.obj files doesn't exists...");
        BusyButton busy(loadBtn_, QStringLiteral("Load"), false, false);
        loadBtn_->setText(QStringLiteral("Loading..."));
        loadPaneFile(pane_, path);
    });
}

void AiObjPage::saveClick() {
    runGuarded(this, [this] {
        const QString file = chooseFile(this, {true, kObjFilter, QStringLiteral("obj")});
        if (file.isEmpty())
            return;
        BusyButton busy(saveBtn_, QStringLiteral("Save as"), false, false);
        writePaneFile(file.toStdString(), paneText(pane_));
    });
}

} // namespace aethrian::ui
