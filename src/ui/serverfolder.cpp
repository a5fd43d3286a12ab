#include "ui/serverfolder.h"

#include "app/errors.h"
#include "lint/lintreport.h"
#include "records/table.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/clientitempage.h"
#include "ui/pages/npcpchpage.h"
#include "ui/pages/panepage.h"

#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QFileInfo>

namespace aethrian::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

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

} // namespace aethrian::ui
