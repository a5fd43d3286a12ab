#include "ui/widgets/filterbar.h"

#include "ui/models/tablemodel.h"
#include "ui/widgets/named.h"
#include "ui/widgets/tableview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace aethrian::ui {

namespace {

using Test = FilterCondition::Test;

// In the order of FilterCondition::Test.
const char* const kTests[] = {
    "contains", "equals", "does not contain", "regular expression", "=", "<", "<=",
    ">",        ">=",     "between"};

// Typing waits this long for the next key before the filter runs.
constexpr int kTypingPauseMs = 120;

QToolButton* toolButton(const QString& text, const QString& tip, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    return b;
}

} // namespace

FilterBar::FilterBar(TableModel* model, TableView* view, QWidget* shortcutOwner, QWidget* parent)
    : QWidget(parent), model_(model), view_(view), filter_(model->table()),
      prefix_(view->objectName()), subject_(view->accessibleName()) {
    setObjectName(prefix_ + QStringLiteral("Filter"));
    auto* rows = new QWidget(this);
    rowsLayout_ = new QVBoxLayout(rows);
    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(2);
    auto* add = toolButton(QStringLiteral("+"),
                           QStringLiteral("Add a condition (records must pass every one)"), this);
    add->setObjectName(prefix_ + QStringLiteral("FilterAdd"));
    ignoreCase_ = new QCheckBox(QStringLiteral("Ignore case"), this);
    ignoreCase_->setObjectName(prefix_ + QStringLiteral("FilterIgnoreCase"));
    ignoreCase_->setChecked(true);
    count_ = label(prefix_ + QStringLiteral("FilterCount"), {}, this);
    auto* close = toolButton(QStringLiteral("\u00d7"),
                             QStringLiteral("Close the filter and show every record"), this);
    close->setObjectName(prefix_ + QStringLiteral("FilterClose"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("Filter:"), this);
    layout->addWidget(caption, 0, Qt::AlignTop);
    layout->addWidget(rows, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{add, ignoreCase_, count_, close})
        layout->addWidget(w, 0, Qt::AlignTop);
    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(kTypingPauseMs);
    connect(typing_, &QTimer::timeout, this, &FilterBar::apply);
    addCondition();
    hide();

    connect(add, &QToolButton::clicked, this, [this] {
        addCondition();
        rows_.back().text->setFocus();
    });
    connect(close, &QToolButton::clicked, this, [this] { setOpen(false); });
    connect(ignoreCase_, &QCheckBox::toggled, this, &FilterBar::applyNow);

    auto* toggleAction = new QAction(QStringLiteral("Filter rows"), shortcutOwner);
    toggleAction->setObjectName(prefix_ + QStringLiteral("FilterAction"));
    toggleAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    toggleAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    shortcutOwner->addAction(toggleAction);
    connect(toggleAction, &QAction::triggered, this, &FilterBar::toggle);
    auto* escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(escape);
    connect(escape, &QAction::triggered, this, [this] { setOpen(false); });

    // The records shown follow the table: every change is filtered again at once.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        filter_.forgetAll();
        refreshColumns();
        apply();
    });
    const auto rowsMoved = [this] {
        filter_.forgetAll();
        apply();
    };
    connect(model_, &QAbstractItemModel::rowsInserted, this, rowsMoved);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, rowsMoved);
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                if (from.isValid() && to.isValid())
                    filter_.forgetColumns(static_cast<size_t>(from.column()),
                                          static_cast<size_t>(to.column()));
                else
                    filter_.forgetAll();
                if (filtering_)
                    apply();
            });
    connect(model_, &QAbstractItemModel::headerDataChanged, this, &FilterBar::refreshColumns);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (filtering_ && current.isValid() && view_->isRowHidden(current.row()))
                    setOpen(false);
            });
}

void FilterBar::addCondition() {
    ConditionRow row{};
    row.box = new QWidget(this);
    row.column = new QComboBox(row.box);
    fillColumnChoices(row.column);
    row.test = new QComboBox(row.box);
    for (const char* test : kTests)
        row.test->addItem(QString::fromLatin1(test));
    row.text = new QLineEdit(row.box);
    row.text->setPlaceholderText(QStringLiteral("text or number"));
    row.text->setClearButtonEnabled(true);
    row.andLabel = new QLabel(QStringLiteral("and"), row.box);
    row.upTo = new QLineEdit(row.box);
    row.upTo->setPlaceholderText(QStringLiteral("number"));
    row.andLabel->hide();
    row.upTo->hide();
    row.remove =
        toolButton(QStringLiteral("\u2212"), QStringLiteral("Remove this condition"), row.box);
    auto* layout = new QHBoxLayout(row.box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(row.column);
    layout->addWidget(row.test);
    layout->addWidget(row.text, 2);
    layout->addWidget(row.andLabel);
    layout->addWidget(row.upTo, 1);
    layout->addWidget(row.remove);
    rowsLayout_->addWidget(row.box);

    QWidget* box = row.box;
    QComboBox* test = row.test;
    QLabel* andLabel = row.andLabel;
    QLineEdit* upTo = row.upTo;
    connect(row.column, &QComboBox::currentIndexChanged, this, &FilterBar::applyNow);
    connect(row.test, &QComboBox::currentIndexChanged, this, [this, test, andLabel, upTo] {
        const bool range = test->currentIndex() == static_cast<int>(Test::Between);
        andLabel->setVisible(range);
        upTo->setVisible(range);
        applyNow();
    });
    for (QLineEdit* edit : {row.text, row.upTo}) {
        connect(edit, &QLineEdit::textChanged, typing_, [this] { typing_->start(); });
        connect(edit, &QLineEdit::returnPressed, this, &FilterBar::applyNow);
    }
    connect(row.remove, &QToolButton::clicked, this, [this, box] { removeCondition(box); });
    rows_.push_back(row);
    nameRows();
}

void FilterBar::removeCondition(QWidget* box) {
    if (rows_.size() == 1) { // the last condition is emptied instead
        rows_.front().text->clear();
        rows_.front().upTo->clear();
        applyNow();
        return;
    }
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                               [box](const ConditionRow& r) { return r.box == box; }),
                rows_.end());
    // Out of the bar at once (its names are taken by the rows that follow); deleted once the
    // click that removed it has returned.
    box->hide();
    box->setParent(nullptr);
    box->deleteLater();
    nameRows();
    applyNow();
}

