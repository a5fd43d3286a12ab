#include "ui/findcommands.h"

#include "editing/findreplace.h"
#include "ui/dialogs/findreplacedialog.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"

#include <QAction>
#include <QTableView>

namespace aethrian::ui {

FindCommands::FindCommands(MainWindow* window)
    : QObject(window), window_(window), targets_(tableTargets(window)),
      dialog_(new FindReplaceDialog(window)) {
    dialog_->hide();
    QAction* findReplace =
        addCommand(QStringLiteral("FindReplaceAction"), QStringLiteral("Find and replace..."),
                   QKeySequence(Qt::CTRL | Qt::Key_H));
    QAction* goToId = addCommand(QStringLiteral("GoToIdAction"), QStringLiteral("Go to ID..."),
                                 QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(findReplace, &QAction::triggered, this, &FindCommands::findReplace);
    connect(goToId, &QAction::triggered, this, &FindCommands::goToId);
}

QAction* FindCommands::addCommand(const QString& name, const QString& caption,
                                  const QKeySequence& key) {
    auto* action = new QAction(caption, window_);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    for (const TableTarget& t : targets_)
        t.page->addAction(action);
    return action;
}

void FindCommands::findReplace() {
    if (const TableTarget* t = currentTarget(targets_))
        dialog_->openFor(*t);
}

void FindCommands::goToId() {
    const TableTarget* t = currentTarget(targets_);
    if (!t)
        return;
    const Table& table = t->model->table();
    const size_t column = idColumn(table);
    if (column == Table::npos) {
        showMessage(window_, QStringLiteral("This table has no ID column"));
        return;
    }
    const std::optional<QString> text =
        askText(window_, QStringLiteral("Go to ID"), QStringLiteral("ID:"), lastId_);
    if (!text)
        return;
    lastId_ = text->trimmed();
    if (lastId_.isEmpty()) {
        showMessage(window_, QStringLiteral("You must insert an ID"));
        return;
    }
    const std::string id = lastId_.toStdString();
    // From a record that already has this ID the search goes on to the next one (a skill's next
    // level); otherwise it starts at the first record.
    const QModelIndex current = sourceIndexOf(t->view, t->view->currentIndex());
    size_t from = 1;
    if (current.isValid() && findRecordById(table, id, static_cast<size_t>(current.row()) + 1) ==
                                 static_cast<size_t>(current.row()) + 1)
        from = static_cast<size_t>(current.row()) + 2;
    const size_t row = findRecordById(table, id, from);
    if (row == 0) {
        showMessage(window_, QStringLiteral("No record has the ID %1").arg(lastId_));
        return;
    }
    const int col = current.isValid() ? current.column() : 1;
    if (!selectSourceCell(t->view, static_cast<int>(row) - 1, col))
        showMessage(
            window_,
            QStringLiteral("The record with the ID %1 is hidden by the filter").arg(lastId_));
    t->view->setFocus();
}

} // namespace aethrian::ui
