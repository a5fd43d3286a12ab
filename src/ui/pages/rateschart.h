#pragma once

#include "rates/ratesbylevel.h"

#include <QWidget>

#include <vector>

class QChartView;
class QScatterSeries;

namespace aethrian::ui {

// "Rates by level": the experience, skill point and adena ratios of an x-rate NPC comparison's
// paired monsters against their level, one scatter series each, so retuned level bands stand out.
// Hovering a point names its NPC; clicking it asks for that row of the results.
class RatesChart : public QWidget {
    Q_OBJECT
  public:
    explicit RatesChart(QWidget* parent);

    // Replaces the points by those of `rates`.
    void show(std::vector<LevelRates> rates);
    QChartView* view() const { return view_; }
    // The three series, in the order Experience, Skill points, Adena.
    QScatterSeries* series(int i) const { return series_[i]; }
    // The monster a point of series `i` stands for, or null.
    const LevelRates* at(int i, const QPointF& point) const;

  signals:
    void rowClicked(size_t gridRow); // a grid row of the comparison result

  private:
    QChartView* view_;
    QScatterSeries* series_[3];
    std::vector<LevelRates> rates_;
    std::vector<size_t> pointRates_[3]; // per series: the index in rates_ of each point
};

} // namespace aethrian::ui
