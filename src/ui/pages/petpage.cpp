#include "ui/pages/petpage.h"

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
#include "ui/widgets/filterbar.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/named.h"
#include "ui/widgets/pathbox.h"
#include "ui/widgets/tableview.h"
#include "ui/workspace.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace aethrian::ui {

PetPage::PetPage(TableModel* model, QWidget* parent, const char* divider)
    : QWidget(parent), model_(model), divider_(divider) {
    pathBox_ = new PathBox(QStringLiteral("Edit55"), QStringLiteral("PetData file"), this);
    loadBtn_ = button(QStringLiteral("Button31"), QStringLiteral("Load"), this);
    saveBtn_ = button(QStringLiteral("Button30"), QStringLiteral("save"), this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("JvPetTab"));
    auto* generator = new QWidget(tabs_);
    generator->setObjectName(QStringLiteral("Generator"));
    auto* pet1 = new QWidget(tabs_);
    pet1->setObjectName(QStringLiteral("Pet1"));
    TableView* tableView =
        makeTableView(QStringLiteral("JvPetGrid1"), QStringLiteral("Pet table"), model_, pet1);
    view_ = tableView;
    setFirstColumnWidths(view_, {35, 136, 99, 101});
    tableView->setFreezeEnabled(true);
    filterBar_ = new FilterBar(model_, tableView, this, pet1);
    auto* petLayout = new QVBoxLayout(pet1);
    petLayout->addWidget(filterBar_);
    petLayout->addWidget(view_);
    tabs_->addTab(generator, QStringLiteral("Generator"));
    tabs_->addTab(pet1, QStringLiteral("Pet1"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(pathBox_, 1);
    bar->addWidget(loadBtn_);
    bar->addWidget(saveBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(tabs_, 1);
    connect(loadBtn_, &QPushButton::clicked, this, &PetPage::loadClick);
    connect(saveBtn_, &QPushButton::clicked, this, &PetPage::saveClick);
    connect(pathBox_, &PathBox::fileDropped, this, &PetPage::loadClick);
    connect(pathBox_, &PathBox::loadRequested, this, &PetPage::loadClick);
    auto* saveAction = new QAction(QStringLiteral("Save"), this);
    saveAction->setObjectName(QStringLiteral("JvPetGrid1SaveAction"));
    saveAction->setShortcut(QKeySequence::Save);
    saveAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(saveAction);
    connect(saveAction, &QAction::triggered, this, &PetPage::save);
}

void PetPage::loadClick() {
    runGuarded(this, [this] {
        const std::string path = pathBox_->usePath();
        if (!fileExists(path))
            throw ExpectedProblem(std::string(kPetKind.missingFileMessage));
        if (!mayDropEdits())
            return;
        BusyButton busy(loadBtn_, QStringLiteral("Load")); // pumps once so "Working" shows
        Table loaded;
        otherLines_ = LoadTableFile(path, kPetKind, loaded, &busy).otherLines;
        model_->reload([&](Table& t) { t = std::move(loaded); });
        filePath_ = QString::fromStdString(path);
        setFirstColumnWidths(view_, {35});
        fitColumnWidths(view_);
    });
}

bool PetPage::mayDropEdits() {
    return ui::mayDropEdits(this, *model_, filePath_, [this] { return save(); });
}

bool PetPage::saveClick() {
    return confirmDroppingOtherLines(this, otherLines_) &&
           saveTableAs(this, filePath_, pathBox_,
                       [this](const QString& file) { return writeTo(file); });
}

bool PetPage::save() {
    return filePath_.isEmpty() ? saveClick()
                               : confirmDroppingOtherLines(this, otherLines_) && writeTo(filePath_);
}

// The pet table is written back as the item records it was read as.
bool PetPage::writeTo(const QString& file) {
    bool saved = false;
    runGuarded(this, [&] {
        BusyButton busy(saveBtn_, QStringLiteral("save"), false, false);
        SaveTable(model_->table(), kPetKind, *divider_, file.toStdString(), &busy);
        model_->markSaved();
        saved = true;
        otherLines_ = 0; // agreed to once
    });
    return saved;
}

} // namespace aethrian::ui
