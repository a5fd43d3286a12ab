#include "ui/pages/clientitempage.h"

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

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace aethrian::ui {

ClientItemPage::ClientItemPage(const QString& subject, const QString& pathBox, const QString& load,
                               const QString& pane, const QString& grid, TableModel* model,
                               bool itemNames, QWidget* parent)
    : QWidget(parent), model_(model), itemNames_(itemNames) {
    path_ = new PathBox(pathBox, subject + QStringLiteral(" file"), this);
    auto* loadBtn = button(load, QStringLiteral("Load"), this);
    tabs_ = new QTabWidget(this);
    auto* text = new QWidget(tabs_);
    text->setObjectName(pane + QStringLiteral("TextView"));
    pane_ = makePane(pane, subject + QStringLiteral(" text"), text);
    auto* save = button(pane + QStringLiteral("Save"), QStringLiteral("Save"), text);
    auto* textLayout = new QVBoxLayout(text);
    textLayout->addWidget(save, 0, Qt::AlignRight);
    textLayout->addWidget(pane_, 1);
    auto* table = new QWidget(tabs_);
    table->setObjectName(grid + QStringLiteral("TableView"));
    view_ = makeTableView(grid, subject + QStringLiteral(" table"), model_, table);
    setFirstColumnWidths(view_, {35, 59, 199, 90});
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(view_);
    tabs_->addTab(text, QStringLiteral("Text View"));
    tabs_->addTab(table, QStringLiteral("Table View"));
    tabs_->setCurrentIndex(1);

    auto* bar = new QHBoxLayout;
    bar->addWidget(path_, 1);
    bar->addWidget(loadBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(tabs_, 1);
    connect(loadBtn, &QPushButton::clicked, this, &ClientItemPage::loadClick);
    connect(path_, &PathBox::fileDropped, this, &ClientItemPage::loadClick);
    connect(path_, &PathBox::loadRequested, this, &ClientItemPage::loadClick);
    connect(save, &QPushButton::clicked, this, [this] {
        runGuarded(this,
                   [&] { savePaneToChosenFile(this, pane_, kTextFilter, QStringLiteral("txt")); });
    });
}

void ClientItemPage::loadClick() {
    runGuarded(this, [this] {
        ClientDumpFile dump =
            loadClientDumpFile(path_->usePath(), itemNames_ ? kItemNameDumpMarks : kItemDumpMarks);
        setPaneText(pane_, toPaneText(dump.text));
        model_->reload([&](Table& t) { t = std::move(dump.table); });
        setFirstColumnWidths(view_, {35, 59, 199, 90});
    });
}

} // namespace aethrian::ui
