#include "ui/pages/comparepage.h"

#include "app/errors.h"
#include "rates/rateschecker.h"
#include "records/tableio.h"
#include "records/textfile.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/rateschart.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/named.h"
#include "ui/widgets/pathbox.h"
#include "ui/widgets/tableview.h"
#include "ui/workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

namespace aethrian::ui {

ComparePage::ComparePage(const CompareMember& member, const ComparePageNames& names,
                         TableModel* model, QWidget* parent, char* divider)
    : QWidget(parent), member_(member), model_(model), divider_(divider) {
    first_ = new PathBox(names.first, names.subject + QStringLiteral(" first file"), this);
    second_ = new PathBox(names.second, names.subject + QStringLiteral(" second file"), this);
    firstSize_ = new QLabel(QStringLiteral("<size>"), this);
    firstSize_->setObjectName(names.firstSize);
    secondSize_ = new QLabel(QStringLiteral("<size>"), this);
    secondSize_->setObjectName(names.secondSize);
    run_ = new QPushButton(QStringLiteral("Watch"), this);
    run_->setObjectName(names.run);
    auto* halt = new QPushButton(QStringLiteral("HALT!"), this);
    halt->setObjectName(names.halt);
    const QString what = QString::fromLatin1(member.notFoundCaption).section(' ', 0, 0); // "NPCs"
    onlyDifferences_ = new QCheckBox(QStringLiteral("Show only records with differencies"), this);
    onlyDifferences_->setObjectName(names.onlyDifferences);
    showMissing_ =
        new QCheckBox(QStringLiteral("Show data of %1 not found on 2nd file").arg(what), this);
    showMissing_->setObjectName(names.showMissing);
    if (!names.xRate.isEmpty()) {
        xRate_ = new QCheckBox(QStringLiteral("Show x rate of 1st file over 2nd file"), this);
        xRate_->setObjectName(names.xRate);
    }
    auto* legend = new QLabel(
        QStringLiteral(
            "Legenda: <> = record with differencies | N/A = record not found in 2nd file"),
        this);

    auto* paths = new QGridLayout;
    paths->addWidget(first_, 0, 0);
    paths->addWidget(firstSize_, 0, 1);
    paths->addWidget(second_, 1, 0);
    paths->addWidget(secondSize_, 1, 1);
    paths->addWidget(run_, 0, 2, 2, 1);
    paths->addWidget(halt, 0, 3, 2, 1);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(onlyDifferences_);
    boxes->addWidget(showMissing_);
    if (xRate_) {
        boxes->addWidget(xRate_);
        ratesButton_ = new QPushButton(QStringLiteral("Rates by level"), this);
        ratesButton_->setObjectName(names.grid + QStringLiteral("RatesByLevel"));
        ratesButton_->setToolTip(QStringLiteral(
            "Charts the experience, skill point and adena ratios of the compared NPCs by level"));
        ratesButton_->setEnabled(false);
        connect(ratesButton_, &QPushButton::clicked, this, &ComparePage::showRatesByLevel);
        auto* xRateRow = new QHBoxLayout;
        xRateRow->addWidget(xRate_);
        xRateRow->addWidget(ratesButton_);
        xRateRow->addStretch(1);
        boxes->addLayout(xRateRow);
    }
    boxes->addWidget(legend);

    auto* results = new QGroupBox(QStringLiteral("Results"), this);
    TableView* tableView = makeTableView(names.grid, names.table, model_, results);
    view_ = tableView;
    setFirstColumnWidths(view_, {38, 149, 86, 81});
    tableView->setFreezeEnabled(true);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(view_);
    auto* missing = new QGroupBox(QString::fromLatin1(member.notFoundCaption), this);
    notFound_ =
        withAccessibleName(new QListWidget(missing), QString::fromLatin1(member.notFoundCaption));
    notFound_->setObjectName(names.notFound);
    auto* missingLayout = new QVBoxLayout(missing);
    missingLayout->addWidget(notFound_);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(results);
    split->addWidget(missing);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(paths);
    layout->addLayout(boxes);
    layout->addWidget(split, 1);

    auto* next = new QAction(QStringLiteral("Next difference"), this);
    next->setObjectName(names.grid + QStringLiteral("NextDifference"));
    next->setShortcut(Qt::Key_F8);
    next->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(next);
    connect(next, &QAction::triggered, this, [this] { nextDifference(); });
    connect(run_, &QPushButton::clicked, this, &ComparePage::runClick);
    // Enter in either box runs Watch or Compare, whichever the boxes make it.
    connect(first_, &PathBox::loadRequested, this, &ComparePage::runClick);
    connect(second_, &PathBox::loadRequested, this, &ComparePage::runClick);
    connect(halt, &QPushButton::clicked, this, [this] { halt_ = true; });
    connect(second_, &QLineEdit::textChanged, this, &ComparePage::secondChanged);
}

void ComparePage::secondChanged(const QString& text) {
    if (!text.isEmpty() && run_->text() == QLatin1String("Watch"))
        run_->setText(QStringLiteral("Compare"));
    else if (text.isEmpty() && run_->text() == QLatin1String("Compare"))
        run_->setText(QStringLiteral("Watch"));
}

void ComparePage::runClick() {
    runGuarded(this, [this] {
        const std::string first = first_->usePath();
        if (!fileExists(first))
            throw ExpectedProblem(member_.missingFileMessage);
        halt_ = false;
        struct IdleCaption { // after the busy caption: Compare or Watch as the second box reads now
            ComparePage* page;
            ~IdleCaption() {
                page->run_->setText(page->second_->text().isEmpty() ? QStringLiteral("Watch")
                                                                    : QStringLiteral("Compare"));
                pumpEvents();
            }
        } idle{this};
        BusyButton busy(run_, run_->text());
        busy.setHaltFlag(&halt_);
        notFound_->clear();
        // The grid is cleared before the files are read (a run over no lines gives the bare
        // header), so a read that fails shows no old rows.
        CompareResult empty;
        compareRecords(member_, TextLines{}, nullptr, CompareOptions{}, empty);
        showResult(std::move(empty));
        if (ratesButton_)
            ratesButton_->setEnabled(false);
        CompareOptions options;
        options.onlyDifferences = onlyDifferences_->isChecked();
        options.showMissing = showMissing_->isChecked();
        options.xRate = xRate_ && xRate_->isChecked();
        options.divider = *divider_;
        CompareRun run = compareFiles(member_, first, second_->usePath(), options, &busy,
                                      [this](int i, std::uint64_t bytes) {
                                          (i == 0 ? firstSize_ : secondSize_)
                                              ->setText(QString::fromStdString(sizeText(bytes)));
                                      });
        // Rows found before an error or a halt are shown all the same.
        const bool ratios = options.xRate && run.paired;
        showResult(std::move(run.result));
        if (ratesButton_) {
            ratesButton_->setEnabled(ratios && model_->rowCount() > 1);
            if (ratesChart_ && ratesChart_->isVisible())
                showRatesByLevel(); // an open chart follows the new results
        }
        if (run.error)
            std::rethrow_exception(run.error);
    });
}

void ComparePage::showResult(CompareResult result) {
    model_->reload([&](Table& t) {
        t = std::move(result.grid);
        t.appendRow(); // the grid's blank last row
        model_->setDifferingCells(std::move(result.differs));
    });
    setFirstColumnWidths(view_, {38, 149, 86, 81});
    for (const std::string& name : result.notFound)
        notFound_->addItem(QString::fromUtf8(name));
}

void ComparePage::showRatesByLevel() {
    if (!ratesChart_) {
        ratesChart_ = new RatesChart(this);
        connect(ratesChart_, &RatesChart::rowClicked, this, [this](size_t gridRow) {
            const QModelIndex at = model_->index(static_cast<int>(gridRow) - 1, 1);
            view_->setCurrentIndex(at);
            view_->scrollTo(at);
            window()->raise();
        });
    }
    ratesChart_->show(ratesByLevel(model_->table(), *divider_));
}

bool ComparePage::nextDifference() {
    const int rows = model_->rowCount();
    const int cols = model_->columnCount();
    const QModelIndex current = view_->currentIndex();
    int r = current.isValid() ? current.row() : 0;
    int c = current.isValid() ? current.column() + 1 : 0;
    for (; r < rows; ++r, c = 0) {
        for (; c < cols; ++c) {
            if (model_->isDifference(r, c)) {
                view_->setCurrentIndex(model_->index(r, c));
                view_->scrollTo(model_->index(r, c));
                return true;
            }
        }
    }
    return false;
}

} // namespace aethrian::ui
