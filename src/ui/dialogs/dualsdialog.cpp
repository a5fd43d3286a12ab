#include "ui/dialogs/dualsdialog.h"

#include "generators/duals.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/named.h"
#include "ui/widgets/loglist.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace aethrian::ui {

namespace {

QLineEdit* edit(const char* name, QWidget* parent, bool enabled = true) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setEnabled(enabled);
    return e;
}

} // namespace

DualsDialog::DualsDialog(TablePage* itemPage, QWidget* parent) : QDialog(parent), itemPage_(itemPage) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Duals..."));
    setModal(false);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* grid = new QGridLayout(this);
    main_ = edit("Edit1", this);
    second_ = edit("Edit2", this);
    auto* pickMain = button("Button1", "<", this);
    auto* pickSecond = button("Button2", "<", this);
    name_ = new QLabel(this);
    name_->setObjectName(QStringLiteral("Label4"));
    name_->setAlignment(Qt::AlignCenter);
    mainRow_ = new QLabel(this);
    mainRow_->setObjectName(QStringLiteral("Label5"));
    mainRow_->hide();
    secondRow_ = new QLabel(this);
    secondRow_->setObjectName(QStringLiteral("Label6"));
    secondRow_->hide();
    id_ = edit("Edit3", this);
    grade_ = edit("Edit4", this);
    soulshots_ = edit("Edit16", this);
    spiritshots_ = edit("Edit15", this);
    auto* add = button("Button3", "Add", this);
    int r = 0;
    grid->addWidget(new QLabel(QStringLiteral("Main"), this), r, 0);
    grid->addWidget(main_, r, 1);
    grid->addWidget(pickMain, r++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Second"), this), r, 0);
    grid->addWidget(second_, r, 1);
    grid->addWidget(pickSecond, r++, 2);
    grid->addWidget(name_, r++, 0, 1, 3);
    const std::pair<const char*, QLineEdit*> boxes[] = {
        {"ID", id_}, {"Grade", grade_}, {"SS", soulshots_}, {"SpS", spiritshots_}};
    for (const auto& [label, box] : boxes) {
        grid->addWidget(new QLabel(QString::fromLatin1(label), this), r, 0);
        grid->addWidget(box, r++, 1);
    }
    // Shown for orientation; the generator computes none of these values.
    for (const char* label : {"Type", "Physical Dmg", "Random Dmg", "Critical", "Hit Modify", "Atk Speed",
                              "Magical Dmg", "Can Penet.", "Dual fHit r."}) {
        grid->addWidget(new QLabel(QString::fromLatin1(label), this), r, 0);
        grid->addWidget(edit("", this, false), r++, 1);
    }
    for (const char* label : {"Warriors Algorithm", "Thieves Algorithm", "Mages Algorithm"}) {
        auto* radio = new QRadioButton(QString::fromLatin1(label), this);
        radio->setEnabled(false);
        radio->setChecked(label[0] == 'W');
        grid->addWidget(radio, r++, 0, 1, 2);
    }
    grid->addWidget(add, r, 1);
    connect(pickMain, &QPushButton::clicked, this, &DualsDialog::Button1Click);
    connect(pickSecond, &QPushButton::clicked, this, &DualsDialog::Button2Click);
    connect(add, &QPushButton::clicked, this, &DualsDialog::Button3Click);
}

void DualsDialog::pick(QLineEdit* box, QLabel* rowLabel) {
    runGuarded(this, [&] {
        const size_t row = selectedCell(itemPage_).first;
        const Table& t = itemPage_->model()->table();
        if (row == 0 || row >= t.rowCount())
            return;
        box->setText(QString::fromUtf8(t.cell(row, 3)));
        box->setToolTip(QString::fromUtf8(t.cell(row, 1)));
        name_->setText(QString::fromStdString(
            dualName(main_->toolTip().toStdString(), second_->toolTip().toStdString())));
        rowLabel->setText(QString::number(row));
        recompute();
    });
}

void DualsDialog::recompute() {
    if (mainRow_->text().isEmpty() || secondRow_->text().isEmpty())
        return;
    const DualValues v = recomputeDual(itemPage_->model()->table(), mainRow_->text().toULongLong(),
                                       secondRow_->text().toULongLong());
    grade_->setText(QString::fromStdString(v.grade));
    soulshots_->setText(QString::fromStdString(v.soulshots));
    spiritshots_->setText(QString::fromStdString(v.spiritshots));
}

void DualsDialog::Button1Click() { pick(main_, mainRow_); }
void DualsDialog::Button2Click() { pick(second_, secondRow_); }

void DualsDialog::Button3Click() {
    runGuarded(this, [this] {
        LogListSink log(itemPage_->log());
        // The name shown since the picks, even if a Name cell was edited after them.
        DualValues v{grade_->text().toStdString(), soulshots_->text().toStdString(),
                     spiritshots_->text().toStdString(), name_->text().toStdString()};
        TableModel* model = itemPage_->model();
        model->apply(addDual(model->table(), mainRow_->text().toULongLong(), secondRow_->text().toULongLong(),
                              id_->text().toStdString(), v, log));
    });
}

} // namespace aethrian::ui
