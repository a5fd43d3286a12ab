#pragma once

#include "rates/compare.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace aethrian::ui {

class PathBox;
class RatesChart;
class TableModel;

// Object names of one compare page.
struct ComparePageNames {
    QString first, firstSize, second, secondSize, run, halt, grid, notFound;
    QString onlyDifferences, showMissing, xRate; // xRate empty: no x-rate box
    QString subject, table; // accessible names: "<subject> first file", ... and the results table's
};

// One of the three Compare pages: two path boxes, Watch/Compare, HALT!, the check boxes, the
// results grid with its legend and the not-found list.
class ComparePage : public QWidget {
    Q_OBJECT
  public:
    ComparePage(const CompareMember& member, const ComparePageNames& names, TableModel* model,
                QWidget* parent, char* divider);

    PathBox* firstPath() const { return first_; }
    QTableView* view() const { return view_; }
    void runClick();
    // Moves the current cell to the next cell holding two differing values; false at the end.
    bool nextDifference();
    // "Rates by level" (NPC page only): enabled after an x-rate comparison that found rows; opens
    // the chart of the results. Null on the other pages.
    QPushButton* ratesButton() const { return ratesButton_; }
    RatesChart* ratesChart() const { return ratesChart_; }
    void showRatesByLevel();

  private:
    void secondChanged(const QString& text);
    void showResult(CompareResult result); // the grid into the model, the not-found names listed

    const CompareMember& member_;
    TableModel* model_;
    char* divider_;
    PathBox* first_;
    PathBox* second_;
    QLabel* firstSize_;
    QLabel* secondSize_;
    QPushButton* run_;
    QCheckBox* onlyDifferences_;
    QCheckBox* showMissing_;
    QCheckBox* xRate_ = nullptr;
    QTableView* view_;
    QListWidget* notFound_;
    QPushButton* ratesButton_ = nullptr;
    RatesChart* ratesChart_ = nullptr;
    bool halt_ = false;
};

} // namespace aethrian::ui
