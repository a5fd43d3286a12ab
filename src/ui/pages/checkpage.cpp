#include "ui/pages/checkpage.h"

#include "app/errors.h"
#include "checks/lintreport.h"
#include "records/table.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/smallpages.h"
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

enum Column { Check, File, Line, Record, Message, ColumnCount };

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool sameFile(const std::string& a, const std::string& b) {
    const QFileInfo fa(q(a)), fb(q(b));
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

} // namespace

void FindingsModel::setFindings(std::vector<Finding> findings) {
    beginResetModel();
    findings_ = std::move(findings);
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(findings_.size());
}

int FindingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole ||
        static_cast<size_t>(index.row()) >= findings_.size())
        return {};
    const Finding& f = findings_[static_cast<size_t>(index.row())];
    switch (index.column()) {
    case Check:
        return q(f.check);
    case File:
        return q(f.file);
    case Line:
        return f.line ? QVariant(static_cast<qulonglong>(f.line)) : QVariant();
    case Record:
        return q(f.record);
    case Message:
        return q(f.message);
    default:
        return {};
    }
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* names[] = {"Check", "File", "Line", "Record", "Message"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(names[section]) : QVariant();
}

ServerFolder::ServerFolder(MainWindow* window) : QObject(window), window_(window) {
    const SidePanes& p = window->workspace().panes;
    boxes_ = {{"npcdata", window->npcEditor()->pathBox()},
              {"itemdata", window->itemEditor()->pathBox()},
              {"skilldata", window->skillEditor()->pathBox()},
              {"skilldata", p.skilldata->pathBox()},
              {"item_pch", p.itemPch->pathBox()},
              {"skill_pch", p.skillPch->pathBox()},
              {"npcpos", p.npcpos->pathBox()},
              {"npcgrp", p.npcgrp->pathBox()},
              {"npcname", p.npcname->pathBox()},
              {"itemname", p.itemName->pathBox()},
              {"weapongrp", p.weaponGrp->pathBox()},
              {"armorgrp", p.armorGrp->pathBox()},
              {"etcitemgrp", p.etcItemGrp->pathBox()},
              {"skillgrp", p.skillgrp->pathBox()},
              {"skillname", p.skillname->pathBox()}};
}

void ServerFolder::open() {
    runGuarded(window_, [this] {
        const QString dir = chooseFolder(window_, QStringLiteral("Open server folder"));
        if (!dir.isEmpty())
            fill(dir.toStdString());
    });
}

void ServerFolder::fill(const std::string& dir) {
    found_ = findServerFiles(dir);
    LogListSink log(window_->npcEditor()->log());
    log.add("Server folder " + dir + ": " + std::to_string(found_.size()) + " files found");
    for (const auto& [kind, box] : boxes_) {
        const auto it = found_.find(kind);
        if (it == found_.end())
            continue;
        box->setText(q(it->second));
        log.add("  " + box->objectName().toStdString() + " (" + kind + "): " + it->second);
    }
    if (const auto it = found_.find("npc_pch"); it != found_.end())
        log.add("  npc_pch (no path box, read by Check everything): " + it->second);
}

ServerFiles ServerFolder::files() const {
    ServerFiles files = found_;
    // In list order: the Skilldata pane's box, after the editor's, names the file the finds read.
    for (const auto& [kind, box] : boxes_)
        if (!box->text().isEmpty())
            files[kind] = box->path();
    return files;
}

void ServerFolder::openFiles(const QStringList& paths) {
    QStringList unknown;
    for (const QString& given : paths) {
        const QString file = QFileInfo(given).absoluteFilePath();
        const std::string kind = serverFileKindOf(QFileInfo(given).fileName().toStdString());
        std::vector<PathBox*> boxes;
        for (const auto& [k, box] : boxes_)
            if (k == kind)
                boxes.push_back(box);
        if (kind == "npc_pch") // read by the checks from its page's pane, so not among the boxes
            boxes.push_back(window_->workspace().panes.npcPch->pathBox());
        if (boxes.empty()) {
            unknown << given;
            continue;
        }
        for (PathBox* box : boxes)
            box->setText(file);
        window_->showPage(boxes.front());
        boxes.front()->requestLoad();
    }
    if (!unknown.isEmpty())
        showMessage(window_, QStringLiteral("These files were not opened: their names do not tell "
                                            "which page they belong to.\n") +
                                 unknown.join('\n'));
}

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
