#include "ui/dialogs/findreplacedialog.h"

#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/named.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace aethrian::ui {

namespace {

QString scopeText(const FindOptions& o, const QString& columnKey) {
    return QStringLiteral("%1, %2, %3")
        .arg(o.column == Table::npos ? QStringLiteral("every column")
                                     : QStringLiteral("column %1").arg(columnKey),
             o.wholeCell ? QStringLiteral("whole cell") : QStringLiteral("part of a cell"),
             o.matchCase ? QStringLiteral("case matched") : QStringLiteral("case ignored"));
}

} // namespace

FindReplaceDialog::FindReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindReplaceDialog"));
    setWindowTitle(QStringLiteral("Find and replace"));
    setModal(false);
    find_ = withAccessibleName(lineEdit(QStringLiteral("FindText"), {}, this),
                               QStringLiteral("Find what"));
    replace_ = withAccessibleName(lineEdit(QStringLiteral("ReplaceText"), {}, this),
                                  QStringLiteral("Replace with"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Find what:"), find_);
    form->addRow(QStringLiteral("Replace with:"), replace_);

    auto* scope = new QGroupBox(QStringLiteral("Look in"), this);
    inColumn_ = new QRadioButton(QStringLiteral("Current column"), scope);
    inColumn_->setObjectName(QStringLiteral("FindInColumn"));
    everyColumn_ = new QRadioButton(QStringLiteral("Every column"), scope);
    everyColumn_->setObjectName(QStringLiteral("FindInEveryColumn"));
    everyColumn_->setChecked(true);
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(inColumn_);
    scopeLayout->addWidget(everyColumn_);
    wholeCell_ = new QCheckBox(QStringLiteral("Whole cell only"), this);
    wholeCell_->setObjectName(QStringLiteral("FindWholeCell"));
    matchCase_ = new QCheckBox(QStringLiteral("Match case"), this);
    matchCase_->setObjectName(QStringLiteral("FindMatchCase"));
    auto* checks = new QVBoxLayout;
    checks->addWidget(wholeCell_);
    checks->addWidget(matchCase_);
    checks->addStretch(1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(scope, 1);
    choices->addLayout(checks, 1);

    auto* next = button(QStringLiteral("FindNextButton"), QStringLiteral("Find next"), this);
    auto* one = button(QStringLiteral("ReplaceButton"), QStringLiteral("Replace"), this);
    auto* all = button(QStringLiteral("ReplaceAllButton"), QStringLiteral("Replace all"), this);
    auto* close = button(QStringLiteral("FindCloseButton"), QStringLiteral("Close"), this);
    next->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(one);
    buttons->addWidget(all);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    connect(one, &QPushButton::clicked, this, &FindReplaceDialog::replace);
    connect(all, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void FindReplaceDialog::openFor(const TableTarget& target) {
    if (target_.view && target_.view->selectionModel())
        disconnect(target_.view->selectionModel(), nullptr, this, nullptr);
    target_ = target;
    setWindowTitle(QStringLiteral("Find and replace: %1").arg(target_.name));
    // Starting from the current cell's text saves typing it for the common "replace this value".
    const QModelIndex current = sourceIndexOf(target_.view, target_.view->currentIndex());
    if (current.isValid() && find_->text().isEmpty())
        find_->setText(current.data(Qt::DisplayRole).toString());
    connect(target_.view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FindReplaceDialog::updateColumnCaption);
    updateColumnCaption();
    show();
    raise();
    activateWindow();
    find_->setFocus();
    find_->selectAll();
}

void FindReplaceDialog::updateColumnCaption() {
    const CellPos at = currentCell();
    const QString key =
        at.row
            ? target_.model->headerData(static_cast<int>(at.col), Qt::Horizontal, Qt::DisplayRole)
                  .toString()
                  .trimmed()
            : QString();
    inColumn_->setText(key.isEmpty() ? QStringLiteral("Current column")
                                     : QStringLiteral("Current column (%1)").arg(key));
}

CellPos FindReplaceDialog::currentCell() const {
    if (!target_.view)
        return {};
    const QModelIndex current = sourceIndexOf(target_.view, target_.view->currentIndex());
    if (!current.isValid())
        return {};
    return {static_cast<size_t>(current.row()) + 1, static_cast<size_t>(current.column())};
}

std::optional<FindOptions> FindReplaceDialog::options(bool quiet) {
    if (!target_.model)
        return std::nullopt;
    FindOptions o;
    o.find = find_->text().toStdString();
    o.wholeCell = wholeCell_->isChecked();
    o.matchCase = matchCase_->isChecked();
    if (inColumn_->isChecked()) {
        const CellPos at = currentCell();
        if (at.row == 0) {
            if (!quiet)
                showMessage(this, QStringLiteral("Select a cell of the column to search"));
            return std::nullopt;
        }
        o.column = at.col;
    }
    if (o.find.empty()) {
        if (!quiet)
            showMessage(this, QString::fromLatin1(kEmptyFindMessage));
        return std::nullopt;
    }
    return o;
}

void FindReplaceDialog::findNext() {
    const std::optional<FindOptions> o = options();
    if (!o)
        return;
    const std::optional<CellPos> hit = findNextCell(target_.model->table(), *o, currentCell());
    if (!hit) {
        showMessage(this, QStringLiteral("Cannot find \"%1\"").arg(find_->text()));
        return;
    }
    if (!selectSourceCell(target_.view, static_cast<int>(hit->row) - 1, static_cast<int>(hit->col)))
        showMessage(
            this,
            QStringLiteral("\"%1\" is found only in rows the filter hides").arg(find_->text()));
}

void FindReplaceDialog::replace() {
    runGuarded(this, [this] {
        const std::optional<FindOptions> o = options();
        if (!o)
            return;
        // The current cell is replaced when it matches; either way the search moves on, so
        // pressing Replace again and again walks through the matches.
        TableEdit edit = planReplaceCell(target_.model->table(), *o, replace_->text().toStdString(),
                                         currentCell());
        const bool replaced = !edit.empty();
        target_.model->apply(std::move(edit));
        const std::optional<CellPos> hit = findNextCell(target_.model->table(), *o, currentCell());
        if (hit)
            selectSourceCell(target_.view, static_cast<int>(hit->row) - 1,
                             static_cast<int>(hit->col));
        else if (!replaced)
            showMessage(this, QStringLiteral("Cannot find \"%1\"").arg(find_->text()));
    });
}

void FindReplaceDialog::replaceAll() {
    runGuarded(this, [this] {
        const std::optional<FindOptions> o = options();
        if (!o)
            return;
        TableEdit edit = planReplaceAll(target_.model->table(), *o, replace_->text().toStdString());
        const size_t changed = edit.cells.size();
        const QString key =
            o->column == Table::npos
                ? QString()
                : target_.model
                      ->headerData(static_cast<int>(o->column), Qt::Horizontal, Qt::DisplayRole)
                      .toString()
                      .trimmed();
        const QString line =
            QStringLiteral("Replace all \"%1\" with \"%2\" (%3): %4 cell(s) changed")
                .arg(find_->text(), replace_->text(), scopeText(*o, key))
                .arg(changed);
        target_.model->apply(std::move(edit));
        if (target_.log)
            target_.log->append(line);
        else
            showMessage(this, line);
    });
}

} // namespace aethrian::ui
