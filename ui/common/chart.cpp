#include "ui/common/chart.h"

#include "engine/number_format.h"

#include <QLocale>
#include <QPainterPath>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

QString tickLabel(AxisLabels labels, double tick) {
    switch (labels) {
    case AxisLabels::Grouped6:
        return QString::fromStdString(formatGrouped(tick, 6));
    case AxisLabels::Grouped4:
        return QString::fromStdString(formatGrouped(tick, 4));
    case AxisLabels::Scientific2:
        return QString::fromStdString(formatScientific(tick, 2));
    }
    return {};
}

// Linear ticks labelled with one of the program's patterns.
class LinearTicker : public QCPAxisTicker {
public:
    explicit LinearTicker(AxisLabels labels) : labels_(labels) {}

protected:
    QString getTickLabel(double tick, const QLocale &, QChar, int) override { return tickLabel(labels_, tick); }

    // A tick meant to be 0 may come out as a rounding residue such as 1e-17, which the
    // scientific pattern would print as such.
    QVector<double> createTickVector(double tickStep, const QCPRange &range) override {
        QVector<double> ticks = QCPAxisTicker::createTickVector(tickStep, range);
        for (double &tick : ticks)
            if (std::abs(tick) < std::abs(tickStep) * 1e-9)
                tick = 0.0;
        return ticks;
    }

private:
    AxisLabels labels_;
};

// Decade ticks with eight sub-ticks, labelled with one of the program's patterns.
class LogTicker : public QCPAxisTickerLog {
public:
    explicit LogTicker(AxisLabels labels) : labels_(labels) {
        setLogBase(10.0);
        setSubTickCount(8);
    }

protected:
    QString getTickLabel(double tick, const QLocale &, QChar, int) override { return tickLabel(labels_, tick); }

private:
    AxisLabels labels_;
};

void setAxis(QCPAxis *axis, const QString &title, AxisScale scale, AxisLabels labels) {
    axis->setLabel(title);
    // Each axis gets its own ticker: tickers are shared pointers and carry the pattern.
    if (scale == AxisScale::Logarithmic) {
        axis->setScaleType(QCPAxis::stLogarithmic);
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new LogTicker(labels)));
        axis->setRange(0.1, 10.0);
    } else {
        axis->setScaleType(QCPAxis::stLinear);
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new LinearTicker(labels)));
        axis->setRange(0.0, 1.0);
    }
}

// Widens a fitted range a little so that markers at its ends, such as a peak marker on
// the largest value, are not cut off.
void addMargin(QCPAxis *axis) {
    const QCPRange range = axis->range();
    if (axis->scaleType() == QCPAxis::stLogarithmic) {
        if (range.lower > 0.0 && range.upper > range.lower) {
            const double factor = std::pow(range.upper / range.lower, 0.03);
            axis->setRange(range.lower / factor, range.upper * factor);
        }
    } else if (range.upper > range.lower) {
        const double margin = (range.upper - range.lower) * 0.05;
        axis->setRange(range.lower - margin, range.upper + margin);
    }
}

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

}  // namespace

void ChartSeries::clear() {
    graph_->data()->clear();
    chart_->scheduleRefresh();
}

void ChartSeries::add(double x, double y) {
    if (std::isnan(x))
        return;
    // A single point lands at its place in ascending X, as the container keeps its keys sorted.
    graph_->addData(x, chart_->shownValue(x, y));
    chart_->scheduleRefresh();
}

void ChartSeries::add(std::span<const double> xs, std::span<const double> ys) {
    QVector<QCPGraphData> points;
    points.reserve(static_cast<qsizetype>(std::min(xs.size(), ys.size())));
    bool sorted = true;
    for (std::size_t i = 0; i < xs.size() && i < ys.size(); ++i) {
        if (std::isnan(xs[i]))
            continue;
        if (!points.isEmpty() && xs[i] < points.back().key)
            sorted = false;
        points.append(QCPGraphData(xs[i], chart_->shownValue(xs[i], ys[i])));
    }
    graph_->data()->add(points, sorted);
    chart_->scheduleRefresh();
}

int ChartSeries::count() const { return graph_ ? graph_->dataCount() : 0; }

QString ChartSeries::name() const { return graph_ ? graph_->name() : QString(); }

