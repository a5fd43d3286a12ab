#pragma once

#include <QMenu>

namespace aethrian::ui {

// Builds the pop-up menus of the window, every command in menu order as a QAction named after
// its component, so features connect to them by that name (`MainWindow::action("Adddrop1")`).
QMenu* buildPopupMenu(const QString& objectName, QWidget* parent);

// The names of all pop-up menus, in the order the window lists them.
QStringList popupMenuNames();

// Shows `menu` for right clicks on `widget`.
void attachPopupMenu(QWidget* widget, QMenu* menu);

} // namespace aethrian::ui
