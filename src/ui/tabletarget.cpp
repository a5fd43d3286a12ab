#include "ui/tabletarget.h"

#include "ui/mainwindow.h"
#include "ui/pages/petpage.h"
#include "ui/pages/tablepage.h"

#include <QTabWidget>
#include <QTableView>

namespace aethrian::ui {

std::vector<TableTarget> tableTargets(MainWindow* window) {
    std::vector<TableTarget> targets;
    for (TablePage* page : {window->npcEditor(), window->itemEditor(), window->skillEditor()})
        targets.push_back({page, page->model(), page->view(), page->log(),
                           page->view()->accessibleName(), [page] { return page->filePath(); }});
    PetPage* pet = window->petPage();
    targets.push_back({pet, &window->workspace().petModel, pet->view(), nullptr,
                       pet->view()->accessibleName(), [pet] { return pet->filePath(); }});
    return targets;
}

bool isCurrentPage(const QWidget* page) {
    // A tab's page sits in the tab control's internal stack, so its tab control is the
    // grandparent.
    for (const QWidget* w = page; w && w->parentWidget(); w = w->parentWidget())
        if (auto* tabs = qobject_cast<const QTabWidget*>(w->parentWidget()->parentWidget()))
            if (tabs->indexOf(const_cast<QWidget*>(w)) >= 0 && tabs->currentWidget() != w)
                return false;
    return page != nullptr;
}

const TableTarget* currentTarget(const std::vector<TableTarget>& targets) {
    for (const TableTarget& t : targets)
        if (isCurrentPage(t.view))
            return &t;
    return nullptr;
}

} // namespace aethrian::ui
