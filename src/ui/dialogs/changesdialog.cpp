#include "ui/dialogs/changesdialog.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/named.h"
#include "ui/workspace.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace aethrian::ui {

ChangesDialog::ChangesDialog(Workspace* workspace, TablePage* npcPage, QWidget* parent)
    : QDialog(parent), workspace_(workspace), npcPage_(npcPage) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Changes"));
    setModal(true);

    auto* group = new QGroupBox(QStringLiteral("Options"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    options_ = new QButtonGroup(this);
    auto* groupLayout = new QVBoxLayout(group);
    const char* items[] = {"Add", "Subtract", "Multiply", "Divide", "Warp"};
    for (int i = 0; i < 5; ++i) {
        auto* r = new QRadioButton(QString::fromLatin1(items[i]), group);
        options_->addButton(r, i);
        groupLayout->addWidget(r);
    }
    options_->button(2)->setChecked(true);

    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    by_ = lineEdit(QStringLiteral("Edit1"), QStringLiteral("1.0"), panel1_);
    auto* p1 = new QHBoxLayout(panel1_);
    p1->addWidget(new QLabel(QStringLiteral("by"), panel1_));
    p1->addWidget(by_);
    p1->addWidget(new QLabel(QStringLiteral("Value can be decimal"), panel1_));

    panel3_ = new QWidget(this);
    panel3_->setObjectName(QStringLiteral("Panel3"));
    from_ = lineEdit(QStringLiteral("Edit12"), QStringLiteral("1.0"), panel3_);
    to_ = lineEdit(QStringLiteral("Edit13"), QStringLiteral("1.0"), panel3_);
    auto* p3 = new QHBoxLayout(panel3_);
    p3->addWidget(new QLabel(QStringLiteral("from"), panel3_));
    p3->addWidget(from_);
    p3->addWidget(new QLabel(QStringLiteral("X"), panel3_));
    p3->addWidget(new QLabel(QStringLiteral("to"), panel3_));
    p3->addWidget(to_);
    p3->addWidget(new QLabel(QStringLiteral("X"), panel3_));
    p3->addWidget(new QLabel(QStringLiteral("Value can be decimal"), panel3_));
    panel3_->hide();

    auto* panel4 = new QWidget(this);
    panel4->setObjectName(QStringLiteral("Panel4"));
    smart_ = new QCheckBox(QStringLiteral("SMART"), panel4);
    smart_->setObjectName(QStringLiteral("smart1"));
    low_ = lineEdit(QStringLiteral("Edit14"), QStringLiteral("0.1"), panel4);
    high_ = lineEdit(QStringLiteral("Edit15"), QStringLiteral("1000.0"), panel4);
    auto* p4 = new QHBoxLayout(panel4);
    p4->addWidget(smart_);
    p4->addWidget(new QLabel(QStringLiteral("more than"), panel4));
    p4->addWidget(low_);
    p4->addWidget(new QLabel(QStringLiteral("less than"), panel4));
    p4->addWidget(high_);
    p4->addWidget(new QLabel(QStringLiteral("Values can be decimal"), panel4));

    auto* panel5 = new QWidget(this);
    panel5->setObjectName(QStringLiteral("Panel5"));
    panel5->setToolTip(QStringLiteral(
        "These options will work only for drop columns.\nOtherwise leave it on exclude Adena.\n\n"
        "- if exclude is active: if the voice [adena] is found it will remain unmodified. Other "
        "data will be modified.\n"
        "- if perform is active: only the voice [adena] will be edited (if found in the column). "
        "Other data will remain unmodified.\n\n"
        "n.b. if you use this option over a not drop column (like exp, sp, etc) this option will "
        "be ignored."));
    auto* exclude = new QRadioButton(QStringLiteral("exclude [Adena]"), panel5);
    exclude->setObjectName(QStringLiteral("RadioButton1"));
    exclude->setChecked(true);
    adenaOnly_ = new QRadioButton(QStringLiteral("perform only [Adena]"), panel5);
    adenaOnly_->setObjectName(QStringLiteral("RadioButton2"));
    auto* p5 = new QHBoxLayout(panel5);
    p5->addWidget(exclude);
    p5->addWidget(adenaOnly_);

    auto* execute = button(QStringLiteral("Button1"), QStringLiteral("Execute"), this);
    auto* close = button(QStringLiteral("Button2"), QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(execute);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(panel1_);
    layout->addWidget(panel3_);
    layout->addWidget(panel4);
    layout->addWidget(panel5);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(options_, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
    connect(execute, &QPushButton::clicked, this, &ChangesDialog::Button1Click);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

void ChangesDialog::openFor(bool cellScope) {
    cellScope_ = cellScope;
    show();
    raise();
}

void ChangesDialog::RadioGroup1Click() {
    const bool warp = options_->checkedId() == 4;
    panel1_->setVisible(!warp);
    panel3_->setVisible(warp);
}

ChangeDialog ChangesDialog::readBoxes() const {
    ChangeDialog d;
    d.option = static_cast<ChangeOption>(options_->checkedId());
    d.by = by_->text().toStdString();
    d.from = from_->text().toStdString();
    d.to = to_->text().toStdString();
    d.low = low_->text().toStdString();
    d.high = high_->text().toStdString();
    d.smart = smart_->isChecked();
    d.adenaOnly = adenaOnly_->isChecked();
    return d;
}

void ChangesDialog::writeBoxes(const ChangeDialog& d) {
    by_->setText(QString::fromStdString(d.by));
    from_->setText(QString::fromStdString(d.from));
    to_->setText(QString::fromStdString(d.to));
    low_->setText(QString::fromStdString(d.low));
    high_->setText(QString::fromStdString(d.high));
}

void ChangesDialog::Button1Click() {
    runGuarded(this, [this] {
        ChangeDialog d = readBoxes();
        try {
            prepareChange(d, workspace_->divider);
        } catch (const ExpectedProblem& e) {
            writeBoxes(d);
            hide(); // the dialog closes whether or not a message follows
            showMessage(this, QString::fromUtf8(e.what()));
            return;
        } catch (...) {
            writeBoxes(d);
            throw;
        }
        writeBoxes(d);
        hide();
        const auto [row, col] = selectedCell(npcPage_);
        if (row == 0)
            return;
        LogListSink log(npcPage_->log());
        TableModel& model = workspace_->npcModel;
        model.apply(runValueChange(model.table(), d, cellScope_ ? row : 0, col, workspace_->divider,
                                   log, npcPage_->shownRows()));
    });
}

} // namespace aethrian::ui
