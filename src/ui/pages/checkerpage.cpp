#include "ui/pages/checkerpage.h"

#include "app/errors.h"
#include "rates/rateschecker.h"
#include "records/tableio.h"
#include "records/textfile.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/named.h"
#include "ui/widgets/pathbox.h"
#include "ui/workspace.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace aethrian::ui {

namespace {

// The page's edits by monster (orc grunt, porta, karik) and column (Exp, Sp, Adena, Drop, Spoil).
constexpr const char* kReferenceEdits[3][5] = {{"Edit1", "Edit2", "Edit4", "Edit3", "Edit5"},
                                               {"Edit10", "Edit9", "Edit8", "Edit7", "Edit6"},
                                               {"Edit15", "Edit14", "Edit13", "Edit12", "Edit11"}};
constexpr const char* kResultEdits[3][5] = {{"Edit17", "Edit18", "Edit20", "Edit19", "Edit21"},
                                            {"Edit26", "Edit25", "Edit24", "Edit23", "Edit22"},
                                            {"Edit31", "Edit30", "Edit29", "Edit28", "Edit27"}};

QGroupBox* rateGrid(const QString& title, std::array<QLineEdit*, 15>& edits, bool reference,
                    QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    for (int c = 0; c < 5; ++c) {
        const QString label = reference && c == 0
                                  ? QStringLiteral("Exp rate")
                                  : QString::fromLatin1(kRateColumnLabels[static_cast<size_t>(c)]);
        grid->addWidget(new QLabel(label, group), 0, c + 1);
    }
    for (int m = 0; m < 3; ++m)
        grid->addWidget(
            new QLabel(QString::fromLatin1(kRateMonsterLabels[static_cast<size_t>(m)]), group),
            m + 1, 0);
    for (size_t i = 0; i < kRateMarks.size(); ++i) {
        const RateMark& mark = kRateMarks[i];
        // Named by the row and column labels beside it, which a screen reader does not connect.
        const QString place =
            QString::fromLatin1(kRateMonsterLabels[static_cast<size_t>(mark.monster)]) + ' ' +
            QString::fromLatin1(kRateColumnLabels[static_cast<size_t>(mark.column)]);
        auto* edit = withAccessibleName(new QLineEdit(group),
                                        reference ? QStringLiteral("1x reference ") + place
                                                  : place + QStringLiteral(" rate"));
        const auto& names = reference ? kReferenceEdits : kResultEdits;
        edit->setObjectName(QString::fromLatin1(names[mark.monster][mark.column]));
        if (reference) {
            edit->setText(QString::fromLatin1(mark.referenceDefault));
            if (mark.item)
                edit->setToolTip(QString::fromLatin1(mark.item));
        } else {
            edit->setReadOnly(true);
        }
        grid->addWidget(edit, mark.monster + 1, mark.column + 1);
        edits[i] = edit;
    }
    return group;
}

} // namespace

CheckerPage::CheckerPage(Workspace* workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
    auto* header =
        new QLabel(QStringLiteral("This program will read an npcdata file and check some basic "
                                  "monsters to obtain what are the rates of the npcdata file."),
                   this);
    header->setWordWrap(true);
    path_ = new PathBox(QStringLiteral("Edit16"), QStringLiteral("NPCData Checker file"), this);
    check_ = new QPushButton(QStringLiteral("Check"), this);
    check_->setObjectName(QStringLiteral("Button1"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(path_, 1);
    bar->addWidget(check_);
    auto* grids = new QHBoxLayout;
    grids->addWidget(rateGrid(QStringLiteral("1x Reference Data"), references_, true, this));
    grids->addWidget(rateGrid(QStringLiteral("Rates"), results_, false, this));
    memo_ = withAccessibleName(new QPlainTextEdit(this),
                               QStringLiteral("NPCData Checker working text"));
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* footnote =
        new QLabel(QStringLiteral("A quick estimate for when no 1x file is at hand: with one, "
                                  "compare the two files on the NPCData Compare page."),
                   this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(bar);
    layout->addLayout(grids);
    layout->addWidget(memo_, 1);
    layout->addWidget(footnote);
    connect(check_, &QPushButton::clicked, this, &CheckerPage::Button1Click);
    connect(path_, &PathBox::fileDropped, this, &CheckerPage::Button1Click);
    connect(path_, &PathBox::loadRequested, this, &CheckerPage::Button1Click);
}

void CheckerPage::Button1Click() {
    runGuarded(this, [this] {
        std::array<std::string, 15> references;
        for (size_t i = 0; i < references.size(); ++i)
            references[i] = references_[i]->text().toStdString();
        std::optional<BusyButton> busy;
        RatesSteps steps;
        steps.reading = [&] {
            busy.emplace(check_, QStringLiteral("Check"), false, false);
            check_->setText(QStringLiteral("Loading..."));
        };
        steps.decoding = [&] {
            pumpEvents();
            check_->setText(QStringLiteral("Decoding..."));
        };
        steps.decoded = [&](const std::string& text) {
            setPaneText(memo_, text);
            pumpEvents();
            check_->setText(QStringLiteral("Wait..."));
        };
        steps.result = [this](size_t i, const RateResult& r) {
            if (r.text)
                results_[i]->setText(QString::fromUtf8(*r.text));
            results_[i]->setToolTip(QString::fromUtf8(r.tooltip));
        };
        const RatesRun run =
            checkRatesFile(path_->usePath(), references, workspace_->divider, steps);
        if (run.error)
            std::rethrow_exception(run.error);
    });
}

} // namespace aethrian::ui
