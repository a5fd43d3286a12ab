#include "ui/dialogs/adddropdialog.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/named.h"
#include "ui/workspace.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <random>

namespace aethrian::ui {

AddDropDialog::AddDropDialog(Workspace* workspace, TablePage* npcPage, QWidget* parent)
    : QDialog(parent), workspace_(workspace), npcPage_(npcPage) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Add drop to:"));
    setModal(false);
    auto* grid = new QGridLayout;
    // The boxes are kept by their names, which the dialog's texts use.
    const auto addBox = [this](const QString& name, const QString& text) {
        QLineEdit* edit = lineEdit(name, text, this);
        boxes_.insert(name, edit);
        return edit;
    };
    grid->addWidget(new QLabel(QStringLiteral("Item name:"), this), 0, 0);
    grid->addWidget(addBox(QStringLiteral("Edit1"), {}), 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Value"), this), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("* level"), this), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("*level^2"), this), 1, 3);
    struct Row {
        const char* label;
        const char *v, *a, *b, *result;
        const char *dv, *da, *db;
    };
    const Row rows[] = {{"min drop:", "Edit2", "Edit3", "Edit16", "Edit9", "1", "0", "0"},
                        {"max drop:", "Edit4", "Edit5", "Edit17", "Edit10", "1", "0", "0,001"},
                        {"% drop:", "Edit6", "Edit7", "Edit18", "Edit11", "0,01", "0", "0,00025"}};
    int r = 2;
    for (const Row& row : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(row.label), this), r, 0);
        grid->addWidget(addBox(QString::fromLatin1(row.v), QString::fromLatin1(row.dv)), r, 1);
        grid->addWidget(addBox(QString::fromLatin1(row.a), QString::fromLatin1(row.da)), r, 2);
        grid->addWidget(addBox(QString::fromLatin1(row.b), QString::fromLatin1(row.db)), r, 3);
        auto* result = addBox(QString::fromLatin1(row.result), QStringLiteral("1"));
        grid->addWidget(result, r, 4);
        ++r;
    }
    const std::pair<const char*, const char*> filters[] = {
        {"minimum level required:", "Edit8"},
        {"clan required:", "Edit13"},
        {"kind (warrior, boss, etc):", "Edit14"},
        {"% that this drop will be added ", "Edit15"}};
    const char* defaults[] = {"1", "", "", "100"};
    for (size_t i = 0; i < 4; ++i, ++r) {
        grid->addWidget(new QLabel(QString::fromLatin1(filters[i].first), this), r, 0);
        grid->addWidget(
            addBox(QString::fromLatin1(filters[i].second), QString::fromLatin1(defaults[i])), r, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("test on level"), this), r, 0);
    grid->addWidget(addBox(QStringLiteral("Edit12"), QStringLiteral("15")), r, 1);
    auto* test = button(QStringLiteral("Button1"), QStringLiteral("test it"), this);
    grid->addWidget(test, r, 2);
    auto* all = button(QStringLiteral("Button2"), QStringLiteral("Add it to the Database"), this);
    auto* one = button(QStringLiteral("Button3"), QStringLiteral("only this cell"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addWidget(one);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(test, &QPushButton::clicked, this, &AddDropDialog::Button1Click);
    connect(all, &QPushButton::clicked, this, &AddDropDialog::Button2Click);
    connect(one, &QPushButton::clicked, this, &AddDropDialog::Button3Click);
}

QLineEdit* AddDropDialog::box(const char* name) const {
    return boxes_.value(QString::fromLatin1(name));
}

AddDropSettings AddDropDialog::settings() const {
    const auto text = [this](const char* name) { return box(name)->text().toStdString(); };
    AddDropSettings s;
    s.item = text("Edit1");
    s.min = {text("Edit2"), text("Edit3"), text("Edit16")};
    s.max = {text("Edit4"), text("Edit5"), text("Edit17")};
    s.chance = {text("Edit6"), text("Edit7"), text("Edit18")};
    s.minLevel = text("Edit8");
    s.clan = text("Edit13");
    s.kind = text("Edit14");
    s.percent = text("Edit15");
    return s;
}

void AddDropDialog::Button1Click() {
    runGuarded(this, [this] {
        const char divider = workspace_->divider;
        const DropValues v = computeDrop(settings(), box("Edit12")->text().toStdString(), divider);
        box("Edit9")->setText(QString::fromStdString(v.min));
        box("Edit10")->setText(QString::fromStdString(v.max));
        box("Edit11")->setText(QString::fromStdString(v.chance));
    });
}

void AddDropDialog::Button2Click() {
    runGuarded(this, [this] {
        std::mt19937 rng(std::random_device{}());
        std::uniform_int_distribution<int> percent(0, 99);
        LogListSink log(npcPage_->log());
        TableModel& model = workspace_->npcModel;
        model.apply(addDropToDatabase(
            model.table(), settings(), workspace_->divider, log, [&] { return percent(rng); },
            npcPage_->shownRows()));
    });
}

void AddDropDialog::Button3Click() {
    runGuarded(this, [this] {
        LogListSink log(npcPage_->log());
        TableModel& model = workspace_->npcModel;
        model.apply(addDropToRow(model.table(), selectedCell(npcPage_).first, settings(),
                                 workspace_->divider, log));
    });
}

} // namespace aethrian::ui
