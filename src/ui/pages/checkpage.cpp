#include "ui/pages/checkpage.h"

#include "ui/models/findingsmodel.h"
#include "ui/serverfolder.h"

#include "ui/pages/clientitempage.h"
#include "app/errors.h"
#include "lint/lintreport.h"
#include "records/table.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"

#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace aethrian::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool sameFile(const std::string& a, const std::string& b) {
    const QFileInfo fa(q(a)), fb(q(b));
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

} // namespace

CheckEverythingPage::CheckEverythingPage(MainWindow* window, ServerFolder* folder, QWidget* parent)
    : QWidget(parent), window_(window), folder_(folder) {
    runBtn_ = new QPushButton(QStringLiteral("Check everything"), this);
    runBtn_->setObjectName(QStringLiteral("CheckEverythingRun"));
    haltBtn_ = new QPushButton(QStringLiteral("HALT!"), this);
    haltBtn_->setObjectName(QStringLiteral("CheckEverythingHalt"));
    auto* hint = new QLabel(
        QStringLiteral("Reads the files named in the path boxes (\"Open server folder...\" on "
                       "Settings and Info fills them) and runs every check they allow."),
        this);
    hint->setWordWrap(true);
    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("CheckEverythingCounts"));
    counts_->setWordWrap(true);
    model_ = new FindingsModel(this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("CheckEverythingResults"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->horizontalHeader()->setStretchLastSection(true);
    auto* bar = new QHBoxLayout;
    bar->addWidget(runBtn_);
    bar->addWidget(haltBtn_);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(hint);
    layout->addWidget(counts_);
    layout->addWidget(view_, 1);
    connect(runBtn_, &QPushButton::clicked, this, &CheckEverythingPage::run);
    connect(haltBtn_, &QPushButton::clicked, this, [this] { halt_ = true; });
    connect(view_, &QTableView::doubleClicked, this, &CheckEverythingPage::showFinding);
}

void CheckEverythingPage::run() {
    runGuarded(this, [this] {
        halt_ = false;
        const ServerFiles files = folder_->files();
        if (files.empty())
            throw ExpectedProblem(
                "No server file is named: open a server folder or fill the path boxes first.");
        LintReport report;
        {
            BusyButton busy(runBtn_, QStringLiteral("Check everything"));
            busy.setHaltFlag(&halt_);
            report = lintServer(files, {}, window_->workspace().divider, &busy);
        }
        std::string text;
        for (const auto& [check, n] : countsPerCheck(report, report.findings))
            text += (text.empty() ? "" : ", ") + check + " " + std::to_string(n);
        counts_->setText(QStringLiteral("%1 findings in %2 files%3: %4")
                             .arg(report.findings.size())
                             .arg(files.size())
                             .arg(report.halted ? QStringLiteral(" (halted)") : QString())
                             .arg(q(text)));
        model_->setFindings(std::move(report.findings));
        view_->resizeColumnsToContents();
    });
}

void CheckEverythingPage::showFinding(const QModelIndex& index) {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= model_->findings().size())
        return;
    const Finding& f = model_->findings()[static_cast<size_t>(index.row())];
    TablePage* page = f.kind == "npcdata"     ? window_->npcEditor()
                      : f.kind == "itemdata"  ? window_->itemEditor()
                      : f.kind == "skilldata" ? window_->skillEditor()
                                              : nullptr;
    if (!page || f.record.empty() || !sameFile(page->pathBox()->path(), f.file))
        return;
    const Table& t = page->model()->table();
    const bool byId = f.kind != "skilldata" && !f.id.empty();
    for (size_t r = 1; r < t.rowCount(); ++r) {
        if (t.cell(r, 1) != f.record || (byId && t.text(r, 3) != f.id))
            continue;
        window_->showPage(page);
        page->view()->selectRow(static_cast<int>(r - 1));
        page->view()->scrollTo(page->model()->index(static_cast<int>(r - 1), 1));
        return;
    }
}

} // namespace aethrian::ui