Chart::Chart(QWidget *parent) : QCustomPlot(parent) {
    setLocale(QLocale::c());
    // The user may drag and zoom; the next change of the data fits the axes again.
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    setNoAntialiasingOnDrag(true);
    legend->setVisible(false);
    // Only the bottom and left axes carry titles and ticks; the top and right ones close the frame.
    xAxis2->setVisible(true);
    yAxis2->setVisible(true);
    xAxis2->setTicks(false);
    yAxis2->setTicks(false);
    xAxis2->setTickLabels(false);
    yAxis2->setTickLabels(false);
    setBottomAxis(QString(), AxisScale::Linear, AxisLabels::Grouped6);
    setLeftAxis(QString(), AxisScale::Linear, AxisLabels::Scientific2);
}

void Chart::setBottomAxis(const QString &title, AxisScale scale, AxisLabels labels) {
    logBottom_ = scale == AxisScale::Logarithmic;
    setAxis(xAxis, title, scale, labels);
    xAxis2->setScaleType(xAxis->scaleType());
    scheduleRefresh();
}

void Chart::setLeftAxis(const QString &title, AxisScale scale, AxisLabels labels) {
    logLeft_ = scale == AxisScale::Logarithmic;
    setAxis(yAxis, title, scale, labels);
    yAxis2->setScaleType(yAxis->scaleType());
    scheduleRefresh();
}

void Chart::setBottomTitle(const QString &title) {
    xAxis->setLabel(title);
    scheduleRefresh();
}

void Chart::setLeftTitle(const QString &title) {
    yAxis->setLabel(title);
    scheduleRefresh();
}

QString Chart::bottomTitle() const { return xAxis->label(); }

QString Chart::leftTitle() const { return yAxis->label(); }

ChartSeries Chart::addSeries(const QString &name, const QColor &colour) {
    QCPGraph *graph = addGraph(xAxis, yAxis);
    graph->setName(name);
    graph->setPen(QPen(colour, 1.0));
    graph->setBrush(Qt::NoBrush);
    graph->setAdaptiveSampling(true);
    return ChartSeries(this, graph);
}

ChartSeries Chart::addCircleSeries(const QString &name, const QColor &colour) {
    ChartSeries series = addSeries(name, colour);
    series.graph()->setLineStyle(QCPGraph::lsNone);
    series.graph()->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, colour, colour, 6.0));
    return series;
}

ChartSeries Chart::addCrossSeries(const QString &name, const QColor &colour, int heightPixels) {
    ChartSeries series = addSeries(name, colour);
    series.graph()->setLineStyle(QCPGraph::lsNone);
    // A custom scatter path is drawn scaled by size / 6: the upright bar spans six units, so
    // the marker is heightPixels high, with a crossbar nine pixels wide.
    const double halfBar = 4.5 * 6.0 / heightPixels;
    QPainterPath cross;
    cross.moveTo(0.0, -3.0);
    cross.lineTo(0.0, 3.0);
    cross.moveTo(-halfBar, 0.0);
    cross.lineTo(halfBar, 0.0);
    QPen pen(colour, 2.0);
    pen.setCosmetic(true);
    series.graph()->setScatterStyle(QCPScatterStyle(cross, pen, Qt::NoBrush, heightPixels));
    return series;
}

ChartSeries Chart::addLineSeries(const QString &name, const QColor &colour) {
    ChartSeries series = addSeries(name, colour);
    series.graph()->setLineStyle(QCPGraph::lsLine);
    series.graph()->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    return series;
}

ChartSeries Chart::series(const QString &name) {
    for (int i = 0; i < graphCount(); ++i)
        if (graph(i)->name() == name)
            return ChartSeries(this, graph(i));
    return {};
}

double Chart::shownValue(double x, double y) const {
    if ((logBottom_ && !(x > 0.0)) || (logLeft_ && !(y > 0.0)))
        return kGap;
    return y;
}

void Chart::scheduleRefresh() {
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, &Chart::refresh);
}

void Chart::refresh() {
    if (!refreshPending_)
        return;
    refreshPending_ = false;
    fitAxes();
    replot(QCustomPlot::rpRefreshHint);
}

void Chart::refreshNow() {
    refreshPending_ = false;
    fitAxes();
    replot(QCustomPlot::rpImmediateRefresh);
}

void Chart::fitAxes() {
    bool any = false;
    for (int i = 0; i < graphCount(); ++i)
        any = any || !graph(i)->data()->isEmpty();
    if (!any)
        return;
    rescaleAxes(true);
    addMargin(xAxis);
    addMargin(yAxis);
    xAxis2->setRange(xAxis->range());
    yAxis2->setRange(yAxis->range());
}
