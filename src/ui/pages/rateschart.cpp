#include "ui/pages/rateschart.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QScatterSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace aethrian::ui {

namespace {

const char* const kSeriesNames[3] = {"Experience", "Skill points", "Adena"};
const QColor kSeriesColors[3] = {QColor(31, 119, 180), QColor(44, 160, 44), QColor(255, 127, 14)};

} // namespace

RatesChart::RatesChart(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("RatesByLevel"));
    setWindowTitle(QStringLiteral("Rates by level"));
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Ratio of the 1st file over the 2nd, by level"));
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Level"));
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Ratio (x)"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (int i = 0; i < 3; ++i) {
        auto* s = series_[i] = new QScatterSeries(chart);
        s->setName(QString::fromLatin1(kSeriesNames[i]));
        s->setObjectName(QString::fromLatin1(kSeriesNames[i]));
        chart->addSeries(s);
        // Shapes and sizes differ, smaller on top, so equal ratios of one NPC all show.
        s->setMarkerShape(i == 1 ? QScatterSeries::MarkerShapeRectangle
                                 : QScatterSeries::MarkerShapeCircle);
        s->setMarkerSize(16 - 5 * i);
        s->setColor(kSeriesColors[i]);
        s->setBorderColor(kSeriesColors[i].darker(140));
        s->attachAxis(x);
        s->attachAxis(y);
        connect(s, &QScatterSeries::hovered, this, [this, i](const QPointF& p, bool entered) {
            const LevelRates* r = entered ? at(i, p) : nullptr;
            const QString text = r ? QStringLiteral("%1 (level %2): %3 %4x")
                                         .arg(QString::fromStdString(r->name))
                                         .arg(r->level)
                                         .arg(QString::fromLatin1(kSeriesNames[i]).toLower())
                                         .arg(p.y())
                                   : QString();
            view_->setToolTip(text);
            if (text.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(QCursor::pos(), text, view_);
        });
        connect(s, &QScatterSeries::clicked, this, [this, i](const QPointF& p) {
            if (const LevelRates* r = at(i, p))
                emit rowClicked(r->row);
        });
    }
    view_ = new QChartView(chart, this);
    view_->setObjectName(QStringLiteral("RatesByLevelChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    resize(860, 520);
}

void RatesChart::show(std::vector<LevelRates> rates) {
    rates_ = std::move(rates);
    double minX = 0, maxX = 1, maxY = 1;
    bool any = false;
    for (int i = 0; i < 3; ++i) {
        QList<QPointF> points;
        pointRates_[i].clear();
        for (size_t k = 0; k < rates_.size(); ++k) {
            const LevelRates& r = rates_[k];
            const std::optional<double>& v = i == 0 ? r.exp : i == 1 ? r.sp : r.adena;
            if (!v)
                continue;
            points.append(QPointF(r.level, *v));
            pointRates_[i].push_back(k);
            minX = any ? std::min(minX, r.level) : r.level;
            maxX = any ? std::max(maxX, r.level) : r.level;
            maxY = std::max(maxY, *v);
            any = true;
        }
        series_[i]->replace(points);
    }
    // A margin around the points, and the 1x line always in view.
    auto* x = static_cast<QValueAxis*>(view_->chart()->axes(Qt::Horizontal).first());
    auto* y = static_cast<QValueAxis*>(view_->chart()->axes(Qt::Vertical).first());
    x->setRange(std::max(0.0, minX - 1), maxX + 1);
    y->setRange(0, maxY * 1.1);
    QWidget::show();
    raise();
}

const LevelRates* RatesChart::at(int i, const QPointF& point) const {
    const QList<QPointF> points = series_[i]->points();
    for (qsizetype k = 0; k < points.size(); ++k)
        if (points[k] == point)
            return &rates_[pointRates_[i][static_cast<size_t>(k)]];
    return nullptr;
}

} // namespace aethrian::ui