// Names follow the rows' order, so the first condition is always number 0.
void FilterBar::nameRows() {
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QString n = QString::number(i);
        const QString spoken = QStringLiteral(" %1").arg(i + 1);
        const ConditionRow& r = rows_[i];
        r.column->setObjectName(prefix_ + QStringLiteral("FilterColumn") + n);
        r.column->setAccessibleName(subject_ + QStringLiteral(" filter column") + spoken);
        r.test->setObjectName(prefix_ + QStringLiteral("FilterTest") + n);
        r.test->setAccessibleName(subject_ + QStringLiteral(" filter test") + spoken);
        r.text->setObjectName(prefix_ + QStringLiteral("FilterText") + n);
        r.text->setAccessibleName(subject_ + QStringLiteral(" filter text") + spoken);
        r.upTo->setObjectName(prefix_ + QStringLiteral("FilterUpTo") + n);
        r.upTo->setAccessibleName(subject_ + QStringLiteral(" filter upper end") + spoken);
        r.remove->setObjectName(prefix_ + QStringLiteral("FilterRemove") + n);
        r.remove->setAccessibleName(subject_ + QStringLiteral(" remove filter condition") + spoken);
    }
}

void FilterBar::fillColumnChoices(QComboBox* box) {
    const QVariant kept = box->currentData();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(QStringLiteral("All columns"), FilterCondition::kAnyColumn);
    const int columns = model_->columnCount();
    for (int c = 0; c < columns; ++c) {
        const QString header = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        box->addItem(header.trimmed().isEmpty() ? QStringLiteral("(column %1)").arg(c) : header, c);
    }
    const int at = kept.isValid() ? box->findData(kept) : 0;
    box->setCurrentIndex(at < 0 ? 0 : at);
}

void FilterBar::refreshColumns() {
    for (const ConditionRow& r : rows_)
        fillColumnChoices(r.column);
}

void FilterBar::toggle() {
    setOpen(!open_);
}

void FilterBar::setOpen(bool open) {
    if (open == open_)
        return;
    open_ = open;
    setVisible(open);
    typing_->stop();
    if (open) {
        // A first condition not yet written starts on the column the user is in.
        ConditionRow& first = rows_.front();
        const QModelIndex current = view_->currentIndex();
        if (first.text->text().isEmpty() && current.isValid())
            first.column->setCurrentIndex(first.column->findData(current.column()));
        first.text->setFocus();
        first.text->selectAll();
    } else if (isAncestorOf(QApplication::focusWidget())) {
        view_->setFocus();
    }
    apply();
}

void FilterBar::applyNow() {
    typing_->stop();
    apply();
}

std::vector<FilterCondition> FilterBar::conditions() const {
    std::vector<FilterCondition> out;
    for (const ConditionRow& r : rows_) {
        FilterCondition c;
        c.column = r.column->currentData().toInt();
        c.test = static_cast<Test>(std::max(0, r.test->currentIndex()));
        c.text = r.text->text();
        c.upTo = r.upTo->text();
        out.push_back(c);
    }
    return out;
}

void FilterBar::showProblems() {
    const std::vector<FilterCondition> all = conditions();
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QString problem = RowFilter::problem(all[i]);
        for (QLineEdit* edit : {rows_[i].text, rows_[i].upTo}) {
            edit->setToolTip(problem);
            edit->setStyleSheet(problem.isEmpty() ? QString()
                                                  : QStringLiteral("background: #ffd6d6;"));
        }
    }
}

void FilterBar::apply() {
    const std::vector<FilterCondition> all = conditions();
    showProblems();
    const bool inForce = open_ && std::any_of(all.begin(), all.end(), [](const FilterCondition& c) {
                             return RowFilter::inForce(c);
                         });
    const int records = model_->rowCount();
    int shown = records;
    if (inForce) {
        shown_ = filter_.match(all, ignoreCase_->isChecked());
        shown = static_cast<int>(std::count(shown_.begin(), shown_.end(), 1));
        view_->showRows(&shown_);
    } else {
        shown_.clear();
        if (filtering_)
            view_->showRows(nullptr);
    }
    filtering_ = inForce;
    count_->setText(QStringLiteral("%1 of %2 records").arg(shown).arg(records));
    emit filterApplied();
}

RowSubset FilterBar::shownRows() const {
    if (!filtering_)
        return {};
    std::vector<size_t> rows;
    for (size_t r = 1; r < shown_.size(); ++r)
        if (shown_[r])
            rows.push_back(r);
    return RowSubset::shown(std::move(rows));
}

} // namespace aethrian::ui
