#include "ui/viewcommands.h"

#include "ui/mainwindow.h"
#include "ui/pages/petpage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/filterbar.h"
#include "ui/widgets/tableview.h"

#include <QAction>
#include <QMenu>

namespace aethrian::ui {

ViewCommands::ViewCommands(MainWindow* window) : QObject(window), window_(window) {
    struct Entries {
        const char* menu;
        const char* filter; // nullptr: the menu's tables cannot be filtered
        const char* freeze;
    };
    const Entries menus[] = {{"PopupMenu1", "FilterRows1", "FreezeColumns1"},
                             {"PopupMenu3", "FilterRows2", "FreezeColumns2"},
                             {"compareMenu", nullptr, "FreezeColumns3"},
                             {"PopupMenu2", nullptr, "FreezeColumns4"}};
    for (const Entries& e : menus) {
        QMenu* menu = window_->popupMenu(QString::fromLatin1(e.menu));
        menu->addSeparator();
        if (e.filter) {
            // The shortcut belongs to each page; the menu only shows it.
            QAction* filter = menu->addAction(QStringLiteral("Filter rows\tCtrl+Shift+F"));
            filter->setObjectName(QString::fromLatin1(e.filter));
            connect(filter, &QAction::triggered, this, [this, menu] {
                if (FilterBar* bar = filterBarOf(source(menu)))
                    bar->toggle();
            });
        }
        QAction* freeze = menu->addAction(QStringLiteral("Freeze Name, Type and ID"));
        freeze->setObjectName(QString::fromLatin1(e.freeze));
        freeze->setCheckable(true);
        freeze->setChecked(true);
        connect(menu, &QMenu::aboutToShow, freeze, [menu, freeze] {
            if (const TableView* view = source(menu))
                freeze->setChecked(view->freezeEnabled());
        });
        connect(freeze, &QAction::triggered, this, [menu](bool on) {
            if (TableView* view = source(menu))
                view->setFreezeEnabled(on);
        });
    }
}

TableView* ViewCommands::source(const QMenu* menu) {
    return qobject_cast<TableView*>(menu->property("sourceWidget").value<QObject*>());
}

FilterBar* ViewCommands::filterBarOf(const TableView* view) const {
    if (!view)
        return nullptr;
    for (const TablePage* page :
         {window_->npcEditor(), window_->itemEditor(), window_->skillEditor()})
        if (page->view() == view)
            return page->filterBar();
    return window_->petPage()->view() == view ? window_->petPage()->filterBar() : nullptr;
}

} // namespace aethrian::ui
